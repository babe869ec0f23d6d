// The list of loaded files, apart from the page that draws it: what each
// row says, the order of a sorted column, which rows are in view, and the
// counts the status gives.

// [label, the row's value]; a value of null is missing from the file.
export const kColumns = [["File", (r) => r.name], ["Track", (r) => r.values?.[0]], ["Driver", (r) => r.values?.[1]],
  ["Car", (r) => r.values?.[2]], ["Laps", (r) => r.values?.[3]], ["Note", (r) => r.note]];

// What a file is, in plain words, when it is not a whole replay with every
// value in its place; "" when it is. row: what the core said of it, or
// the error that kept it from the core.
export function noteFor({error, bytesHeld, isCut, unknownTrack, message}, bytesRead) {
  if (error) return cannotRead(error);
  const notes = [];
  if (bytesHeld === 0) notes.push("empty file: no replay in it");
  else if (isCut) notes.push(`cut short: ${bytesHeld} of ${bytesRead} bytes`);
  if (message) notes.push(message.trim().replaceAll("\n", "; "));
  if (unknownTrack) notes.push("no known track: perhaps not a replay");
  return notes.join("; ");
}

function cannotRead(error) {
  if (error instanceof WebAssembly.RuntimeError) return "the decoder failed on this file and was started afresh";
  const why = {NotFoundError: "it is gone, or was moved", NotReadableError: "the browser may not read it",
    SecurityError: "the browser refused it", RangeError: "the page ran out of memory",
    EncodingError: "a page opened as a file may not look into a dropped folder: pick its replays instead"}[error.name];
  return `cannot be read: ${why ?? (error.message || error.name)}`;
}

// "1 replay", "2,000 replays".
export const count = (n, one, many = `${one}s`) => `${n.toLocaleString("en")} ${n === 1 ? one : many}`;

// "1,998 replays, 2 files with problems": a file with a note has a problem.
export function statusText(rows) {
  const problems = rows.reduce((n, r) => n + (r.note ? 1 : 0), 0);
  const replays = count(rows.length - problems, "replay");
  return problems ? `${replays}, ${count(problems, "file")} with problems.` : `${replays}.`;
}

// Orders as people read: letters without case or accents, digits by their
// number (2 before 10), numbers before texts, a missing value last.
const naturalKey = (text) => text.normalize("NFKD").replace(/\p{M}/gu, "").toLowerCase()
    .replace(/\d+/g, (digits) => {
      const n = digits.replace(/^0+(?=\d)/, "");
      return String.fromCharCode(0x30 + Math.min(n.length, 0xFF)) + n;
    });
const sortKey = (value) => (value == null || value === "" ? null :
  typeof value === "number" || /^-?\d+$/.test(value) ? Number(value) : naturalKey(String(value)));
const compareKeys = (a, b) => (a === b ? 0 : a === null ? 1 : b === null ? -1 :
  typeof a !== typeof b ? (typeof a === "number" ? -1 : 1) : a < b ? -1 : 1);

// A sort key is made once per row and column, and a sort of ten thousand
// rows then only compares them; the page makes the keys in slices first.
export const keyOf = (row, column) => ((row.keys ??= [])[column] ??= sortKey(kColumns[column][1](row)));

// Missing values stay last either way.
export function sorted(rows, column, down) {
  const keys = new Map(rows.map((row) => [row, keyOf(row, column)]));
  return [...rows].sort((a, b) => {
    const ka = keys.get(a), kb = keys.get(b);
    return ka === null || kb === null ? compareKeys(ka, kb) : compareKeys(ka, kb) * (down ? -1 : 1);
  });
}

// The rows [first, end) to draw for a box scrolled to top, of this height,
// with rows of rowHeight each and some to spare on both sides.
export function inView(count, top, height, rowHeight, spare = 8) {
  const first = Math.max(0, Math.floor(top / rowHeight) - spare);
  return [first, Math.min(count, Math.ceil((top + height) / rowHeight) + spare)];
}
