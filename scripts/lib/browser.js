"use strict";
// What the page's tests and its benchmarks share: Debian's headless Chromium
// driven through puppeteer-core (no browser is ever downloaded), a small static
// server, console watching, and the run's state as the page reports it.
// puppeteer-core is the page tests' module (tests/page/node_modules, from npm ci
// there), so it is looked up from that folder.
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");
const { createRequire } = require("node:module");

const modules = createRequire(path.join(__dirname, "..", "..", "tests", "page", "package.json"));
const kChromium = process.env.NMNM_CHROMIUM || "/usr/bin/chromium-headless-shell";

function requirePuppeteer() {
  try {
    return modules("puppeteer-core");
  } catch (error) {
    throw new Error(
      "puppeteer-core is missing in tests/page/node_modules; run scripts/setup.sh (it runs npm ci there)",
    );
  }
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
    const relative =
      prefix === undefined ? null : decodeURIComponent(url.pathname.slice(prefix.length)) || "index.html";
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
  if (!fs.existsSync(kChromium))
    throw new Error(kChromium + " is missing; run scripts/setup.sh (chromium-headless-shell)");
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

module.exports = {
  gameState,
  launchBrowser,
  openPage,
  sleep,
  startServer,
  waitForState,
};
