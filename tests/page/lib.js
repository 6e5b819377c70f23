"use strict";
// What the page tests share: the browser helpers they share with the
// benchmarks (scripts/lib/browser.js), the built page, and reading pictures.
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
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
  for (let at = 8; at < data.length;) {
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
  ...browser,
  pageDir,
  pictureDifference,
  readIndexedPng,
  readScreen,
};
