// The web page in a real headless Chromium, against the native vantor-info
// of the same tree: what the page shows, copies and downloads must be what
// vantor-info prints for the same files, byte for byte; and what only a
// browser shows: that it fits a phone and a desktop, never stalls, and
// keeps going when its files or its core fail it.
import assert from "node:assert/strict";
import {execFileSync, spawnSync} from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import {after, before, test} from "node:test";
import {fileURLToPath, pathToFileURL} from "node:url";
import {chromium} from "playwright-core";
import {sortedRecords} from "../../web/collection.js";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const native = process.env.VANTOR_NATIVE_BUILD ?? path.join(root, "build/native-asan");
const site = process.env.VANTOR_SITE ?? path.join(root, "build/web/web/site");
const work = fs.mkdtempSync(path.join(os.tmpdir(), "vantor-web-"));
const set = path.join(work, "set");
const single = path.join(work, "vantor.html");
const names = ["sample.rpl", "cut.rpl", "unknown gears.rpl", 'böse "bytes" \\ näme.rpl', "empty.rpl", "few.rpl", "not-a-replay.rpl"];

// What vantor-info prints, run where the files are so that it is given
// bare names, as the page is.
const vantorInfo = (args, cwd = set) => spawnSync(path.join(native, "cli/vantor-info"), args, {cwd, encoding: "utf8"}).stdout;

const requests = [];
let browser, context, page, origin, server;

before(async () => {
  execFileSync(path.join(native, "tests/vantor-make-sample"), ["--set", set]);
  execFileSync("python3", [path.join(root, "tools/web-single.py"), site, single]);
  const types = {".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm"};
  server = http.createServer((request, response) => {
    const file = path.join(site, new URL(request.url, "http://h").pathname.replace(/\/$/, "/index.html"));
    fs.readFile(file, (error, body) => response.writeHead(error ? 404 : 200, {"content-type": types[path.extname(file)]}).end(body));
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  // Playwright adds --headless, --no-sandbox (which root needs) and a fresh profile.
  browser = await chromium.launch({
    executablePath: process.env.VANTOR_CHROMIUM ?? "/usr/lib/chromium/chromium-headless-shell",
    args: ["--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync"],
  });
  context = await browser.newContext({acceptDownloads: true});
  await context.grantPermissions(["clipboard-read", "clipboard-write"]);
  context.on("request", (request) => requests.push(request.url()));
  page = await context.newPage();
});

after(async () => {
  await browser?.close();
  server?.close();
  fs.rmSync(work, {recursive: true, force: true});
});

const loaded = (on = page) => on.waitForFunction(() => /^[\d,]+ replays?[,.]/.test(document.getElementById("progress-text").textContent));
const cells = (column) => page.$$eval("#rows .row", (rows, c) => rows.map((r) => r.children[c].textContent), column);
const fits = async (what) => assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), what);
const clipboard = () => page.evaluate(() => navigator.clipboard.readText());
const shows = (text) => page.waitForFunction((t) => document.getElementById("caption").textContent.includes(t), text);

async function downloaded(on = page, button = "#download") {
  const [download] = await Promise.all([on.waitForEvent("download"), on.click(button)]);
  return fs.readFileSync(await download.path(), "utf8");
}

async function opened(files, width = 1280) {
  await page.setViewportSize({width, height: 800});
  await page.goto(origin);
  if (!files.length) return;
  await page.setInputFiles("#open", files.map((name) => path.join(set, name)));
  await loaded();
}

// A drop as the browser makes it from the desktop's drag of these paths.
async function drop(paths, on = page) {
  const cdp = await on.context().newCDPSession(on);
  for (const type of ["dragEnter", "dragOver", "drop"]) {
    await cdp.send("Input.dispatchDragEvent", {type, x: 20, y: 20, data: {items: [], files: paths, dragOperationsMask: 1}});
  }
}

test("before any file: a place to pick or drop files that says nothing leaves the machine, and no form or button that cannot work", async () => {
  await page.setViewportSize({width: 320, height: 700});
  await page.goto(origin);
  await page.getByRole("button", {name: "Choose replays …"}).waitFor();
  assert.match(await page.textContent("#start"), /Nothing leaves this machine/);
  for (const id of ["window", "loaded", "copy", "compare", "download"]) assert.equal(await page.isVisible(`#${id}`), false, id);
  await fits("empty page at 320 px");
});

