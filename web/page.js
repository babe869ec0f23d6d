// The page: replays in from the picker or a drop, decoded by the core in
// slices so that ten thousand files never freeze it; one shown as the
// window shows it, all of them listed, two compared, all downloaded.
import {makeCollection} from "./collection.js";
import {fromUtf8, loadCore} from "./core.js";
import {dropItems, offer, picked, readStart, walkDropped} from "./files.js";
import {count, inView, kColumns, keyOf, noteFor, sorted, statusText} from "./list.js";
import {inSlices, kSliceMs, makeQueue} from "./queue.js";

const kReadAhead = 256;  // files read at once, while the ones before are decoded
const kBatch = 64;  // files read that the core decodes in one call
const kShowEveryMs = 100;  // how often a load shows its progress

const $ = (id) => document.getElementById(id);
const core = loadCore(fetch(new URL("vantor.wasm", import.meta.url)).then((response) => {
  if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
  return response.arrayBuffer();
}));

const rows = [];  // every file loaded, in the order loaded
let order = rows;  // as the list shows them
let sort = {column: null, down: false};  // the last asked for
let sortShown = sort;  // the one order is in, which the headings show: a sort of many rows takes a while
let chosen = [];  // at most two, the earlier first
let shown = null;
let loading = 0;  // batches not yet loaded
const replays = () => rows.filter((row) => row.line);  // the files that hold one

const kGears = ["1", "2", "3", "4", "5", "6", "Reverse", "Final"];

function element(tag, props = {}, ...children) {
  const node = Object.assign(document.createElement(tag), props);
  node.append(...children);
  return node;
}
// A turn of the event loop, for the page to draw and answer: a message,
// as a timer that follows timers waits at least 4 ms.
const turns = new MessageChannel(), waiting = [];
turns.port1.onmessage = () => waiting.shift()();
const turn = () => new Promise((resolve) => waiting.push(resolve) && turns.port2.postMessage(0));

// ---- loading ---------------------------------------------------------

function status(text, done = 0, total = 0) {
  Object.assign($("progress"), {hidden: !total, max: total, value: done});
  $("status").setAttribute("aria-busy", loading > 0);  // screen readers hear the end, not every slice
  $("progress-text").textContent = text;
}
const said = () => status(statusText(rows));
const coreFailed = (error) => status(`This page's decoder could not be loaded (${error.message}), so no replay can be opened here.`);

// A batch waits for the ones before it, so that their rows never mix; one
// that fails says so and the next still loads.
const enqueue = makeQueue((error) => status(`Could not load those files: ${error.message}`));
function load(found) {
  ++loading;
  updateDownload();
  return enqueue(found, loadNow).finally(() => {
    --loading;
    updateDownload();
    if (!loading) $("status").setAttribute("aria-busy", false);
  });
}

async function loadNow(files) {
  let decoder;
  try {
    decoder = await core;
  } catch (error) {
    return coreFailed(error);
  }
  if (!files.length) return said();
  // Reading a file costs the browser a while even before it answers, so
  // asking for the next ones is timed with the decoding, in the same slices.
  const {bytesRead} = decoder.facts, read = new Array(files.length), added = [];
  let asked = 0, done = 0, wake = null, drawn = 0, arrived = 0, woken = 0;
  const ask = (i) => readStart(files[i], bytesRead).then((bytes) => {
    read[i] = bytes;
    // A batch wakes the loop, or the last read on its way: each turn of the
    // loop takes time from the browser's reading.
    if (++arrived - woken >= kBatch || arrived === asked) wake?.();
  });
  status(`Reading 0 of ${files.length.toLocaleString("en")} …`, 0, files.length);
  while (done < files.length) {
    for (const until = performance.now() + kSliceMs; performance.now() < until;) {
      if (read[done] !== undefined) {
        let end = done + 1;
        while (end < files.length && end - done < kBatch && read[end] !== undefined) ++end;
        added.push(...decoded(decoder, files.slice(done, end), read.slice(done, end)));
        read.fill(null, done, end);
        done = end;
      } else if (asked < files.length && asked - done < kReadAhead) {
        ask(asked++);
      } else {
        break;
      }
    }
    if (performance.now() - drawn > kShowEveryMs || done === files.length) {  // drawing costs the browser more than decoding
      drawn = performance.now();
      rows.push(...added.splice(0));
      if (sort.column === null) order = rows;
      redraw(() => status(`Reading ${done.toLocaleString("en")} of ${files.length.toLocaleString("en")} …`, done, files.length));
    }
    // Waits for a read only while one is on its way: a slice may end just as it caught up with them all.
    await (read[done] === undefined && done < asked ? new Promise((resolve) => (wake = resolve)) : turn());
    [wake, woken] = [null, arrived];
  }
  if (sort.column !== null) [order, sortShown] = [sorted(rows, sort.column, sort.down), sort];
  redraw(said);
  const first = rows.slice(rows.length - files.length).find((row) => row.line);
  if (first) show(first, false);
}

