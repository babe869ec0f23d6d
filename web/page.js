// The page: replays in from the picker or a drop, decoded by the core in
// slices so that ten thousand files never freeze it; one shown as the
// window shows it, all of them listed, two compared, all downloaded.
import {loadCore} from "./core.js";

const kSliceMs = 12;      // decoding per turn before the page gets to draw again

const $ = (id) => document.getElementById(id);
const wasmBytes = () => fetch(new URL("vantor.wasm", import.meta.url)).then((r) => r.arrayBuffer());
const core = loadCore(wasmBytes());

const replays = [];
const chosen = new Set();
let shown = null;
let sort = {key: null, down: false};

const kGears = ["1", "2", "3", "4", "5", "6", "Reverse", "Final"];
const kColumns = [["File", "name"], ["Track", "track"], ["Driver", "driver"], ["Car", "car"], ["Laps", "laps"],
  ["Note", "note"]];

function element(tag, props = {}, ...children) {
  const node = Object.assign(document.createElement(tag), props);
  node.append(...children);
  return node;
}

// ---- reading ---------------------------------------------------------

// Chromium reads a small file whole twice as fast as a slice of it; only
// the start is kept. A big one is sliced, so a huge file costs nothing.
const kWholeUpTo = 1 << 16;
// The core reads no further than bytesRead; a huge file costs that much.
const readStart = (file, bytesRead) => (file.error ? Promise.resolve(file.error) :
  (file.size <= kWholeUpTo ? file : file.slice(0, bytesRead)).arrayBuffer()
      .then((b) => new Uint8Array(b).slice(0, bytesRead), (e) => e));

// What the list says about a replay beside its values: why it could not
// be read, or what about it is not as a replay should be.
function noteFor(replay, message, bytesRead) {
  if (replay.error) return `cannot be read: ${replay.error.message || replay.error.name}`;
  const notes = [], info = replay.info, bytesHeld = info.bytesHeld;
  if (bytesHeld === 0) notes.push("empty file");
  else if (info.isCut) notes.push(`cut short: ${bytesHeld} of ${bytesRead} bytes`);
  if (message) notes.push(message.trim().replaceAll("\n", "; "));
  if (bytesHeld > 0 && info.track === "") notes.push("no known track");
  return notes.join("; ");
}

async function decode(name, read) {
  const replay = {name};
  try {
    if (!(read instanceof Uint8Array)) throw read;
    const decoder = await core;
    const {json, message} = decoder.show(read, name);
    Object.assign(replay, {bytes: read, json, info: JSON.parse(json)});
    replay.note = noteFor(replay, message, decoder.facts.bytesRead);
  } catch (error) {  // unreadable, or the decoder ran out of memory
    Object.assign(replay, {error, info: {}});
    replay.note = noteFor(replay);
  }
  return replay;
}

// files: [{name, file}], in the order vantor-info would be given them.
// A second batch waits for the first, so that their rows never mix.
let loading = Promise.resolve();
const open = (files) => (loading = loading.then(() => openNow(files)));

async function openNow(files) {
  if (files.length === 0) return;
  const first = replays.length;
  progress(0, files.length);
  for (let done = 0; done < files.length;) {
    const until = performance.now() + kSliceMs;
    const added = [];
    while (done < files.length && performance.now() < until) {
      const batch = files.slice(done, done + 64);
      const {bytesRead} = (await core).facts;
      const read = await Promise.all(batch.map((f) => readStart(f.file, bytesRead)));
      for (let i = 0; i < batch.length; ++i) added.push(await decode(batch[i].name, read[i]));
      done += batch.length;
    }
    replays.push(...added);
    appendRows(added);
    progress(done, files.length);
    await new Promise((resolve) => setTimeout(resolve));
  }
  if (sort.key) renderList();
  const firstGood = replays.slice(first).find((r) => r.json);
  if (firstGood) show(firstGood);
  $("loaded").hidden = false;
}

