"use strict";
// Measures the browser page in Debian's headless Chromium (no graphics
// processor), as a player meets it over a local server:
//   - the gzip-compressed size of everything the page loads,
//   - the time from navigation start to the first fade step on the canvas,
//   - the CPU of all the browser's processes while playing, beside a page
//     that runs an empty requestAnimationFrame loop in the same browser,
//   - a hidden page: frames run and CPU.
// A benchmark, not a test: run it on a quiet machine.
// Usage: tools/bench/run.sh web PAGE_DIR [SECONDS] [LOADS] [ROUNDS]
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
const lib = require("./web_site.js");

const pageDir = path.resolve(process.argv[2] || "build-web/page");
const seconds = Number(process.argv[3] || 10);
const loads = Number(process.argv[4] || 5);
const rounds = Number(process.argv[5] || 3);

const kEmptyLoop =
  "<!doctype html><title>empty loop</title><body style='background:#000'><script>" +
  "function loop() { requestAnimationFrame(loop); } requestAnimationFrame(loop);</script></body>";

const kHz = 100; // USER_HZ of /proc/PID/stat on Linux

// Every process under `root`, itself included.
function processTree(root) {
  const children = new Map();
  for (const entry of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync("/proc/" + entry + "/stat", "latin1");
      const parent = Number(stat.slice(stat.lastIndexOf(")") + 2).split(" ")[1]);
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(Number(entry));
    } catch {
      // gone meanwhile
    }
  }
  const all = [];
  const queue = [root];
  while (queue.length) {
    const pid = queue.shift();
    all.push(pid);
    queue.push(...(children.get(pid) || []));
  }
  return all;
}

// CPU seconds used so far by the processes of the tree (the dead ones'
// time is in their parents' cutime/cstime, counted too).
function cpuSeconds(root) {
  let ticks = 0;
  for (const pid of processTree(root)) {
    try {
      const stat = fs.readFileSync("/proc/" + pid + "/stat", "latin1");
      const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      ticks += Number(fields[11]) + Number(fields[12]) + Number(fields[13]) + Number(fields[14]);
    } catch {
      // gone meanwhile
    }
  }
  return ticks / kHz;
}

async function cpuWhile(browser, action) {
  const root = browser.process().pid;
  const c0 = cpuSeconds(root);
  const t0 = process.hrtime.bigint();
  await action();
  const c1 = cpuSeconds(root);
  const wall = Number(process.hrtime.bigint() - t0) / 1e9;
  return ((c1 - c0) / wall) * 100; // percent of one core
}

async function measureSize(browser, origin) {
  const page = await lib.openPage(browser);
  await page.setCacheEnabled(false);
  const bodies = new Map();
  page.on("response", async (response) => {
    try {
      bodies.set(new URL(response.url()).pathname, await response.buffer());
    } catch {
      // redirects have no body
    }
  });
  await page.goto(origin + "/index.html");
  await lib.waitForState(page, "play", (s) => s.stage === "playing");
  await lib.sleep(500);
  // A headless browser asks for no favicon; a browser with tabs does.
  const html = fs.readFileSync(path.join(pageDir, "index.html"), "utf8");
  for (const [, href] of html.matchAll(/<link rel="icon"[^>]*href="([^"]+)"/g))
    if (!bodies.has("/" + href)) bodies.set("/" + href, fs.readFileSync(path.join(pageDir, href)));
  await page.close();
  const rows = [...bodies].map(([name, body]) => [name, body.length, zlib.gzipSync(body, { level: 9 }).length]);
  rows.sort((a, b) => b[2] - a[2]);
  return rows;
}

async function measureFirstFade(browser, origin) {
  const times = [];
  for (let i = 0; i < loads; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 1280, height: 800 });
    await page.setCacheEnabled(false);
    await page.goto(origin + "/index.html");
    await page.waitForFunction(() => performance.getEntriesByName("nmnm-first-picture").length > 0, { timeout: 10000 });
    times.push(
      await page.evaluate(() => {
        const mark = (name) => performance.getEntriesByName(name)[0];
        const navigation = performance.getEntriesByType("navigation")[0];
        const wasm = performance.getEntriesByType("resource").find((r) => r.name.endsWith("nmnm.wasm"));
        return {
          total: mark("nmnm-first-picture").startTime,
          page: navigation.responseEnd,
          wasm: wasm ? wasm.responseEnd : NaN,
          main: mark("nmnm-main") ? mark("nmnm-main").startTime : NaN,
        };
      }),
    );
    await context.close();
  }
  return times;
}

