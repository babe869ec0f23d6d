// The page's own logic without a browser: the load queue, what the list
// says and how it sorts, and the boundary to the core over the real module.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import {test} from "node:test";
import {fileURLToPath} from "node:url";
import {sortedRecords} from "../../web/collection.js";
import {fromUtf8, loadCore} from "../../web/core.js";
import {noteFor, sorted, statusText} from "../../web/list.js";
import {makeQueue} from "../../web/queue.js";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const wasm = fs.readFileSync(path.join(process.env.VANTOR_SITE ?? path.join(root, "build/web/web/site"), "vantor.wasm"));

test("batches load in the order they were asked for, whatever order they are found in; a failing one stops none after it", async () => {
  const loaded = [], failed = [], enqueue = makeQueue((error) => failed.push(error.message));
  let findFirst;
  enqueue(new Promise((resolve) => (findFirst = resolve)), (batch) => loaded.push(batch));
  enqueue(Promise.reject(new Error("folder gone")), (batch) => loaded.push(batch));
  enqueue(Promise.resolve("bad"), () => { throw new Error("load threw"); });
  const last = enqueue(Promise.resolve("second"), (batch) => loaded.push(batch));
  setTimeout(() => findFirst("first"), 20);
  await last;
  assert.deepEqual([loaded, failed], [["first", "second"], ["folder gone", "load threw"]]);
});

test("the list sorts as people read: digits by number, no case or accents, numbers before texts, missing values last both ways", () => {
  const rows = ["b10", "B2", "Äb", null, "7", "a", ""].map((text, i) => ({name: String(i), values: [text, , , i % 3 ? i : String(i * 10)]}));
  const order = (column, down) => sorted(rows, column, down).map((row) => row.name).join("");
  assert.deepEqual([order(1, false), order(1, true), order(4, false), order(4, true)], ["4521036", "0125436", "0124536", "6354210"]);
});

test("best times sort numbers as numbers and names as people read them; equal values keep the merge's order either way", () => {
  const records = [["b10", 300, 2], ["B2", 100, 10], ["äa", 100, 1], ["a", 200, 2]].map(([name, rawTime, files], i) => ({place: i + 1, name, rawTime, files}));
  const order = (column, down) => sortedRecords(records, column, down).map((r) => r.place).join("");
  assert.deepEqual([order(1, false), order(1, true), order(2, false), order(2, true), order(4, false)], ["2341", "1423", "4321", "1234", "3142"]);
});

test("a row says in plain words what is wrong with its file, and the status counts replays and files with problems apart", () => {
  const note = (bytesHeld, isCut, unknownTrack, message = "", error = undefined) => noteFor({bytesHeld, isCut, unknownTrack, message, error}, 4583);
  assert.deepEqual([note(4583, false, false), note(0, true, false),
    note(3500, true, false, "Error in read GearRatio\nthat gear and the ones after it are left empty\n"), note(4583, false, true),
    note(0, 0, 0, "", new WebAssembly.RuntimeError("unreachable")), note(0, 0, 0, "", new DOMException("", "NotReadableError")),
    note(0, 0, 0, "", new RangeError("the page ran out of memory")), note(0, 0, 0, "", new DOMException("A URI …", "EncodingError")),
  ], ["", "empty file: no replay in it",
    "cut short: 3500 of 4583 bytes; Error in read GearRatio; that gear and the ones after it are left empty",
    "no known track: perhaps not a replay", "the decoder failed on this file and was started afresh",
    "cannot be read: the browser may not read it", "cannot be read: the page ran out of memory",
    "cannot be read: a page opened as a file may not look into a dropped folder: pick its replays instead"]);
  const rows = (good, bad) => [...Array(good).fill({note: ""}), ...Array(bad).fill({note: "empty file"})];
  assert.deepEqual([statusText(rows(1998, 2)), statusText(rows(1, 1)), statusText(rows(2, 0))],
      ["1,998 replays, 2 files with problems.", "1 replay, 1 file with problems.", "2 replays."]);
});

test("the core's row values are its JSON line's, a name keeps its byte order mark, a file the core fails on fails alone, and every call gives back what it took", async () => {
  let live = 0, starts = 0, fail = null;
  const named = (exports, table, count, name) => {
    const words = new Uint32Array(exports.memory.buffer, table, 4 * count), bytes = new Uint8Array(exports.memory.buffer);
    return [...Array(count).keys()].some((i) => fromUtf8.decode(bytes.subarray(words[4 * i + 2], words[4 * i + 2] + words[4 * i + 3])) === name);
  };
  const core = await loadCore(wasm, (exports) => (++starts, live = 0, {...exports,
    alloc: (size) => (fail === "alloc" ? 0 : (++live, exports.alloc(size))), release: (at) => (--live, exports.release(at)),
    rows: (table, count) => exports.rows(named(exports, table, count, "bad") ? 0xFFFFFFF0 : table, count),
    text: (...args) => (fail ? fail === "trap" ? exports.text(0xFFFFFFF0, 1) : fail.x.y : exports.text(...args))}));
  const bytes = new Uint8Array(4583).fill(35), name = "\uFEFFrace ,\"track\":\"é\",\"laps\":1,\\.rpl";
  const [row] = core.rows([[bytes, name]]), json = JSON.parse(fromUtf8.decode(row.line));
  assert.deepEqual([row.values, row.bytesHeld, row.isCut, row.unknownTrack, json.path],
      [[json.track, json.driver, json.car, json.laps], json.bytesHeld, json.isCut, json.track === "", name]);
  const batch = core.rows([[bytes, "a"], [bytes, "bad"], [bytes.subarray(0, 9), "c"]]);
  assert.deepEqual(batch.map((made) => (made instanceof Error ? made.constructor.name : JSON.parse(fromUtf8.decode(made.line)).path)),
      ["a", "RuntimeError", "c"]);
  assert.equal(batch[2].isCut, true);
  assert.ok(core.text(bytes, name).startsWith(`${name}\n`));
  for (fail of ["trap", "alloc", "throw"]) assert.throws(() => core.text(bytes, name), {alloc: RangeError, throw: TypeError, trap: WebAssembly.RuntimeError}[fail]);
  fail = null;
  assert.deepEqual([core.text(bytes, "b").startsWith("b\n"), live, starts], [true, 0, 4]);
});
