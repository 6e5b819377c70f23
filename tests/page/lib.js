"use strict";
// What the page tests share: the browser helpers they share with the
// benchmarks (scripts/lib/browser.js), the built page, and comparing pictures
// (reading them: pictures.js).
const assert = require("node:assert");
const fs = require("node:fs");
const path = require("node:path");
const { after, before } = require("node:test");
const browser = require("../../scripts/lib/browser.js");

function pageDir() {
  const dir = process.env.NMNM_PAGE_DIR;
  if (!dir || !fs.existsSync(path.join(dir, "index.html")))
    throw new Error("NMNM_PAGE_DIR must name the built page (build-web/page with index.html); build build-web first");
  return dir;
}

// One browser and one server of the built page (and `roots` besides) for a
// test file: { browser, site } once its tests start, closed after them.
function shareBrowser(roots = {}, pages = {}) {
  const shared = {};
  before(async () => {
    shared.site = await browser.startServer({ "/": pageDir(), ...roots }, pages);
    shared.browser = await browser.launchBrowser();
  });
  after(async () => {
    if (shared.browser) await shared.browser.close();
    if (shared.site) shared.site.server.close();
  });
  return shared;
}

function playing(page) {
  return browser.waitForState(page, "the fade to end", (s) => s.stage === "playing" && s.frames > 0);
}

// Opens `url` in scripted mode and waits for its end: [outcome, status line].
async function runScript(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.script, { timeout: 30000 });
  return page.evaluate(() => [document.body.dataset.script, document.getElementById("status").textContent]);
}

// No test may leave a console error or warning.
async function closeClean(page, what) {
  assert.deepStrictEqual(page.problems, [], what + ": console errors or warnings");
  await page.close();
}

// The canvas's 640 x 480 RGBA bytes.
async function readScreen(page) {
  return Buffer.from(await page.evaluate(() => window.nmnm.readScreen()), "base64");
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
  ...browser,
  closeClean,
  pageDir,
  pictureDifference,
  playing,
  readScreen,
  runScript,
  shareBrowser,
};