// The files read, in one call to the core; one that could not be read,
// or that the core failed on, says why in its row.
function decoded(decoder, files, reads) {
  const made = decoder.rows(reads.flatMap((read, i) => (read instanceof Uint8Array ? [[read, files[i].name]] : [])));
  let next = 0;
  return reads.map((read, i) => {
    const name = files[i].name, readable = read instanceof Uint8Array, got = readable ? made[next++] : read;
    const row = readable && !(got instanceof Error) ? Object.assign(got, {name, bytes: read}) : {name, error: got};
    row.note = noteFor(row, decoder.facts.bytesRead);
    return row;
  });
}

// ---- one replay, as the window shows it ------------------------------

function buildWindow({tuning, sliderMax}) {
  for (const [i, {label, key}] of tuning.entries()) {
    const id = `slider-${key}`;
    const row = element("div", {className: "slider"},
        element("label", {htmlFor: id, textContent: label}),
        element("input", {id, type: "range", min: 0, max: sliderMax, step: 1, disabled: true}),
        element("output", {id: `stored-${key}`, title: "stored value"}));
    row.querySelector("output").setAttribute("aria-label", `${label}, stored value`);
    if (i === tuning.length - 1) row.append(element("span", {className: "ends"}, "Rear", element("span", {}, "Front")));
    $("sliders").append(row);
  }
  for (const [i, label] of kGears.entries()) {
    $("gears").append(element("tr", {}, element("td", {id: `gear-${i}`}), element("th", {scope: "row", textContent: label})));
  }
}

// A value the file does not hold (null) shows as missing, never as a value.
function put(node, value) {
  node.textContent = value ?? "";
  node.classList.toggle("missing", value === null);
  if (value === null) node.title = "missing: the file ends before it";
  else node.removeAttribute("title");
}

const lineOf = (row) => JSON.parse(fromUtf8.decode(row.line));

function show(row, reveal = true) {
  shown = row;
  $("window").hidden = false;
  $("form").hidden = !row.line;
  $("copy").disabled = !row.line;
  $("note").textContent = row.note;
  $("caption").textContent = row.line ? lineOf(row).caption : row.name;
  if (row.line) showValues(lineOf(row));
  drawList();
  if (reveal) {
    $("window").scrollIntoView({block: "start"});
    $("caption").focus({preventScroll: true});
  }
}

function showValues(info) {
  for (const key of ["track", "driver", "car", "direction", "laps"]) put($(key), info[key] === null ? null : String(info[key]));
  for (const key of ["automaticTransmission", "damage"]) {
    Object.assign($(key), {indeterminate: info[key] === null, checked: Boolean(info[key])});
  }
  for (const key of Object.keys(info.sliders)) {
    const slider = $(`slider-${key}`), missing = info.sliders[key] === null;
    slider.value = info.sliders[key] ?? 0;
    slider.classList.toggle("missing", missing);
    slider.setAttribute("aria-valuetext", missing ? "missing" : slider.value);
    put($(`stored-${key}`), info.stored[key] === null ? null : String(info.stored[key]));
  }
  for (const key of ["downforce", "tyrePressure"]) info[key].forEach((v, i) => put($(`${key}-${i}`), v === null ? null : String(v)));
  info.gears.forEach((g, i) => put($(`gear-${i}`), g));
  $("records").replaceChildren(...info.records.map((r) => {
    const tr = element("tr", {});
    for (const value of [String(r.place), r.name, r.car, r.time]) put(tr.appendChild(element("td")), value);
    return tr;
  }));
}

// The text view is made again here rather than kept for each of what may be
// thousands of replays.
async function copyText(text, note) {
  try {
    await navigator.clipboard.writeText(text());
    note.textContent = "Copied.";
  } catch (error) {
    note.textContent = `Could not copy: ${error.message}`;
  }
}