function progress(done, total) {
  const bar = $("progress");
  bar.hidden = done === total;
  $("status").setAttribute("aria-busy", done !== total);  // screen readers hear the end, not every slice
  Object.assign(bar, {max: total, value: done});
  const count = `${replays.length} replay${replays.length === 1 ? "" : "s"}`;
  $("progress-text").textContent = done === total ? `${count} loaded.` : `Reading ${done} of ${total} …`;
}

// A folder is read as vantor-info reads one: its .rpl files, depth first,
// names in byte order.
const kReplayName = /.\.[rR][pP][lL]$/;
const entries = (folder) => new Promise((resolve, reject) => {
  const reader = folder.createReader(), all = [];
  const next = () => reader.readEntries((some) => (some.length ? (all.push(...some), next()) : resolve(all)), reject);
  next();
});
// What cannot be had becomes a row that says why.
const fileOf = (entry) => new Promise((resolve, reject) => entry.file(resolve, reject)).catch((error) => ({error}));
const utf8 = new TextEncoder();
const sortKey = (name) => String.fromCharCode(...utf8.encode(name));

async function walk(folder, out) {
  const found = await entries(folder).catch((error) => (out.push({name: folder.fullPath.slice(1), file: {error}}), []));
  found.sort((a, b) => (sortKey(a.name) < sortKey(b.name) ? -1 : 1));
  for (const entry of found) {
    if (entry.isDirectory) await walk(entry, out);
    else if (kReplayName.test(entry.name)) out.push({name: entry.fullPath.slice(1), file: await fileOf(entry)});
  }
}

// Entries are taken at once: the drop's data is gone after the first wait.
async function dropped(transfer) {
  const items = [...transfer.items].filter((item) => item.kind === "file").map((item) => item.webkitGetAsEntry());
  const files = [];
  for (const entry of items) {
    if (entry?.isDirectory) await walk(entry, files);
    else if (entry) files.push({name: entry.name, file: await fileOf(entry)});
  }
  await open(files);
}

// ---- one replay, as the window shows it ------------------------------

function buildWindow({tuning, sliderMax}) {
  for (const [i, {label, key}] of tuning.entries()) {
    const id = `slider-${key}`;
    const row = element("div", {className: "slider"},
        element("input", {id, type: "range", min: 0, max: sliderMax, step: 1, disabled: true}),
        element("label", {htmlFor: id, textContent: label}),
        element("output", {id: `stored-${key}`, title: "stored value"}));
    row.querySelector("output").setAttribute("aria-label", `${label}, stored value`);
    if (i === tuning.length - 1) row.append(element("span", {className: "ends"}, "Rear", element("span", {}, "Front")));
    $("sliders").append(row);
  }
  for (const [i, label] of kGears.entries()) {
    $("gears").append(element("tr", {}, element("td", {id: `gear-${i}`}), element("th", {scope: "row", textContent: label})));
  }
}

function show(replay) {
  shown = replay;
  const info = replay.info;
  $("window").hidden = false;
  $("caption").textContent = info.caption;
  for (const key of ["track", "driver", "car", "direction", "laps"]) $(key).textContent = info[key];
  for (const key of ["automaticTransmission", "damage"]) $(key).checked = info[key] !== 0;
  for (const key of Object.keys(info.sliders)) {
    $(`slider-${key}`).value = info.sliders[key];
    $(`stored-${key}`).textContent = info.stored[key];
  }
  for (const key of ["downforce", "tyrePressure"]) info[key].forEach((v, i) => ($(`${key}-${i}`).textContent = v));
  info.gears.forEach((g, i) => ($(`gear-${i}`).textContent = g));
  $("records").replaceChildren(...info.records.map((r) => element("tr", {},
      ...[r.place, r.name, r.car, r.time].map((t) => element("td", {textContent: t})))));
  $("note").textContent = replay.note;
  for (const row of $("list").tBodies[0].rows) row.toggleAttribute("aria-current", row.replay === replay);
}

