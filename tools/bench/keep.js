"use strict";
// Measures what the page players keep adds, in Debian's headless Chromium
// over a local python3 http.server (as scripts/play.sh --web serves it):
//   - everything a first visit loads, the service worker's own fetches of
//     the build, the worker, the manifest and its icons included, gzip -9;
//   - a reload served by the service worker: navigation start to the first
//     fade step on the canvas;
// tools/bench/web.js measures CPU while playing and hidden.
// A benchmark, not a test: run it on a quiet machine.
// Usage: tools/bench/run.sh keep PAGE_DIR [RELOADS]
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
const lib = require("./web_site.js");

const pageDir = path.resolve(process.argv[2] || "build-web/page");
const reloads = Number(process.argv[3] || 9);

// The first visit: what the page asks for, and what the service worker
// fetches to keep the build (every file build.json names, and build.json),
// the worker itself, the manifest and every icon.
async function firstVisit(browser, origin) {
  const page = await lib.openPage(browser);
  const asked = new Set();
  page.on("request", (request) => asked.add(new URL(request.url()).pathname.slice(1) || "index.html"));
  await page.goto(origin + "/index.html");
  await lib.waitForState(page, "play", (s) => s.stage === "playing");
  await page.waitForFunction(() => document.body.dataset.offline === "ready", { timeout: 20000 });
  await page.close();
  const list = JSON.parse(fs.readFileSync(path.join(pageDir, "build.json"), "utf8"));
  const names = new Set([...asked, ...Object.keys(list.files), "build.json", "sw.js"]);
  const manifest = JSON.parse(fs.readFileSync(path.join(pageDir, "manifest.webmanifest"), "utf8"));
  names.add("manifest.webmanifest");
  for (const icon of manifest.icons) names.add(icon.src);
  const rows = [...names]
    .filter((name) => fs.existsSync(path.join(pageDir, name)))
    .map((name) => {
      const body = fs.readFileSync(path.join(pageDir, name));
      return [name, body.length, zlib.gzipSync(body, { level: 9 }).length];
    });
  rows.sort((a, b) => b[2] - a[2]);
  return rows;
}

// Reloads of a page the service worker controls, each timed from
// navigation start to the first fade step on the canvas.
async function reloadsFromWorker(browser, origin) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(origin + "/index.html");
  await lib.waitForState(page, "play", (s) => s.stage === "playing");
  await page.waitForFunction(() => document.body.dataset.offline === "ready", { timeout: 20000 });
  const times = [];
  let fromWorker = 0;
  for (let i = 0; i < reloads; ++i) {
    const response = await page.reload();
    fromWorker += response.fromServiceWorker() ? 1 : 0;
    await page.waitForFunction(() => performance.getEntriesByName("nmnm-first-picture").length > 0, { timeout: 10000 });
    times.push(
      await page.evaluate(() => {
        const navigation = performance.getEntriesByType("navigation")[0];
        const resource = (end) => performance.getEntriesByType("resource").find((r) => r.name.endsWith(end));
        const main = performance.getEntriesByName("nmnm-main")[0];
        return {
          total: performance.getEntriesByName("nmnm-first-picture")[0].startTime,
          page: navigation.responseEnd,
          script: resource("nmnm.js") ? resource("nmnm.js").responseEnd : NaN,
          wasm: resource("nmnm.wasm") ? resource("nmnm.wasm").responseEnd : NaN,
          main: main ? main.startTime : NaN,
        };
      }),
    );
  }
  await context.close();
  return { times, fromWorker };
}

async function main() {
  const site = await lib.startSite(pageDir);
  const browser = await lib.launchBrowser();
  try {
    const rows = await firstVisit(browser, site.origin);
    console.log(
      "Everything a first visit loads, the service worker's fetches, manifest and icons included (bytes, gzip -9):",
    );
    for (const [name, raw, gz] of rows)
      console.log("  " + name.padEnd(22) + String(raw).padStart(9) + String(gz).padStart(9));
    const total = rows.reduce((sum, row) => sum + row[2], 0);
    console.log(
      "  total".padEnd(33) + String(total).padStart(9) + "  (" + (total / 1024).toFixed(1) + " KiB; target <= 250 KB)",
    );

    const { times, fromWorker } = await reloadsFromWorker(browser, site.origin);
    const part = (key) => lib.median(times.map((t) => t[key])).toFixed(0);
    const totals = times.map((t) => t.total);
    console.log(
      "Reload served by the service worker (" +
        fromWorker +
        " of " +
        reloads +
        " from it), navigation start to the " +
        "first fade step: median " +
        part("total") +
        " ms, min " +
        Math.min(...totals).toFixed(0) +
        ", max " +
        Math.max(...totals).toFixed(0) +
        " (target <= 150 ms); medians: page " +
        part("page") +
        ", nmnm.js " +
        part("script") +
        ", nmnm.wasm " +
        part("wasm") +
        ", main " +
        part("main"),
    );
  } finally {
    await browser.close();
    site.close();
  }
}

main().catch((error) => {
  console.error("bench_keep: " + error.message);
  process.exit(1);
});
