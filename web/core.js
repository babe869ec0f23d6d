// vantor.wasm as the page calls it: files' first bytes and names in, a
// batch in one call; for each replay its JSON line (as bytes, kept for
// Download) and the list row's values out; the text view and the --diff
// result only when a person asks for them.

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
const kRowFacts = 6;  // words the core gives for each row of a batch

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

  // Copies the files, [[bytes, name], ...], into one block of the module's
  // memory after a table of where each lies, and calls fn(table, count).
  // The answer is three (address, length) pairs, to be read before the
  // next call reuses what they point to; this gives the index of its
  // first word.
  const call = (fn, files = []) => {
    let at = 0, trapped = false;
    try {
      let size = 16 * files.length;
      for (const [data, name] of files) size += data.length + 3 * name.length;
      at = core.alloc(Math.max(size, 1));
      if (!at) throw new RangeError("the page ran out of memory");
      memory();
      for (let i = 0, next = at + 16 * files.length, entry = at >>> 2; i < files.length; ++i, entry += 4) {
        const [data, name] = files[i], named = next + data.length;
        bytes.set(data, next);
        const written = encoded(name, named);
        words[entry] = next;
        words[entry + 1] = data.length;
        words[entry + 2] = named;
        words[entry + 3] = written;
        next = named + written;
      }
      const answer = core[fn](at, files.length) >>> 2;
      memory();  // the call may have grown the memory
      return answer;
    } catch (error) {
      trapped = error instanceof WebAssembly.RuntimeError;
      if (trapped) core = start();
      throw error;
    } finally {
      if (at && !trapped) core.release(at);
    }
  };
  const slot = (answer, i) => bytes.subarray(words[answer + 2 * i], words[answer + 2 * i] + words[answer + 2 * i + 1]);

  // A name as UTF-8 at the given address, for as many bytes as it takes.
  // Nearly every name is ASCII, which is copied as it stands.
  const encoded = (name, at) => {
    for (let i = 0; i < name.length; ++i) {
      const c = name.charCodeAt(i);
      if (c > 0x7F) return utf8.encodeInto(name, bytes.subarray(at, at + 3 * name.length)).written;
      bytes[at + i] = c;
    }
    return name.length;
  };

  // A batch in one call; when it fails, each file alone, so that only the
  // one that makes the core fail gets its error.
  const batch = (files) => {
    const answer = call("rows", files), lines = keep(slot(answer, 0)), messages = slot(answer, 2);
    const made = new Array(files.length);
    for (let i = 0, at = words[answer + 2] >>> 2, line = 0, message = 0; i < files.length; ++i, at += kRowFacts) {
      const lineEnd = words[at], messageEnd = words[at + 1];
      made[i] = new Row(lines.subarray(line, lineEnd), words[at + 2], words[at + 3],
          messageEnd > message ? text(messages.subarray(message, messageEnd)) : "", words[at + 4], words[at + 5]);
      line = lineEnd;
      message = messageEnd;
    }
    return made;
  };
  const each = (files) => files.map((file) => {
    try {
      return batch([file])[0];
    } catch (error) {
      return error;
    }
  });

  // The JSON lines are kept, for Download, in large blocks rather than a
  // buffer each, which ten thousand replays would make the page collect.
  let block = new Uint8Array(0), used = 0;
  const keep = (lines) => {
    if (used + lines.length > block.length) [block, used] = [new Uint8Array(Math.max(1 << 16, lines.length)), 0];
    block.set(lines, used);
    return block.subarray(used, (used += lines.length));
  };

  return {
    // What the page must know of the format: {bytesRead, sliderMax, tuning: [{key, label}]}.
    facts: JSON.parse(text(slot(call("facts"), 0))),
    // For each of a batch of files, [[bytes, name], ...], a row
    // {line, message, bytesHeld, isCut, unknownTrack, values}: the JSON
    // line's bytes, the gear complaint, and [track, driver, car, laps] as
    // that line holds them, read from it when first asked for; or the
    // error that kept the core from that file.
    rows(files) {
      try {
        return batch(files);
      } catch {
        return each(files);
      }
    },
    // The text view, as vantor-info prints it.
    text: (data, name) => text(slot(call("text", [[data, name]]), 0)),
    // vantor-info --csv: the byte order mark and header row, and a replay's
    // row, as bytes in the module's memory, good until the next call.
    csvHeader: () => slot(call("csvHeader"), 0),
    csvRow: (data, name) => slot(call("csvRow", [[data, name]]), 0),
    // vantor-info --records over the replays added since the last clear:
    // {json, leftOut}: its JSON Lines, and vantor-info's sentence on the
    // record rows left out ("" when none were).
    recordsClear: () => void call("recordsClear"),
    recordsAdd: (data, name) => void call("recordsAdd", [[data, name]]),
    records() {
      const answer = call("records");
      return {json: text(slot(answer, 0)), leftOut: text(slot(answer, 2))};
    },
    // {text, json}: vantor-info --diff A B, without and with --json.
    diff(a, b) {
      const answer = call("diff", [[a.bytes, a.name], [b.bytes, b.name]]);
      return {text: text(slot(answer, 0)), json: text(slot(answer, 1))};
    },
  };
}
