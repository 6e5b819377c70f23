"use strict";
// What the page tests share: Debian's headless Chromium driven through
// puppeteer-core (no browser is ever downloaded), a small static server for
// the built page and the test data, console watching, and a PNG reader.
const fs = require("fs");
const http = require("http");
const path = require("path");
const zlib = require("zlib");

const kChromium = process.env.NMNM_CHROMIUM || "/usr/bin/chromium-headless-shell";

function requirePuppeteer() {
  try {
    return require("puppeteer-core");
  } catch (error) {
    throw new Error("puppeteer-core is missing in tests/page/node_modules; run scripts/setup.sh (it runs npm ci there)");
  }
}

function pageDir() {
  const dir = process.env.NMNM_PAGE_DIR;
  if (!dir || !fs.existsSync(path.join(dir, "index.html")))
    throw new Error("NMNM_PAGE_DIR must name the built page (build-web/page with index.html); build build-web first");
  return dir;
}

const kTypes = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".css": "text/css",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".json": "application/json",
  ".webmanifest": "application/manifest+json",
  ".txt": "text/plain; charset=utf-8",
};

// Serves `roots` ({ "/": dir, "/screens/": dir, ... }) on 127.0.0.1 with
// plain headers (no cross-origin isolation), as any static server would.
// `pages` maps extra paths to literal HTML.
function startServer(roots, pages = {}) {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, "http://localhost");
    if (pages[url.pathname] !== undefined) {
      response.writeHead(200, { "Content-Type": kTypes[".html"] });
      response.end(pages[url.pathname]);
      return;
    }
    const prefix = Object.keys(roots)
      .sort((a, b) => b.length - a.length)
      .find((p) => url.pathname.startsWith(p));
    const relative = prefix === undefined ? null : decodeURIComponent(url.pathname.slice(prefix.length)) || "index.html";
    const file = relative === null ? null : path.join(roots[prefix], relative);
    if (!file || !file.startsWith(roots[prefix]) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { "Content-Type": kTypes[path.extname(file)] || "application/octet-stream" });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) =>
    server.listen(0, "127.0.0.1", () => resolve({ server, origin: "http://127.0.0.1:" + server.address().port })),
  );
}

async function launchBrowser() {
  const puppeteer = requirePuppeteer();
  if (!fs.existsSync(kChromium)) throw new Error(kChromium + " is missing; run scripts/setup.sh (chromium-headless-shell)");
  return puppeteer.launch({
    executablePath: kChromium,
    headless: "shell",
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-extensions"],
  });
}

// A new page whose console errors and warnings (and uncaught errors) are
// collected in page.problems; every test expects that list empty.
async function openPage(browser, options = {}) {
  const page = await browser.newPage();
  page.problems = [];
  page.on("console", (message) => {
    if (message.type() === "error" || message.type() === "warn" || message.type() === "warning")
      page.problems.push(message.type() + ": " + message.text());
  });
  page.on("pageerror", (error) => page.problems.push("uncaught: " + error.message));
  page.on("requestfailed", (request) => page.problems.push("request failed: " + request.url()));
  await page.setViewport(options.viewport || { width: 1280, height: 800, deviceScaleFactor: 1 });
  if (options.beforeLoad) await page.evaluateOnNewDocument(options.beforeLoad);
  return page;
}

function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

// The run's state as app/web/web_probe.cpp reports it.
function gameState(page) {
  return page.evaluate(() => window.nmnm.state());
}

// Polls `test(state)` until it holds; the last state, or an error naming `what`.
async function waitForState(page, what, test, timeoutMs = 10000) {
  const end = Date.now() + timeoutMs;
  let state = null;
  while (Date.now() < end) {
    state = await page.evaluate(() => (window.nmnm && window.Module && Module.calledRun ? window.nmnm.state() : null));
    if (state && test(state)) return state;
    await sleep(20);
  }
  throw new Error("timed out waiting for " + what + "; last state " + JSON.stringify(state));
}

// The canvas's 640 x 480 RGBA bytes.
async function readScreen(page) {
  return Buffer.from(await page.evaluate(() => window.nmnm.readScreen()), "base64");
}

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An 8-bit palette PNG (what nmnm-replay writes) as RGBA bytes.
function readIndexedPng(file) {
  const data = fs.readFileSync(file);
  let width = 0;
  let height = 0;
  let palette = null;
  const idat = [];
  for (let at = 8; at < data.length; ) {
    const length = data.readUInt32BE(at);
    const type = data.toString("latin1", at + 4, at + 8);
    const chunk = data.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = chunk.readUInt32BE(0);
      height = chunk.readUInt32BE(4);
      if (chunk[8] !== 8 || chunk[9] !== 3 || chunk[12] !== 0) throw new Error(file + ": not an 8-bit palette PNG");
    } else if (type === "PLTE") {
      palette = chunk;
    } else if (type === "IDAT") {
      idat.push(chunk);
    }
    at += 12 + length;
  }
  if (!palette) throw new Error(file + ": no palette");
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const indices = Buffer.alloc(width * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (width + 1)];
    const line = raw.subarray(y * (width + 1) + 1, (y + 1) * (width + 1));
    for (let x = 0; x < width; ++x) {
      const a = x > 0 ? indices[y * width + x - 1] : 0;
      const b = y > 0 ? indices[(y - 1) * width + x] : 0;
      const c = x > 0 && y > 0 ? indices[(y - 1) * width + x - 1] : 0;
      const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      if (predictor === undefined) throw new Error(file + ": unknown filter " + filter);
      indices[y * width + x] = (line[x] + predictor) & 0xff;
    }
  }
  const rgba = Buffer.alloc(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    palette.copy(rgba, i * 4, indices[i] * 3, indices[i] * 3 + 3);
    rgba[i * 4 + 3] = 255;
  }
  return { width, height, rgba };
}

// Where two RGBA pictures of one size differ: null when equal.
function pictureDifference(got, want, width) {
  let count = 0;
  let first = null;
  for (let i = 0; i < want.length; i += 4) {
    if (got[i] !== want[i] || got[i + 1] !== want[i + 1] || got[i + 2] !== want[i + 2] || got[i + 3] !== want[i + 3]) {
      if (!first) first = { row: Math.floor(i / 4 / width), column: (i / 4) % width };
      ++count;
    }
  }
  return count ? { count, ...first } : null;
}

module.exports = {
  gameState,
  launchBrowser,
  openPage,
  pageDir,
  pictureDifference,
  readIndexedPng,
  readScreen,
  sleep,
  startServer,
  waitForState,
};