// ---- the list: only the rows in view are drawn -------------------------

let rowHeight = 0;

// Draws the list once a frame at most, with whatever else is to be said then.
let drawing = null;
function redraw(also) {
  if (!drawing) {
    requestAnimationFrame(() => {
      drawList();
      drawing();
      drawing = null;
    });
  }
  drawing = also ?? drawing ?? (() => {});
}

function drawList() {
  const box = $("list"), body = $("rows");
  if ($("loaded").hidden !== (rows.length === 0)) [$("loaded").hidden, $("start").hidden] = [!rows.length, Boolean(rows.length)];
  if (!rowHeight && order.length) {
    body.append(rowNode(order[0], 0));
    rowHeight = body.lastChild.offsetHeight || 1;
  }
  // Every question of layout before any change, so that it is laid out once.
  const [first, end] = inView(order.length, Math.max(0, box.scrollTop - body.offsetTop), box.clientHeight, rowHeight);
  box.setAttribute("aria-rowcount", order.length + 1);
  body.style.height = `${order.length * rowHeight}px`;
  const kept = new Map();
  for (const node of [...body.children]) {
    if (node.index >= first && node.index < end && order[node.index] === node.row) kept.set(node.index, node);
    else node.remove();
  }
  // A row kept is changed in place, so that the box just ticked keeps the focus.
  let next = null;
  for (let i = end - 1; i >= first; --i) {
    next = kept.get(i) ?? body.insertBefore(rowNode(order[i], i), next);
    next.style.top = `${i * rowHeight}px`;
    next.querySelector("input").checked = chosen.includes(next.row);
    next.toggleAttribute("aria-current", next.row === shown);
  }
  for (const i of kColumns.keys()) {
    $("list-head").children[i + 1].setAttribute("aria-sort", sortShown.column !== i ? "none" : sortShown.down ? "descending" : "ascending");
  }
}

function rowNode(row, index) {
  const pick = element("input", {type: "checkbox", checked: chosen.includes(row), disabled: !row.line});
  pick.setAttribute("aria-label", `Choose ${row.name} to compare`);
  pick.addEventListener("change", () => choose(row, pick.checked));
  const open = element("button", {type: "button", textContent: row.name, title: row.name});
  open.addEventListener("click", () => show(row));
  const node = element("div", {className: "row", index, row},
      element("div", {className: "pick"}, pick), element("div", {className: "name"}, open));
  node.setAttribute("role", "row");
  node.setAttribute("aria-rowindex", index + 2);
  node.firstChild.setAttribute("role", "cell");
  node.children[1].setAttribute("role", "rowheader");
  for (const [, value] of kColumns.slice(1)) {
    const text = value(row), cell = element("div");
    put(cell, text === undefined ? "" : text === null ? null : String(text));
    cell.setAttribute("role", "cell");
    if (cell.textContent) cell.title = cell.textContent;
    node.append(cell);
  }
  return node;
}

// Sorts once every row has its key, made in slices; a later click wins.
async function sortBy(column, down) {
  const asked = (sort = {column, down});
  if (!await inSlices(rows, (row) => keyOf(row, column), turn, () => sort !== asked)) return;
  [order, sortShown] = [sorted(rows, column, down), asked];
  drawList();
}

function buildList() {
  const head = $("list-head");
  for (const [i, [label]] of kColumns.entries()) {
    const button = element("button", {type: "button", textContent: label});
    button.addEventListener("click", () => sortBy(i, sort.column === i && !sort.down));
    const th = element("div", {className: `col-${label.toLowerCase()}`}, button);
    th.setAttribute("role", "columnheader");
    head.append(th);
  }
  $("list").addEventListener("scroll", () => redraw(), {passive: true});
  addEventListener("resize", () => {
    rowHeight = 0;
    $("rows").replaceChildren();
    redraw();
  });
}

// ---- two compared ----------------------------------------------------

function choose(row, on) {
  const dropped = on && chosen.length === 2 ? chosen[0] : null;
  chosen = on ? [...chosen, row].slice(-2) : chosen.filter((r) => r !== row);
  const names = chosen.map((r) => r.name);
  $("compare").disabled = chosen.length !== 2;
  $("compare-hint").textContent = [
    "Tick two replays in the list to compare them.",
    `${names[0]} is chosen: tick one more to compare.`,
    `${names[0]} and ${names[1]} are chosen${dropped ? ` (${dropped.name} no longer: two at a time)` : ""}.`,
  ][chosen.length];
  drawList();
}

