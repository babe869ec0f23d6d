// The page in headless Chromium, served as tools/web serves it: the time
// from picking COUNT replays to the list showing them all; the part of it
// after the browser handed the page its files; and the longest the main
// thread was busy at a stretch in that part (the browser's own making of
// the file list, before, is one long stretch the page cannot divide).
import {spawn} from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import {fileURLToPath} from "node:url";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const {chromium} = await import(path.join(root, "tests/web/node_modules/playwright-core/index.mjs"));
const [site, sample, count, folder] = process.argv.slice(2);

// Replays that differ: the laps field (an int32 at byte 8) counts up.
const bytes = fs.readFileSync(sample);
const files = [];
for (let i = 0; i < Number(count); ++i) {
  bytes.writeInt32LE(i, 8);
  files.push(path.join(folder, `${String(i).padStart(5, "0")}.rpl`));
  fs.writeFileSync(files.at(-1), bytes);
}

const port = 8000 + (process.pid % 1000);
const server = spawn("python3", ["-m", "http.server", "--bind", "127.0.0.1", "--directory", site, String(port)],
    {stdio: "ignore"});
const browser = await chromium.launch({executablePath: "/usr/lib/chromium/chromium-headless-shell", args: ["--disable-gpu"]});
try {
  const page = await browser.newPage();
  for (let tries = 0; ; ++tries) {
    try {
      await page.goto(`http://127.0.0.1:${port}/`);
      break;
    } catch (error) {
      if (tries > 50) throw error;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
  await page.evaluate(() => {
    window.tasks = [];
    new PerformanceObserver((list) => window.tasks.push(...list.getEntries())).observe({type: "longtask"});
    document.getElementById("open").addEventListener("change", () => (window.handed = performance.now()), true);
  });
  const start = Date.now();
  await page.setInputFiles("#open", files);
  await page.waitForFunction((n) => document.querySelectorAll("#list tbody tr").length === n &&
      document.getElementById("progress").hidden, files.length, {timeout: 120000, polling: 20});
  const took = Date.now() - start;
  const [page_, longest] = await page.evaluate(() => [performance.now() - window.handed,
    Math.max(0, ...window.tasks.filter((t) => t.startTime >= window.handed).map((t) => t.duration))]);
  console.log(took, Math.round(page_), Math.round(longest));
} finally {
  await browser.close();
  server.kill();
}
