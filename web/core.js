// vantor.wasm as the page calls it: bytes and a name in, the same texts
// vantor-info prints out.

// The core never opens a file and prints nothing, but the C library's
// streams still name three system calls; each fails as on a closed stream.
const kBadFile = 8;
const system = {fd_close: () => kBadFile, fd_seek: () => kBadFile, fd_write: () => kBadFile};

const utf8 = new TextEncoder();
const fromUtf8 = new TextDecoder();

export async function loadCore(wasmBytes) {
  const {instance} = await WebAssembly.instantiate(await wasmBytes, {wasi_snapshot_preview1: system});
  const core = instance.exports;
  core._initialize();

  // Copies the arguments into the module, calls, and reads the three
  // (address, length) pairs of the answer before the next call reuses them.
  const call = (fn, ...blocks) => {
    const args = [], held = [];
    for (const block of blocks) {
      const at = core.alloc(Math.max(block.length, 1));
      held.push(at);
      new Uint8Array(core.memory.buffer, at, block.length).set(block);
      args.push(at, block.length);
    }
    const at = fn(...args);  // may grow the memory: its buffer is taken after
    const answer = new Uint32Array(core.memory.buffer, at, 6);
    const texts = [0, 2, 4].map((i) => fromUtf8.decode(new Uint8Array(core.memory.buffer, answer[i], answer[i + 1])));
    held.forEach((at) => core.release(at));
    return texts;
  };

  return {
    // What the page must know of the format: {bytesRead, sliderMax, tuning: [{key, label}]}.
    facts: JSON.parse(call(core.facts)[0]),
    // {text, json, message}: the text view, the JSON line, the gear pass's complaint.
    show(bytes, name) {
      const [text, json, message] = call(core.show, bytes, utf8.encode(name));
      return {text, json, message};
    },
    // {text, json}: vantor-info --diff A B, without and with --json.
    diff(a, b) {
      const [text, json] = call(core.diff, a.bytes, utf8.encode(a.name), b.bytes, utf8.encode(b.name));
      return {text, json};
    },
  };
}
