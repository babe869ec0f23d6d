// The WebAssembly side of bench/web-speed, in Node's engine (the browser's),
// over the same files: the module's own entry point called directly, then
// through the page's core.js, which adds copying the bytes in, the JSON
// line's bytes out and the list row's values parsed: what the page asks for
// each replay of a batch. Prints nanoseconds per replay for each.
import fs from "node:fs";
import path from "node:path";

const [site, rounds, ...names] = process.argv.slice(2);
const wasm = fs.readFileSync(path.join(site, "vantor.wasm"));
const files = names.map((name) => ({name, bytes: fs.readFileSync(name).subarray(0, 4583)}));

// The fastest of five runs, after enough calls for the engine's top tier
// to take over from its first, quick compile.
function timed(call) {
  for (let round = 0; round < 500; ++round) files.forEach(call);
  let best = Infinity;
  for (let run = 0; run < 5; ++run) {
    const start = process.hrtime.bigint();
    for (let round = 0; round < Number(rounds); ++round) files.forEach(call);
    best = Math.min(best, Number(process.hrtime.bigint() - start) / (Number(rounds) * files.length));
  }
  return Math.round(best);
}

// Directly: bytes and names placed in the module's memory once.
const closed = () => 8;
const system = {fd_close: closed, fd_seek: closed, fd_write: closed};
const {instance} = await WebAssembly.instantiate(wasm, {wasi_snapshot_preview1: system});
const core = instance.exports;
core._initialize();
const place = (bytes) => {
  const at = core.alloc(bytes.length + 1);
  new Uint8Array(core.memory.buffer, at, bytes.length).set(bytes);
  return [at, bytes.length];
};
for (const file of files) file.args = [...place(file.bytes), ...place(new TextEncoder().encode(file.name))];
const direct = timed((file) => core.row(...file.args));

const {loadCore} = await import(path.resolve(site, "core.js"));
const page = await loadCore(wasm);
console.log(direct, timed((file) => page.row(file.bytes, file.name)));
