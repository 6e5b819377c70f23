"use strict";
// What the page tests share: the browser helpers they share with the
// benchmarks (scripts/lib/browser.js), the built page, and comparing pictures
// (reading them: pictures.js).
const fs = require("node:fs");
const path = require("node:path");
const browser = require("../../scripts/lib/browser.js");

function pageDir() {
  const dir = process.env.NMNM_PAGE_DIR;
  if (!dir || !fs.existsSync(path.join(dir, "index.html")))
    throw new Error("NMNM_PAGE_DIR must name the built page (build-web/page with index.html); build build-web first");
  return dir;
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
  pageDir,
  pictureDifference,
  readScreen,
};
