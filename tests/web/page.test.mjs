// The web page in a real headless Chromium, against the native vantor-info
// of the same tree: what the page shows, copies and downloads must be what
// vantor-info prints for the same files, byte for byte.
import assert from "node:assert/strict";
import {execFileSync, spawnSync} from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import {after, before, test} from "node:test";
import {fileURLToPath, pathToFileURL} from "node:url";
import {chromium} from "playwright-core";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const native = process.env.VANTOR_NATIVE_BUILD ?? path.join(root, "build/native-asan");
const site = process.env.VANTOR_SITE ?? path.join(root, "build/web/web/site");
const work = fs.mkdtempSync(path.join(os.tmpdir(), "vantor-web-"));
const set = path.join(work, "set");
const single = path.join(work, "vantor.html");

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

const listed = (count, on = page) => on.waitForFunction((n) =>
  document.querySelectorAll("#list tbody tr").length === n && document.getElementById("progress").hidden, count);
const cells = (column) => page.$$eval("#list tbody tr", (rows, c) => rows.map((r) => r.cells[c].textContent), column);

async function downloaded(on = page) {
  const [download] = await Promise.all([on.waitForEvent("download"), on.click("#download")]);
  return fs.readFileSync(await download.path(), "utf8");
}

async function opened(names) {
  await page.goto(origin);
  await page.setInputFiles("#open", names.map((name) => path.join(set, name)));
  await listed(names.length);
}

// A drop as the browser makes it from the desktop's drag of these paths.
async function drop(paths) {
  const cdp = await context.newCDPSession(page);
  for (const type of ["dragEnter", "dragOver", "drop"]) {
    await cdp.send("Input.dispatchDragEvent", {type, x: 20, y: 20, data: {items: [], files: paths, dragOperationsMask: 1}});
  }
}

test("picked replays, hostile ones among them: the JSON download and each one's copied text are vantor-info's", async () => {
  const names = fs.readdirSync(set).filter((name) => name.endsWith(".rpl")).sort();
  await opened(names);
  assert.equal(await downloaded(), vantorInfo(["--json", ...names]));
  for (const name of names) {
    await page.getByRole("button", {name, exact: true}).click();
    await page.click("#copy");
    await page.waitForFunction(() => document.getElementById("note").textContent.startsWith("Copied"));
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), vantorInfo([name]), name);
  }
  const row = Object.fromEntries((await cells(1)).map((name, i) => [name, i]));
  const note = await cells(6);
  assert.equal(note[row["sample.rpl"]], "");
  assert.match(note[row["empty.rpl"]], /^empty file/);
  assert.match(note[row["few.rpl"]], /^cut short: 5 of 4583 bytes; no known track/);
  assert.match(note[row["cut.rpl"]], /^cut short: 3600 of 4583 bytes$/);
  assert.match(note[row["unknown gears.rpl"]], /^Error in read GearRatio; gear ratio not a known step/);
});

test("one replay shown as the window shows it: every value of vantor-info's JSON line in its place", async () => {
  const names = ['böse "bytes" \\ näme.rpl', "unknown gears.rpl"];
  const sliders = ["Shocks - Ride Height", "Shocks - Stiffness", "Shocks - Travel", "Steering - Toe In", "Brake Balance"];
  const texts = (selector) => page.$$eval(selector, (nodes) => nodes.map((node) => node.textContent));
  await opened(names);
  for (const name of names) {
    const line = JSON.parse(vantorInfo(["--json", name]));
    await page.getByRole("button", {name, exact: true}).click();
    assert.deepEqual({
      caption: await page.textContent("#caption"),
      fields: await texts(".fields dd"),
      flags: [await page.getByLabel("Transmission/autom.").isChecked(), await page.getByLabel("Damage").isChecked()],
      sliders: await Promise.all(sliders.map((label) => page.getByLabel(label, {exact: true}).inputValue())),
      stored: await Promise.all(sliders.map((label) => page.getByLabel(`${label}, stored value`).textContent())),
      pairs: await texts(".pairs output"),
      gears: await texts(".gears td"),
      records: await page.$$eval("#records tr", (rows) => rows.map((row) => [...row.cells].map((c) => c.textContent))),
    }, {
      caption: line.caption,
      fields: [line.track, line.driver, line.car, line.direction, line.laps],
      flags: [line.automaticTransmission !== 0, line.damage !== 0],
      sliders: Object.values(line.sliders).map((position) => String(Math.min(40, Math.max(0, position)))),
      stored: line.stored ? Object.values(line.stored).map(String) : ["", "", "", "", ""],
      pairs: [...line.downforce, ...line.tyrePressure].map(String),
      gears: line.gears,
      records: line.records.map((r) => [String(r.place), r.name, r.car, r.time]),
    }, name);
  }
});

test("a drop of a folder and files: the folder's replays in vantor-info's order, and a row for one that cannot be read", async (t) => {
  const locked = path.join(work, "locked.rpl");  // as root only a file without read support refuses reading
  const writeOnly = fs.readdirSync("/sys/bus").map((bus) => `/sys/bus/${bus}/uevent`).find((file) => {
    try { return fs.readFileSync(file) && false; } catch (error) { return error.code === "EACCES"; }
  });
  if (writeOnly) fs.symlinkSync(writeOnly, locked);
  else t.diagnostic("no unreadable file on this machine: that row is not checked");
  await page.goto(origin);
  await drop([set, path.join(set, "sample.rpl"), ...(writeOnly ? [locked] : [])]);
  await listed(9 + (writeOnly ? 1 : 0));
  assert.equal(await downloaded(), vantorInfo(["--json", "set"], work) + vantorInfo(["--json", "sample.rpl"]));
  if (writeOnly) assert.match((await cells(6)).at(-1), /^cannot be read: \S/);
  await page.getByRole("button", {name: "Laps"}).click();  // numbers sort as numbers
  assert.deepEqual((await cells(5)).slice(-2), ["12", "589505315"]);
  await page.getByRole("button", {name: "Laps"}).click();
  assert.deepEqual((await cells(5)).slice(0, 2), ["589505315", "12"]);
});

test("two chosen replays compared: the differences exactly as vantor-info --diff gives them", async () => {
  const pair = ["unknown gears.rpl", 'böse "bytes" \\ näme.rpl'];
  await opened(pair);
  for (const name of pair) await page.getByRole("checkbox", {name: `Choose ${name} to compare`}).check();
  await page.click("#compare");
  await page.locator("#diff").waitFor();
  assert.equal(await page.textContent("#diff"), vantorInfo(["--diff", ...pair]));
});

test("the single-file page works from file://, with no server", async () => {
  const alone = await context.newPage();
  await alone.goto(pathToFileURL(single).href);
  await alone.setInputFiles("#open", [path.join(set, "sample.rpl")]);
  await listed(1, alone);
  assert.equal(await downloaded(alone), vantorInfo(["--json", "sample.rpl"]));
});

test("nothing leaves the machine: the only requests were for the page's own files, and nothing is stored", async () => {
  const own = ["/", "/vantor.css", "/core.js", "/page.js", "/vantor.wasm"].map((file) => origin + file);
  assert.deepEqual(requests.filter((url) => !own.includes(url) && url !== pathToFileURL(single).href), []);
  assert.deepEqual(await page.evaluate(() => [document.cookie, localStorage.length, sessionStorage.length]), ["", 0, 0]);
});