// One line per value, both replays side by side, each difference marked.
function comparedRows(a, b, facts, differences) {
  const rows = [["Track", "/track"], ["Driver", "/driver"], ["Car", "/car"], ["Direction", "/direction"], ["Laps", "/laps"],
    ["Transmission/autom.", "/automaticTransmission"], ["Damage", "/damage"],
    ...facts.tuning.map(({key, label}) => [label, `/stored/${key}`]),
    ["Downforce left", "/downforce/0"], ["Downforce right", "/downforce/1"],
    ["Tire pressure left", "/tyrePressure/0"], ["Tire pressure right", "/tyrePressure/1"],
    ...kGears.map((label, i) => [`Gear ${label}`, `/gears/${i}`]),
    ...a.records.map((r, i) => [`Record ${r.place}`, `/records/${i}`])];
  const at = (line, pointer) => pointer.split("/").slice(1).reduce((value, key) => value?.[key], line);
  const text = (value) => (value === null ? null : typeof value === "object" ? [value.name, value.car, value.time].join(" · ") : String(value));
  return rows.map(([label, pointer]) => {
    const tr = element("tr", {}, element("th", {scope: "row", textContent: label}), element("td"), element("td"));
    tr.dataset.field = pointer;
    put(tr.cells[1], text(at(a, pointer)));
    put(tr.cells[2], text(at(b, pointer)));
    if (differences.has(pointer)) {
      tr.className = "differs";
      tr.cells[0].append(element("span", {className: "hidden", textContent: " (differs)"}));
    }
    return tr;
  });
}

async function compare() {
  const decoder = await core, [a, b] = chosen;
  let diff;
  try {
    diff = decoder.diff(a, b);
  } catch (error) {
    $("compare-hint").textContent = `Could not compare them: ${noteFor({error})}`;
    return;
  }
  const differences = new Set(JSON.parse(diff.json).differences.map((d) => d.field));
  $("side-a").textContent = a.name;
  $("side-b").textContent = b.name;
  $("sides").tBodies[0].replaceChildren(...comparedRows(lineOf(a), lineOf(b), decoder.facts, differences));
  $("compared-count").textContent = differences.size ?
    `${differences.size} value${differences.size === 1 ? " differs" : "s differ"}, marked ≠.` : "They show the same values.";
  $("diff").textContent = diff.text;
  $("comparison").hidden = false;
  $("comparison").scrollIntoView({block: "start"});
}

function updateDownload() {
  const lines = replays().length;
  $("download").disabled = loading > 0 || lines === 0;
  $("download").textContent = loading ? "Download JSON Lines (when loaded)" : `Download JSON Lines (${count(lines, "replay")})`;
  collection.loaded(lines, loading > 0);
}

const download = () => offer("vantor.jsonl", replays().map((row) => row.line), "application/jsonl");

// ---- wiring ----------------------------------------------------------

core.then((c) => buildWindow(c.facts), coreFailed);
buildList();
const collection = makeCollection({core, replays, turn, show, element});
$("pick").addEventListener("click", () => $("open").click());
// A fresh picker takes the place of one used, so that the same files can
// be picked again: emptying one of ten thousand files keeps the page busy
// for a tenth of a second.
document.addEventListener("change", (event) => {
  if (event.target.id !== "open") return;
  const files = [...event.target.files];
  event.target.replaceWith(event.target.cloneNode());
  load(turn().then(() => picked(files)));
});
document.addEventListener("dragover", (event) => {
  event.preventDefault();
  event.dataTransfer.dropEffect = "copy";
});
document.addEventListener("drop", (event) => {
  event.preventDefault();
  const items = dropItems(event.dataTransfer);
  status("Looking through what was dropped …");
  const found = (n) => status(`Looking through what was dropped: ${n.toLocaleString("en")} found …`);
  load(walkDropped(items, (n) => loading === 1 && found(n)));
});
$("copy").addEventListener("click", () => core.then((decoder) => copyText(() => decoder.text(shown.bytes, shown.name), $("note"))));
$("compare").addEventListener("click", compare);
$("copy-diff").addEventListener("click", () => copyText(() => $("diff").textContent, $("compare-note")));
$("download").addEventListener("click", download);