// The text view is made again here rather than kept for each of what may be
// thousands of replays.
async function copy() {
  const {text} = (await core).show(shown.bytes, shown.name);
  try {
    await navigator.clipboard.writeText(text);
    $("note").textContent = "Copied the text view.";
  } catch (error) {
    $("note").textContent = `Could not copy: ${error.message}`;
  }
}

// ---- the list --------------------------------------------------------

function row(replay) {
  const pick = element("input", {type: "checkbox", checked: chosen.has(replay)});
  pick.setAttribute("aria-label", `Choose ${replay.name} to compare`);
  pick.addEventListener("change", () => {
    pick.checked ? chosen.add(replay) : chosen.delete(replay);
    $("compare").disabled = chosen.size !== 2;
  });
  const name = replay.json ? element("button", {type: "button", textContent: replay.name}) : replay.name;
  if (replay.json) name.addEventListener("click", () => show(replay));
  const tr = element("tr", {replay}, element("td", {}, pick), element("th", {scope: "row"}, name),
      ...kColumns.slice(1).map(([, key]) => element("td", {textContent: cell(replay, key)})));
  if (replay.error) pick.disabled = true;
  return tr;
}

const cell = (replay, key) => (key === "note" ? replay.note : replay.info[key] ?? "");
const appendRows = (added) => $("list").tBodies[0].append(...added.map(row));

function renderList() {
  const order = [...replays];
  if (sort.key) {
    const collator = new Intl.Collator(undefined, {numeric: true});
    const number = (t) => (/^-?\d+$/.test(t) ? Number(t) : NaN);
    const key = sort.key === "name" ? (r) => r.name : (r) => cell(r, sort.key);
    const compare = (a, b) => number(a) - number(b) || (number(a) === number(b) ? 0 : collator.compare(a, b));
    order.sort((a, b) => compare(key(a), key(b)) * (sort.down ? -1 : 1));
  }
  $("list").tBodies[0].replaceChildren(...order.map(row));
  for (const th of $("list").tHead.rows[0].cells) {
    const key = th.dataset.key;
    if (key) th.setAttribute("aria-sort", key === sort.key ? (sort.down ? "descending" : "ascending") : "none");
  }
  if (shown) show(shown);
}

function buildList() {
  const head = $("list").tHead.rows[0];
  for (const [label, key] of kColumns) {
    const button = element("button", {type: "button", textContent: label});
    button.addEventListener("click", () => {
      sort = {key, down: sort.key === key && !sort.down};
      renderList();
    });
    const th = element("th", {scope: "col"}, button);
    th.dataset.key = key;
    head.append(th);
  }
}

async function compare() {
  const [a, b] = replays.filter((r) => chosen.has(r));
  const {text} = (await core).diff(a, b);
  Object.assign($("diff"), {hidden: false, textContent: text || `${a.name} and ${b.name} show the same values.`});
}

function download() {
  const lines = replays.filter((r) => r.json).map((r) => r.json);
  const link = element("a", {download: "vantor.jsonl"});
  link.href = URL.createObjectURL(new Blob(lines, {type: "application/jsonl"}));
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

// ---- wiring ----------------------------------------------------------

core.then((c) => buildWindow(c.facts));
buildList();
$("open").addEventListener("change", (event) => {
  const picked = [...event.target.files].map((file) => ({name: file.name, file}));
  event.target.value = "";
  open(picked);
});
document.addEventListener("dragover", (event) => {
  event.preventDefault();
  event.dataTransfer.dropEffect = "copy";
});
document.addEventListener("drop", (event) => {
  event.preventDefault();
  dropped(event.dataTransfer);
});
$("copy").addEventListener("click", copy);
$("compare").addEventListener("click", compare);
$("download").addEventListener("click", download);
core.catch((error) => ($("progress-text").textContent = `The decoder did not load: ${error.message}`));
