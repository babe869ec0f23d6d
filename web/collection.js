// The loaded replays as a whole: their spreadsheet (vantor-info --csv) and
// their merged best times (vantor-info --records), each made when asked,
// from the replays loaded then, a slice at a time so that ten thousand of
// them never freeze the page.
import {fromUtf8} from "./core.js";
import {offer} from "./files.js";
import {count, noteFor} from "./list.js";
import {inSlices} from "./queue.js";

// Bytes gathered in blocks of 64 KB: a Blob made of ten thousand small
// pieces keeps the browser busy for a long task.
function gathered() {
  const full = [];
  let block = new Uint8Array(0), used = 0;
  return {
    add(bytes) {
      if (used + bytes.length > block.length) {
        full.push(block.subarray(0, used));
        [block, used] = [new Uint8Array(Math.max(1 << 16, bytes.length)), 0];
      }
      block.set(bytes, used);
      used += bytes.length;
    },
    all: () => [...full, block.subarray(0, used)],
  };
}

// A table's columns: [label, the record's value its order follows].
const kRecordColumns = [["#", (r) => r.place], ["Time", (r) => r.rawTime], ["Name", (r) => r.name],
  ["Car", (r) => r.car], ["Files", (r) => r.files], ["First in", (r) => r.firstPath]];
const byText = new Intl.Collator("en", {numeric: true, sensitivity: "base"});

// Numbers as numbers, names as people read them; equal values keep the
// merge's order, so equal times stay in the order first seen.
export function sortedRecords(records, column, down) {
  const value = kRecordColumns[column][1];
  const compare = (a, b) => (typeof a === "number" ? a - b : byText.compare(a, b));
  return [...records].sort((a, b) => compare(value(a), value(b)) * (down ? -1 : 1));
}

// replays(): the loaded replays that hold a JSON line, in the order loaded;
// show(replay) opens one as a name in the list does.
export function makeCollection({core, replays, turn, show, element}) {
  const $ = (id) => document.getElementById(id);
  const said = (text) => ($("collection-note").textContent = text);
  // The builds under way: a newer one of the same kind stops the older,
  // and a new load stops the best times, which would then be of too few.
  let csvMade = null, bestMade = null;

  async function downloadCsv() {
    const decoder = await core, from = replays(), build = (csvMade = {}), pieces = gathered();
    try {
      said("Making the CSV …");
      pieces.add(decoder.csvHeader());
      if (!await inSlices(from, (r) => pieces.add(decoder.csvRow(r.bytes, r.name)), turn, () => csvMade !== build)) return;
    } catch (error) {
      return said(`Could not make the CSV: ${noteFor({error})}`);
    }
    said("");
    offer("vantor.csv", pieces.all(), "text/csv");
  }

  // The merge lives in the core; a core that traps is started afresh
  // without it, so any failure drops the whole build.
  async function bestTimes() {
    const decoder = await core, from = replays(), build = (bestMade = {}), stopped = () => bestMade !== build;
    let merged;
    try {
      said("Merging the best times …");
      decoder.recordsClear();
      if (!await inSlices(from, (r) => decoder.recordsAdd(r.bytes, r.name), turn, stopped)) return;
      merged = decoder.records();
      decoder.recordsClear();
    } catch (error) {
      return said(`Could not merge the best times: ${noteFor({error})}`);
    }
    const groups = merged.json.split("\n").filter(Boolean).map((line) => JSON.parse(line));
    const tables = groups.map((group) => table(group, from, stopped));
    for (const {draw} of tables) if (!await draw()) return;
    const records = groups.reduce((n, g) => n + g.records.length, 0);
    $("best-said").textContent = `${count(records, "record")} from ${count(from.length, "replay")}, a table for each track and direction.` +
      (merged.leftOut ? ` ${merged.leftOut}` : "");
    $("best-tables").replaceChildren(...tables.map((t) => t.node));
    said("");
    $("best").hidden = false;
    $("best").scrollIntoView({block: "start"});
    $("best-title").focus({preventScroll: true});
  }

  // One track and direction: a table sortable by each column, each
  // record's first file a button that opens it.
  function table({track, direction, records}, from, stopped) {
    let sort = {column: 0, down: false};
    const body = element("tbody");
    const head = element("tr", {}, ...kRecordColumns.map(([label], i) => {
      const button = element("button", {type: "button", textContent: label});
      button.addEventListener("click", () => draw({column: i, down: sort.column === i && !sort.down}));
      return element("th", {scope: "col"}, button);
    }));
    const row = (r) => {
      const open = element("button", {type: "button", textContent: r.firstPath});
      open.addEventListener("click", () => {
        const first = firstFile(r, track, direction, from);  // none when a name is no valid text, as the core gets U+FFFD
        if (first) show(first);
      });
      return element("tr", {}, ...[r.place, r.time, r.name, r.car, r.files].map((v) => element("td", {textContent: v})), element("td", {}, open));
    };
    async function draw(asked = sort) {
      sort = asked;
      const rows = new DocumentFragment();
      if (!await inSlices(sortedRecords(records, sort.column, sort.down), (r) => rows.append(row(r)), turn, () => sort !== asked || stopped())) return false;
      [...head.children].forEach((th, i) => th.setAttribute("aria-sort", i !== sort.column ? "none" : sort.down ? "descending" : "ascending"));
      body.replaceChildren(rows);
      return true;
    }
    const caption = `${track || "no known track"}, ${direction || "no known direction"}`;
    return {draw, node: element("div", {className: "scroll"}, element("table", {}, element("caption", {textContent: caption}), element("thead", {}, head), body))};
  }

  // The merge names the first file by its name; of replays loaded under
  // the same name, the first that holds the record.
  function firstFile(record, track, direction, from) {
    const named = from.filter((r) => r.name === record.firstPath);
    const holds = (line) => line.track === track && line.direction === direction &&
      line.records.some((h) => h.name === record.name && h.car === record.car && h.rawTime === record.rawTime);
    return named.find((r) => named.length === 1 || holds(JSON.parse(fromUtf8.decode(r.line))));
  }

  $("download-csv").addEventListener("click", downloadCsv);
  $("best-times").addEventListener("click", bestTimes);
  return {
    // What is loaded changed: the buttons say how many replays, and a view
    // of fewer than that goes, as does a build under way.
    loaded(replays, loading) {
      const many = count(replays, "replay");
      $("download-csv").textContent = loading ? "Download CSV (when loaded)" : `Download CSV (${many})`;
      $("best-times").textContent = loading ? "Best times (when loaded)" : `Best times (${many})`;
      $("download-csv").disabled = $("best-times").disabled = loading || replays === 0;
      if (loading) {
        bestMade = null;
        said("");
        $("best").hidden = true;
      }
    },
  };
}
