// Photographs the web page in headless Chromium for the README: the
// single-file page from file://, a few replays opened, the first shown;
// run by `tools/web --screenshots`.
//   node tools/web-screenshot.mjs PAGE.html OUTPUT.png REPLAY...
import path from "node:path";
import {fileURLToPath, pathToFileURL} from "node:url";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
const {chromium} = await import(path.join(root, "tests/web/node_modules/playwright-core/index.mjs"));
const [html, output, ...replays] = process.argv.slice(2);
const width = Number(process.env.VANTOR_SHOT_WIDTH ?? 1100);

const browser = await chromium.launch({executablePath: "/usr/lib/chromium/chromium-headless-shell", args: ["--disable-gpu"]});
try {
  const page = await browser.newPage({viewport: {width, height: 800}, colorScheme: process.env.VANTOR_SHOT_SCHEME ?? "light"});
  await page.goto(pathToFileURL(path.resolve(html)).href);
  await page.setInputFiles("#open", replays);
  await page.waitForFunction(() => /^[\d,]+ replays?[,.]/.test(document.getElementById("progress-text").textContent));
  await page.screenshot({path: output, fullPage: true});
} finally {
  await browser.close();
}