test("hostile replays picked: download and copy are vantor-info's; every one fits a desktop and a phone; opening one brings it into sight", async () => {
  const whole = JSON.parse(vantorInfo(["--json", "sample.rpl"])).bytesHeld;
  await opened(names);
  assert.equal(await downloaded(), vantorInfo(["--json", ...names]));
  assert.equal(await downloaded(page, "#download-csv"), vantorInfo(["--csv", ...names]));
  assert.deepEqual([await page.textContent("#download"), await page.textContent("#download-csv")], ["Download JSON Lines (7 replays)", "Download CSV (7 replays)"]);
  assert.equal(await page.textContent("#progress-text"), "2 replays, 5 files with problems.");
  assert.equal((await cells(6))[1], `cut short: 3600 of ${whole} bytes`);
  assert.deepEqual(await page.evaluate(() => {  // a drop of nothing is a batch still loading, however briefly
    document.dispatchEvent(new DragEvent("drop", {dataTransfer: new DataTransfer()}));
    return ["download", "download-csv", "best-times"].map((id) => document.getElementById(id).disabled);
  }), [true, true, true]);
  for (const width of [1280, 390]) {
    await page.setViewportSize({width, height: 800});
    for (const name of names) {
      await page.evaluate(() => scrollTo(0, document.body.scrollHeight));
      await page.getByRole("button", {name, exact: true}).click();
      await shows(name.slice(-8));
      assert.ok(await page.evaluate(() => document.getElementById("caption").getBoundingClientRect().top >= 0), name);
      await fits(`${name} at ${width} px`);
      if (width === 390) continue;
      await page.click("#copy");
      await page.waitForFunction(() => document.getElementById("note").textContent === "Copied.");
      assert.equal(await clipboard(), vantorInfo([name]), name);
    }
  }
});

test("one replay as the window shows it: every value of vantor-info's JSON line in its place, one the file lacks shown as missing", async () => {
  const chosen = ['böse "bytes" \\ näme.rpl', "unknown gears.rpl", "cut.rpl", "few.rpl"];
  const sliders = ["Shocks - Ride Height", "Shocks - Stiffness", "Shocks - Travel", "Steering - Toe In", "Brake Balance"];
  const shown = (selector) => page.$$eval(selector, (nodes) => nodes.map((n) => [n.textContent, n.classList.contains("missing")]));
  const as = (v) => [v === null ? "" : String(v), v === null];
  await opened(chosen);
  for (const name of chosen) {
    const line = JSON.parse(vantorInfo(["--json", name]));
    await page.getByRole("button", {name, exact: true}).click();
    await shows(name.slice(-8));
    assert.deepEqual({
      caption: await page.textContent("#caption"),
      fields: await shown(".fields dd"),
      flags: await page.$$eval(".flags input", (boxes) => boxes.map((box) => (box.indeterminate ? null : box.checked))),
      sliders: await page.$$eval(".slider input", (inputs) => inputs.map((i) => (i.classList.contains("missing") ? null : i.value))),
      stored: await Promise.all(sliders.map((label) => page.getByLabel(`${label}, stored value`).textContent())),
      pairs: await shown(".pairs output"),
      gears: await shown(".gears td"),
      records: await shown("#records td"),
    }, {
      caption: line.caption,
      fields: [line.track, line.driver, line.car, line.direction, line.laps].map(as),
      flags: [line.automaticTransmission, line.damage].map((flag) => (flag === null ? null : flag !== 0)),
      sliders: Object.values(line.sliders).map((p) => (p === null ? null : String(Math.min(40, Math.max(0, p))))),
      stored: Object.values(line.stored).map((v) => as(v)[0]),
      pairs: [...line.downforce, ...line.tyrePressure].map(as),
      gears: line.gears.map(as),
      records: line.records.flatMap((r) => [r.place, r.name, r.car, r.time].map(as)),
    }, name);
  }
});

test("two drops, a folder then a file: loaded in the order dropped, the folder as vantor-info reads it, a row for what cannot be read", async (t) => {
  const locked = path.join(work, "locked.rpl");  // as root only a file without read support refuses reading
  const writeOnly = fs.readdirSync("/sys/bus").map((bus) => `/sys/bus/${bus}/uevent`).find((file) => {
    try { return fs.readFileSync(file) && false; } catch (error) { return error.code === "EACCES"; }
  });
  if (writeOnly) fs.symlinkSync(writeOnly, locked);
  else t.diagnostic("no unreadable file on this machine: that row is not checked");
  const deep = path.join(work, "deep", ...Array(40).fill("d"));  // no replay, and a long walk: the file after it must wait
  fs.mkdirSync(deep, {recursive: true});
  await opened([]);
  await drop([path.join(work, "deep"), set, ...(writeOnly ? [locked] : [])]);
  await drop([path.join(set, "sample.rpl")]);
  await page.waitForFunction((n) => document.getElementById("list").ariaRowCount == n && !/^Read|^Look/.test(document.getElementById("progress-text").textContent), writeOnly ? 11 : 10);
  assert.equal(await downloaded(), vantorInfo(["--json", "set"], work) + vantorInfo(["--json", "sample.rpl"]));
  if (writeOnly) assert.match((await cells(6)).at(-2), /^cannot be read: \S/);
  await page.getByRole("button", {name: "Laps"}).click();  // numbers sort as numbers
  await page.waitForSelector("#list-head [aria-sort=ascending]");  // the arrow comes with the rows in its order
  assert.deepEqual([(await cells(5)).filter(Boolean).slice(-2), await page.$eval("[aria-sort=ascending] button", (b) => getComputedStyle(b, "::after").content)],
      [["12", "589505315"], '" ▲"']);
});

