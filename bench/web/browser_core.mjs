// The WebAssembly side of bench/web-speed again, in headless Chromium, the
// page's own engine (Node's is some versions older): the module's entry
// point called directly, then through the page's core.js, on the same
// files, all of them in each batch, timed as wasm_core.mjs times them.
// Prints nanoseconds per replay for each.
import fs from "node:fs";
import path from "node:path";
import {fileURLToPath} from "node:url";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const {chromium} = await import(path.join(root, "tests/web/node_modules/playwright-core/index.mjs"));
const [site, rounds, ...names] = process.argv.slice(2);
const base64 = (file, bytes) => fs.readFileSync(file).subarray(0, bytes).toString("base64");

const browser = await chromium.launch({executablePath: "/usr/lib/chromium/chromium-headless-shell", args: ["--disable-gpu"]});
try {
  const page = await browser.newPage();
  const times = await page.evaluate(async ({wasm, coreJs, files, rounds}) => {
    const decoded = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    const module = decoded(wasm), batch = files.map(({name, bytes}) => [decoded(bytes), name]);
    const timed = (call) => {
      for (let round = 0; round < 500; ++round) call();
      let best = Infinity;
      for (let run = 0; run < 5; ++run) {
        const start = performance.now();
        for (let round = 0; round < rounds; ++round) call();
        best = Math.min(best, (performance.now() - start) * 1e6 / (rounds * batch.length));
      }
      return Math.round(best);
    };
    const closed = () => 8;
    const {instance} = await WebAssembly.instantiate(module, {wasi_snapshot_preview1: {fd_close: closed, fd_seek: closed, fd_write: closed}});
    const core = instance.exports;
    core._initialize();
    const place = (bytes) => {
      const at = core.alloc(bytes.length + 1);
      new Uint8Array(core.memory.buffer, at, bytes.length).set(bytes);
      return [at, bytes.length];
    };
    const table = core.alloc(16 * batch.length);
    new Uint32Array(core.memory.buffer, table, 4 * batch.length)
        .set(batch.flatMap(([bytes, name]) => [...place(bytes), ...place(new TextEncoder().encode(name))]));
    const direct = timed(() => core.rows(table, batch.length));
    const {loadCore} = await import(URL.createObjectURL(new Blob([coreJs], {type: "text/javascript"})));
    const viaPage = await loadCore(module);
    return [direct, timed(() => viaPage.rows(batch))];
  }, {wasm: base64(path.join(site, "vantor.wasm")), coreJs: fs.readFileSync(path.join(site, "core.js"), "utf8"),
    files: names.map((name) => ({name, bytes: base64(name, 4583)})), rounds: Number(rounds)});
  console.log(...times);
} finally {
  await browser.close();
}
