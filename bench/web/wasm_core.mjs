// The WebAssembly side of bench/web-speed, in Node's engine (the browser's),
// over the same files, all of them in each batch, as the native side takes
// them: the module's own entry point called directly, then through the
// page's core.js, which adds copying the bytes in and the JSON lines' bytes
// out: what the page asks for each batch of replays it has read. Prints
// nanoseconds per replay for each.
import fs from "node:fs";
import path from "node:path";

const [site, rounds, ...names] = process.argv.slice(2);
const wasm = fs.readFileSync(path.join(site, "vantor.wasm"));
const files = names.map((name) => ({name, bytes: fs.readFileSync(name).subarray(0, 4583)}));

// The fastest of five runs, after enough calls for the engine's top tier
// to take over from its first, quick compile.
function timed(call) {
  for (let round = 0; round < 500; ++round) call();
  let best = Infinity;
  for (let run = 0; run < 5; ++run) {
    const start = process.hrtime.bigint();
    for (let round = 0; round < Number(rounds); ++round) call();
    best = Math.min(best, Number(process.hrtime.bigint() - start) / (Number(rounds) * files.length));
  }
  return Math.round(best);
}

// Directly: the files and their table placed in the module's memory once.
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
const table = core.alloc(16 * files.length);
new Uint32Array(core.memory.buffer, table, 4 * files.length)
    .set(files.flatMap((file) => [...place(file.bytes), ...place(new TextEncoder().encode(file.name))]));
const direct = timed(() => core.rows(table, files.length));

const {loadCore} = await import(path.resolve(site, "core.js"));
const page = await loadCore(wasm);
const batch = files.map((file) => [file.bytes, file.name]);
console.log(direct, timed(() => page.rows(batch)));
