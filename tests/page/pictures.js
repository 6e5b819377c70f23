"use strict";
// Pictures for the page's tests: PNGs read into RGBA, and 8-bit BMP files
// made for the player's own pictures.
const zlib = require("node:zlib");

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An 8-bit PNG's pixels as { width, height, rgba }: RGB or RGBA, as Chromium
// writes screenshots, or palette, as nmnm-replay writes its pictures.
function readPng(data) {
  let width = 0;
  let height = 0;
  let channels = 0;
  let palette = null;
  const idat = [];
  for (let at = 8; at < data.length;) {
    const length = data.readUInt32BE(at);
    const type = data.toString("latin1", at + 4, at + 8);
    const chunk = data.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = chunk.readUInt32BE(0);
      height = chunk.readUInt32BE(4);
      channels = { 2: 3, 3: 1, 6: 4 }[chunk[9]];
      if (chunk[8] !== 8 || !channels || chunk[12] !== 0) throw new Error("not an 8-bit RGB(A) or palette PNG");
    } else if (type === "PLTE") {
      palette = chunk;
    } else if (type === "IDAT") {
      idat.push(chunk);
    }
    at += 12 + length;
  }
  if (channels === 1 && !palette) throw new Error("a palette PNG without its palette");
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const line = Buffer.alloc(stride);
  const previous = Buffer.alloc(stride);
  const rgba = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const source = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? line[i - channels] : 0;
      const b = previous[i];
      const c = i >= channels ? previous[i - channels] : 0;
      const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      if (predictor === undefined) throw new Error("unknown PNG filter " + filter);
      line[i] = (source[i] + predictor) & 0xff;
    }
    for (let x = 0; x < width; ++x) {
      const to = (y * width + x) * 4;
      if (palette) palette.copy(rgba, to, line[x] * 3, line[x] * 3 + 3);
      else line.copy(rgba, to, x * channels, x * channels + 3);
      rgba[to + 3] = channels === 4 ? line[x * channels + 3] : 255;
    }
    line.copy(previous);
  }
  return { width, height, rgba };
}

// An uncompressed bottom-up 8-bit BMP with a 256-entry table whose entry i
// is (i, 255 - i, i), every pixel `fill`.
function makeBmp(width, height, fill) {
  const stride = Math.ceil(width / 4) * 4;
  const table = 256 * 4;
  const offset = 14 + 40 + table;
  const file = Buffer.alloc(offset + stride * height);
  file.write("BM", 0, "latin1");
  file.writeUInt32LE(file.length, 2);
  file.writeUInt32LE(offset, 10);
  file.writeUInt32LE(40, 14);
  file.writeInt32LE(width, 18);
  file.writeInt32LE(height, 22);
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(8, 28);
  file.writeUInt32LE(stride * height, 34);
  for (let i = 0; i < table / 4; ++i) file.set([i, 255 - i, i, 0], 54 + i * 4);
  file.fill(fill, offset);
  return file;
}

module.exports = { makeBmp, readPng };
