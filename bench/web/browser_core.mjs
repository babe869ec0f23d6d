// The WebAssembly side of bench/web-speed again, in headless Chromium, the
// page's own engine (Node's is some versions older), over the given files.
// Prints nanoseconds per replay, directly and through core.js.
import fs from "node:fs";
import path from "node:path";
import {fileURLToPath} from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const {chromium} = await import(path.join(here, "../../tests/web/node_modules/playwright-core/index.mjs"));
const [site, rounds, ...names] = process.argv.slice(2);
const base64 = (file, bytes) => fs.readFileSync(file).subarray(0, bytes).toString("base64");
const source = (file) => fs.readFileSync(file, "utf8");

const browser = await chromium.launch({executablePath: "/usr/lib/chromium/chromium-headless-shell", args: ["--disable-gpu"]});
try {
  const page = await browser.newPage();
  console.log(...await page.evaluate(async ({wasm, coreJs, timingJs, files, rounds}) => {
    const bytes = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    const module = (text) => import(URL.createObjectURL(new Blob([text], {type: "text/javascript"})));
    const [{loadCore}, {timeCore}] = await Promise.all([module(coreJs), module(timingJs)]);
    return timeCore(bytes(wasm), loadCore, files.map(({name, data}) => ({name, bytes: bytes(data)})), rounds);
  }, {wasm: base64(path.join(site, "vantor.wasm")), coreJs: source(path.join(site, "core.js")),
    timingJs: source(path.join(here, "core_timing.mjs")),
    files: names.map((name) => ({name, data: base64(name, 4583)})), rounds: Number(rounds)}));
} finally {
  await browser.close();
}