test("best times: a table a track and direction with vantor-info --records's records and rows left out, sorted by a column; a record opens its first file", async () => {
  const groups = vantorInfo(["--records", "--json", ...names]).trim().split("\n").map((line) => JSON.parse(line));
  const rows = (records) => records.map((r) => [r.place, r.time, r.name, r.car, r.files, r.firstPath].join("|"));
  const tables = () => page.$$eval("#best table", (all) => all.map((t) => [t.caption.textContent, ...[...t.tBodies[0].rows].map((r) => [...r.cells].map((c) => c.textContent).join("|"))]));
  await opened(names, 390);
  await page.click("#best-times");
  await page.waitForSelector("#best:not([hidden])");
  assert.deepEqual(await tables(), groups.map((g) => [`${g.track || "no known track"}, ${g.direction || "no known direction"}`, ...rows(g.records)]));
  assert.ok((await page.textContent("#best-said")).endsWith(vantorInfo(["--records", ...names]).trim().split("\n").at(-1)));
  for (const down of [false, true]) await page.locator("#best table").last().getByRole("button", {name: "Name"}).click();
  await page.waitForFunction(() => [...document.querySelectorAll("#best th:nth-child(3)")].at(-1).ariaSort === "descending");
  assert.deepEqual((await tables()).at(-1).slice(1), rows(sortedRecords(groups.at(-1).records, 2, true)));
  await page.locator("#best").getByRole("button", {name: names[3], exact: true}).click();
  await shows(names[3].slice(-8));
  await fits("best times at 390 px");
});

test("two of the list compared side by side, each difference marked, the --diff text a click away; a third tick replaces the first", async () => {
  const pair = ["unknown gears.rpl", 'böse "bytes" \\ näme.rpl'];
  await opened(["sample.rpl", ...pair]);
  for (const name of ["sample.rpl", ...pair]) await page.getByRole("checkbox", {name: `Choose ${name} to compare`}).check();
  assert.deepEqual([await page.isChecked("[aria-label='Choose sample.rpl to compare']"),
    await page.evaluate(() => document.activeElement.ariaLabel)], [false, `Choose ${pair[1]} to compare`]);
  assert.match(await page.textContent("#compare-hint"), /sample\.rpl no longer/);
  await page.click("#compare");
  const marked = await page.$$eval("#sides tr.differs", (rows) => rows.map((row) => row.dataset.field).sort());
  assert.deepEqual(marked, JSON.parse(vantorInfo(["--diff", "--json", ...pair])).differences.map((d) => d.field).sort());
  await page.click("#copy-diff");
  await page.waitForFunction(() => document.getElementById("compare-note").textContent === "Copied.");
  assert.equal(await clipboard(), vantorInfo(["--diff", ...pair]));
  await fits("compared at 1280 px");
});

