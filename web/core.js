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

  // Copies the arguments into one block of the module's memory and calls;
  // the answer is three (address, length) pairs, whose bytes are read as
  // views before the next call reuses them.
  const call = (fn, ...blocks) => {
    let at = 0, trapped = false;
    try {
      const args = [], size = blocks.reduce((sum, block) => sum + block.length, 0);
      at = core.alloc(Math.max(size, 1));
      if (!at) throw new RangeError("the page ran out of memory");
      memory();
      for (let i = 0, next = at; i < blocks.length; next += blocks[i++].length) {
        bytes.set(blocks[i], next);
        args.push(next, blocks[i].length);
      }
      const answer = core[fn](...args) >>> 2;
      memory();  // the call may have grown the memory
      return [0, 2, 4].map((i) => bytes.subarray(words[answer + i], words[answer + i] + words[answer + i + 1]));
    } catch (error) {
      trapped = error instanceof WebAssembly.RuntimeError;
      if (trapped) core = start();
      throw error;
    } finally {
      if (at && !trapped) core.release(at);
    }
  };

  return {
    // What the page must know of the format: {bytesRead, sliderMax, tuning: [{key, label}]}.
    facts: JSON.parse(text(call("facts")[0])),
    // {line, row, message}: the JSON line's bytes, [track, driver, car,
    // laps, bytesHeld, isCut] as that line holds them, the gear complaint.
    row(bytes, name) {
      const [line, row, message] = call("row", bytes, utf8.encode(name));
      return {line: line.slice(), row: JSON.parse(text(row)), message: text(message)};
    },
    // The text view, as vantor-info prints it.
    text: (bytes, name) => text(call("text", bytes, utf8.encode(name))[0]),
    // {text, json}: vantor-info --diff A B, without and with --json.
    diff(a, b) {
      const [diffText, json] = call("diff", a.bytes, utf8.encode(a.name), b.bytes, utf8.encode(b.name));
      return {text: text(diffText), json: text(json)};
    },
  };
}
