// vantor.wasm as the page calls it: a file's first bytes and its name in;
// for each replay of a batch its JSON line (as bytes, kept for Download)
// and the list row's values out; the text view and the --diff result only
// when a person asks for them.

// The core never opens a file and prints nothing, but the C library's
// streams still name three system calls; each fails as on a closed stream.
const kBadFile = 8;
const system = {fd_close: () => kBadFile, fd_seek: () => kBadFile, fd_write: () => kBadFile};

const utf8 = new TextEncoder();
// A name may begin with a byte order mark, and vantor-info keeps it.
export const fromUtf8 = new TextDecoder("utf-8", {ignoreBOM: true});
const text = (bytes) => (bytes.length ? fromUtf8.decode(bytes) : "");

// One replay of a batch as the core gave it. Its values are parsed from
// its line when first asked for: most rows of a big batch are never shown.
class Row {
  constructor(line, from, to, message, bytesHeld, flags) {
    this.line = line;
    this.from = from;
    this.to = to;
    this.message = message;
    this.bytesHeld = bytesHeld;
    this.isCut = (flags & 1) === 1;
    this.unknownTrack = (flags & 2) === 2;
    this.parsed = null;
  }

  // [track, driver, car, laps]
  get values() {
    const {track, driver, car, laps} = (this.parsed ??= JSON.parse(`{${text(this.line.subarray(this.from, this.to))}}`));
    return [track, driver, car, laps];
  }
}

// A trap leaves the module's memory in any state, so that instance is
// dropped and a fresh one of the same compiled module serves the next call.
// wrap lets a test stand between the page and the module's exports.
export async function loadCore(wasmBytes, wrap = (exports) => exports) {
  const module = await WebAssembly.compile(await wasmBytes);
  const start = () => {
    const exports = wrap(new WebAssembly.Instance(module, {wasi_snapshot_preview1: system}).exports);
    exports._initialize();
    return exports;
  };
  let core = start();

  // Views of the module's memory, taken again when it has grown.
  let bytes = null, words = null;
  const memory = () => {
    if (bytes?.buffer !== core.memory.buffer) [bytes, words] = [new Uint8Array(core.memory.buffer), new Uint32Array(core.memory.buffer)];
  };

  // Copies each (bytes, name) pair into one block of the module's memory and
  // calls. The answer is four pairs of numbers, the first three (address,
  // length) of texts to be read before the next call reuses them.
  const call = (fn, ...files) => {
    let at = 0, trapped = false;
    try {
      const args = [], size = files.reduce((sum, [data, name]) => sum + data.length + 3 * name.length, 0);
      at = core.alloc(Math.max(size, 1));
      if (!at) throw new RangeError("the page ran out of memory");
      memory();
      for (let i = 0, next = at; i < files.length; ++i) {
        const [data, name] = files[i];
        bytes.set(data, next);
        const {written} = utf8.encodeInto(name, bytes.subarray(next + data.length, next + data.length + 3 * name.length));
        args.push(next, data.length, next + data.length, written);
        next += data.length + written;
      }
      const answer = core[fn](...args) >>> 2;
      memory();  // the call may have grown the memory
      return words.subarray(answer, answer + 8);
    } catch (error) {
      trapped = error instanceof WebAssembly.RuntimeError;
      if (trapped) core = start();
      throw error;
    } finally {
      if (at && !trapped) core.release(at);
    }
  };
  const slot = (answer, i) => bytes.subarray(answer[2 * i], answer[2 * i] + answer[2 * i + 1]);

  // The JSON lines are kept, for Download, in large blocks rather than a
  // buffer each, which ten thousand replays would make the page collect.
  let block = new Uint8Array(0), used = 0;
  const keep = (line) => {
    if (used + line.length > block.length) [block, used] = [new Uint8Array(Math.max(1 << 16, line.length)), 0];
    block.set(line, used);
    return block.subarray(used, (used += line.length));
  };

  return {
    // What the page must know of the format: {bytesRead, sliderMax, tuning: [{key, label}]}.
    facts: JSON.parse(text(slot(call("facts"), 0))),
    // {line, message, bytesHeld, isCut, unknownTrack, values}: the JSON
    // line's bytes, the gear complaint, and [track, driver, car, laps] as
    // that line holds them, read from it when first asked for.
    row(data, name) {
      const answer = call("row", [data, name]);
      return new Row(keep(slot(answer, 0)), answer[2], answer[3], text(slot(answer, 2)), answer[6], answer[7]);
    },
    // The text view, as vantor-info prints it.
    text: (data, name) => text(slot(call("text", [data, name]), 0)),
    // vantor-info --csv: the byte order mark and header row, and a replay's
    // row, as bytes in the module's memory, good until the next call.
    csvHeader: () => slot(call("csvHeader"), 0),
    csvRow: (data, name) => slot(call("csvRow", [data, name]), 0),
    // vantor-info --records over the replays added since the last clear:
    // {json, leftOut}: its JSON Lines, and vantor-info's sentence on the
    // record rows left out ("" when none were).
    recordsClear: () => void call("recordsClear"),
    recordsAdd: (data, name) => void call("recordsAdd", [data, name]),
    records() {
      const answer = call("records");
      return {json: text(slot(answer, 0)), leftOut: text(slot(answer, 2))};
    },
    // {text, json}: vantor-info --diff A B, without and with --json.
    diff(a, b) {
      const answer = call("diff", [a.bytes, a.name], [b.bytes, b.name]);
      return {text: text(slot(answer, 0)), json: text(slot(answer, 1))};
    },
  };
}