// A player's hand: the pointer sweeps across the picture and swings now and
// then, as tools/bench/window.sh does on the desktop.
async function play(page, box, ms) {
  const end = Date.now() + ms;
  let x = box.width / 5;
  while (Date.now() < end) {
    x = x >= (box.width * 4) / 5 ? box.width / 5 : x + box.width / 25;
    await page.mouse.move(box.left + x, box.top + box.height / 2);
    await page.mouse.down();
    await page.mouse.up();
    await lib.sleep(200);
  }
}

async function main() {
  const site = await lib.startSite(pageDir, { "empty.html": kEmptyLoop });
  const browser = await lib.launchBrowser();
  try {
    const sizes = await measureSize(browser, site.origin);
    console.log("Everything the page loads (bytes, gzip -9):");
    for (const [name, raw, gz] of sizes)
      console.log("  " + name.padEnd(20) + String(raw).padStart(9) + String(gz).padStart(9));
    const total = sizes.reduce((sum, row) => sum + row[2], 0);
    console.log(
      "  total".padEnd(31) + String(total).padStart(9) + "  (" + (total / 1024).toFixed(1) + " KiB; target <= 200 KB)",
    );

    const fades = await measureFirstFade(browser, site.origin);
    const part = (key) => lib.median(fades.map((f) => f[key])).toFixed(0);
    console.log(
      "Navigation start to the first fade step on the canvas: median " +
        part("total") +
        " ms, max " +
        Math.max(...fades.map((f) => f.total)).toFixed(0) +
        " ms over " +
        loads +
        " loads (target <= 300 ms);" +
        " medians: page loaded " +
        part("page") +
        ", nmnm.wasm loaded " +
        part("wasm") +
        ", main " +
        part("main"),
    );

    // Rounds of: the empty page left alone, the empty page under the same
    // hand as the game (the browser's own cost of the input), the game; one
    // page open at a time.
    const idle = [];
    const handled = [];
    const game = [];
    const rates = [];
    let page = null;
    let box = null;
    for (let round = 0; round < rounds; ++round) {
      const empty = await lib.openPage(browser);
      await empty.goto(site.origin + "/empty.html");
      await lib.sleep(1000);
      const emptyBox = { left: 100, top: 100, width: 800, height: 600 };
      idle.push(await cpuWhile(browser, () => lib.sleep(seconds * 1000)));
      handled.push(await cpuWhile(browser, () => play(empty, emptyBox, seconds * 1000)));
      await empty.close();
      page = await lib.openPage(browser);
      await page.goto(site.origin + "/index.html");
      await lib.waitForState(page, "play", (s) => s.stage === "playing");
      box = await page.evaluate(() => {
        const r = document.getElementById("screen").getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
      });
      await play(page, box, 2000); // past the title
      const framesBefore = (await lib.gameState(page)).frames;
      const t0 = Date.now();
      game.push(await cpuWhile(browser, () => play(page, box, seconds * 1000)));
      rates.push(((await lib.gameState(page)).frames - framesBefore) / ((Date.now() - t0) / 1000));
      if (round + 1 < rounds) await page.close();
    }
    const [idleCpu, handCpu, gameCpu] = [lib.median(idle), lib.median(handled), lib.median(game)];
    console.log(
      "CPU of all browser processes, medians of " +
        rounds +
        " rounds of " +
        seconds +
        " s, % of a core: empty " +
        "requestAnimationFrame page " +
        idleCpu.toFixed(1) +
        " alone, " +
        handCpu.toFixed(1) +
        " under the same mouse " +
        "as the game; playing " +
        gameCpu.toFixed(1) +
        " (" +
        lib.median(rates).toFixed(1) +
        " frames/s): " +
        (gameCpu / handCpu).toFixed(2) +
        "x the empty page under the same mouse, " +
        (gameCpu / idleCpu).toFixed(2) +
        "x the empty page alone (target <= 1.5x)",
    );

    const session = await page.createCDPSession();
    const { windowId } = await session.send("Browser.getWindowForTarget");
    await session.send("Browser.setWindowBounds", { windowId, bounds: { windowState: "minimized" } });
    await lib.sleep(1000);
    const hiddenBefore = (await lib.gameState(page)).frames;
    const hiddenCpu = await cpuWhile(browser, () => lib.sleep(seconds * 1000));
    const hiddenFrames = (await lib.gameState(page)).frames - hiddenBefore;
    console.log(
      "Hidden page, " +
        seconds +
        " s: " +
        hiddenFrames +
        " frames, CPU of all browser processes " +
        hiddenCpu.toFixed(2) +
        "% of a core (target: no frames, <= 0.5%)",
    );
    if (page.problems.length) console.log("Console problems: " + page.problems.join("; "));
  } finally {
    await browser.close();
    site.close();
  }
}

main().catch((error) => {
  console.error("bench_web: " + error.message);
  process.exit(1);
});
