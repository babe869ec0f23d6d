// Files in from the picker or a drop, in the order vantor-info would be
// given them, as [{name, open}]: open() gives the File (or a promise of it),
// asked for only when its bytes are read; and files out, as downloads.

// A folder is read as vantor-info reads one: its .rpl files, depth first,
// names in byte order.
const kReplayName = /.\.[rR][pP][lL]$/;
const utf8 = new TextEncoder();
const byteOrder = (name) => String.fromCharCode(...utf8.encode(name));

// A name is asked of its file when the file is read: for ten thousand
// files at once, asking them all first keeps the page busy.
class Picked {
  constructor(file) {
    this.file = file;
  }

  get name() {
    return this.file.name;
  }

  open() {
    return this.file;
  }
}
export const picked = (files) => files.map((file) => new Picked(file));

// What a drop holds must be taken before its event returns: the drop's
// data is gone after the first wait. The dropped File stands in for an
// entry that cannot be read, as on a page opened from file://.
export function dropItems(transfer) {
  return [...transfer.items].filter((item) => item.kind === "file")
      .map((item) => ({entry: item.webkitGetAsEntry(), file: item.getAsFile()}));
}

const fileOf = (entry, fallback) => () => new Promise((resolve, reject) => entry.file(resolve, reject))
    .catch((error) => (fallback ?? Promise.reject(error)));

// Calls counted(n) as the walk finds replays, so that a big folder shows
// progress from its first entries on.
export async function walkDropped(items, counted) {
  const out = [];
  let seen = 0;
  const walk = async (folder) => {
    const found = [];
    try {
      const reader = folder.createReader();
      for (let some; (some = await new Promise((resolve, reject) => reader.readEntries(resolve, reject))).length;) {
        found.push(...some);
        counted((seen += some.length));
      }
    } catch (error) {
      out.push({name: folder.fullPath.slice(1), open: () => Promise.reject(error)});
    }
    const keyed = found.map((entry) => [byteOrder(entry.name), entry]).sort((a, b) => (a[0] < b[0] ? -1 : 1));
    for (const [, entry] of keyed) {
      if (entry.isDirectory) await walk(entry);
      else if (kReplayName.test(entry.name)) out.push({name: entry.fullPath.slice(1), open: fileOf(entry)});
    }
  };
  for (const {entry, file} of items) {
    if (entry?.isDirectory) await walk(entry);
    else if (file) out.push({name: file.name, open: () => file});
    else if (entry) out.push({name: entry.name, open: fileOf(entry)});
    counted(++seen);
  }
  return out;
}

// The first bytesRead bytes of a file, or why they cannot be had.
// Chromium reads a small file whole twice as fast as a slice of it; a big
// one is sliced, so a huge file costs nothing.
const kWholeUpTo = 1 << 16;
// The read is asked for before this returns, so that the page counts what
// asking costs the browser in its slice of work.
export function readStart(picked, bytesRead) {
  const read = (file) => (file.size <= kWholeUpTo ? file : file.slice(0, bytesRead)).arrayBuffer();
  const cut = (buffer) => (buffer.byteLength > bytesRead ? new Uint8Array(buffer.slice(0, bytesRead)) : new Uint8Array(buffer));
  try {
    const file = picked.open();
    return (file instanceof Blob ? read(file) : Promise.resolve(file).then(read)).then(cut, (error) => error);
  } catch (error) {
    return Promise.resolve(error);
  }
}

// Offers the parts (Blob parts) as a file of this name to download.
export function offer(name, parts, type) {
  const link = Object.assign(document.createElement("a"), {download: name});
  link.href = URL.createObjectURL(new Blob(parts, {type}));
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}
