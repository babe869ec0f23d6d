// The WebAssembly side of bench/web-speed in Node's engine, over the given
// files. Prints nanoseconds per replay, directly and through core.js.
import fs from "node:fs";
import path from "node:path";
import {timeCore} from "./core_timing.mjs";

const [site, rounds, ...names] = process.argv.slice(2);
const files = names.map((name) => ({name, bytes: fs.readFileSync(name).subarray(0, 4583)}));
const {loadCore} = await import(path.resolve(site, "core.js"));
console.log(...await timeCore(fs.readFileSync(path.join(site, "vantor.wasm")), loadCore, files, Number(rounds)));
