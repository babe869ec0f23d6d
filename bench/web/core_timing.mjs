// The WebAssembly side of bench/web-speed, as Node and headless Chromium
// both run it: the module's rows entry point called directly, then through
// the page's core.js (loadCore), all the files in each batch, as the native
// side takes them. Gives nanoseconds per replay for each: the fastest of
// five runs, after enough calls for the engine's top tier to take over
// from its first, quick compile.
export async function timeCore(wasm, loadCore, files, rounds) {
  const timed = (call) => {
    for (let round = 0; round < 500; ++round) call();
    let best = Infinity;
    for (let run = 0; run < 5; ++run) {
      const start = performance.now();
      for (let round = 0; round < rounds; ++round) call();
      best = Math.min(best, (performance.now() - start) * 1e6 / (rounds * files.length));
    }
    return Math.round(best);
  };

  // Directly: the files and their table placed in the module's memory once.
  const closed = () => 8;
  const {instance} = await WebAssembly.instantiate(wasm, {wasi_snapshot_preview1: {fd_close: closed, fd_seek: closed, fd_write: closed}});
  const core = instance.exports;
  core._initialize();
  const place = (bytes) => {
    const at = core.alloc(bytes.length + 1);
    new Uint8Array(core.memory.buffer, at, bytes.length).set(bytes);
    return [at, bytes.length];
  };
  const table = core.alloc(16 * files.length);
  new Uint32Array(core.memory.buffer, table, 4 * files.length)
      .set(files.flatMap(({name, bytes}) => [...place(bytes), ...place(new TextEncoder().encode(name))]));
  const direct = timed(() => core.rows(table, files.length));

  const page = await loadCore(wasm);
  const batch = files.map(({name, bytes}) => [bytes, name]);
  return [direct, timed(() => page.rows(batch))];
}