// How long the page's tasks take is bench/web-speed's to measure (its
// longest task while 10,000 replays load, beside the hand-over); here, what
// a person sees of a big load and of a big folder's walk.
test("ten thousand replays load, list and sort; Download waits for them; a folder drop counts while it walks", async (t) => {
  await opened([]);
  await page.evaluate(async (sample) => {
    const files = new DataTransfer(), bytes = Uint8Array.from(atob(sample), (c) => c.charCodeAt(0));
    for (let i = 0; i < 10000; ++i) {
      new DataView(bytes.buffer).setInt32(8, (i * 7919) % 10007, true);  // laps, so that every replay differs
      files.items.add(new File([bytes], `${i}.rpl`));
    }
    document.getElementById("open").files = files.files;
  }, fs.readFileSync(path.join(set, "sample.rpl")).toString("base64"));
  const busy = await page.evaluate(() => {
    document.getElementById("open").dispatchEvent(new Event("change", {bubbles: true}));
    return document.getElementById("download").disabled;
  });
  await loaded();
  for (const column of ["Laps", "Laps", "File", "Track"]) await page.getByRole("button", {name: column}).click();
  await page.evaluate(() => document.getElementById("list").scrollTo(0, 1e9));
  await page.waitForFunction(() => document.querySelector("#rows .row:last-child .name").textContent === "9999.rpl");
  await downloaded(page, "#download-csv");
  await page.click("#best-times");
  await page.waitForSelector("#best:not([hidden])");
  assert.equal(busy, true);
  const many = path.join(work, "many");
  for (let i = 0; i < 2000; ++i) {
    fs.mkdirSync(path.join(many, String(i % 20)), {recursive: true});
    fs.writeFileSync(path.join(many, `${i % 20}/${i}.rpl`), "");
  }
  await page.evaluate(() => {
    window.counts = [];
    addEventListener("drop", () => (window.dropped = performance.now()), true);
    new MutationObserver(() => {
      window.shown ??= performance.now();
      counts.push(Number(/([\d,]+) found/.exec(document.getElementById("progress-text").textContent)?.[1].replaceAll(",", "")));
    }).observe(document.getElementById("status"), {subtree: true, characterData: true, childList: true});
  });
  await drop([many]);
  await page.waitForFunction(() => counts.includes(2020));  // 20 folders, 2,000 files
  const [showing, counted] = await page.evaluate(() => [shown - dropped, counts.filter((n) => n > 0 && n < 2020).length]);
  t.diagnostic(`${Math.round(showing)} ms from the drop to the first progress, ${counted} counts before the walk ended`);
  assert.ok(counted > 1);
});

test("the single-file page from file:// opens picked and dropped files as the served page does", async () => {
  const alone = await context.newPage();
  await alone.goto(pathToFileURL(single).href);
  await alone.setInputFiles("#open", [path.join(set, "sample.rpl")]);
  await drop([path.join(set, "cut.rpl")], alone);
  await alone.waitForFunction(() => document.getElementById("progress-text").textContent.startsWith("1 replay, 1 file"));
  assert.equal(await downloaded(alone), vantorInfo(["--json", "sample.rpl", "cut.rpl"]));
  await alone.close();
});

test("a core that traps: the file that made it trap gets a row that says so, and the core started afresh reads the rest", async () => {
  const trapping = await context.newPage();
  await trapping.addInitScript(() => {
    const Instance = WebAssembly.Instance;
    WebAssembly.Instance = function (module, imports) {
      const {exports} = new Instance(module, imports);
      const name = (at, size) => new TextDecoder().decode(new Uint8Array(exports.memory.buffer, at, size));
      // A name longer than memory: the core's allocation fails, and it aborts.
      return {exports: {...exports, rows: (table, count) => {
        const words = new Uint32Array(exports.memory.buffer, table, 4 * count);
        for (let i = 0; i < count; ++i) if (name(words[4 * i + 2], words[4 * i + 3]) === "few.rpl") words[4 * i + 3] = 0xFFFFFFF0;
        return exports.rows(table, count);
      }}};
    };
  });
  await trapping.goto(origin);
  await trapping.setInputFiles("#open", ["few.rpl", "sample.rpl"].map((name) => path.join(set, name)));
  await loaded(trapping);
  assert.deepEqual(await trapping.$$eval("#rows .row", (rows) => rows.map((r) => r.lastChild.textContent)),
      ["the decoder failed on this file and was started afresh", ""]);
  assert.equal(await downloaded(trapping), vantorInfo(["--json", "sample.rpl"]));
  await trapping.close();
});

test("a core that cannot be loaded is said once, plainly, and no file is blamed for it", async () => {
  await page.route("**/vantor.wasm", (route) => route.fulfill({status: 404}));
  await opened([]);
  await page.setInputFiles("#open", [path.join(set, "sample.rpl")]);
  await page.waitForFunction(() => document.getElementById("progress-text").textContent.startsWith("This page's decoder could not"));
  assert.deepEqual([await page.textContent("#progress-text"), await page.isVisible("#loaded")],
      ["This page's decoder could not be loaded (404 Not Found), so no replay can be opened here.", false]);
  await page.unrouteAll();
});

test("nothing leaves the machine: the only requests were for the page's own files, and nothing is stored", async () => {
  const own = ["/", "/vantor.css", "/collection.js", "/core.js", "/files.js", "/list.js", "/queue.js", "/page.js", "/vantor.wasm"].map((file) => origin + file);
  assert.deepEqual(requests.filter((url) => !own.includes(url) && url !== pathToFileURL(single).href), []);
  assert.deepEqual(await page.evaluate(() => [document.cookie, localStorage.length, sessionStorage.length]), ["", 0, 0]);
});
