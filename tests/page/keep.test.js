"use strict";
// The page players keep, in headless Chromium: offline after one visit and
// a new build taken whole, touch, the picture sharp at several screens, keys
// that never scroll and never stay held, the player's own pictures, and a
// clear word where the browser lacks what the game needs. No test may leave
// a console error or warning.
const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { after, before, test } = require("node:test");
const lib = require("./lib.js");
const pictures = require("./pictures.js");

const kScreensDir = path.resolve(__dirname, "..", "screens");
const kBuildList = path.resolve(__dirname, "..", "..", "cmake", "web_build_list.cmake");

let browser;
let site;

before(async () => {
  site = await lib.startServer({ "/": lib.pageDir(), "/screens/": kScreensDir });
  browser = await lib.launchBrowser();
});

after(async () => {
  if (browser) await browser.close();
  if (site) site.server.close();
});

function playing(page) {
  return lib.waitForState(page, "the fade to end", (s) => s.stage === "playing" && s.frames > 0);
}

function canvasBox(page) {
  return page.evaluate(() => {
    const r = document.getElementById("screen").getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
}

// Where the picture must sit, worked out here from the game area alone: a
// canvas on whole CSS pixels that are also whole device pixels, and on it
// the largest whole multiple of 640 x 480 in device pixels, unless that
// leaves over a quarter of the side that limits the fit empty; then the
// largest fit. Device pixels from the document's corner.
function expectedFit(area, ratio) {
  let unit = 1;
  while (unit < 16 && Math.abs(ratio * unit - Math.round(ratio * unit)) > 1e-4 * unit) ++unit;
  const left = Math.ceil(area.left / unit - 1e-6) * unit + 0;  // never -0
  const top = Math.ceil(area.top / unit - 1e-6) * unit + 0;
  const width = Math.round((Math.floor((area.left + area.width) / unit + 1e-6) * unit - left) * ratio);
  const height = Math.round((Math.floor((area.top + area.height) / unit + 1e-6) * unit - top) * ratio);
  const scale = Math.min(Math.floor(width / 640), Math.floor(height / 480));
  const wide = width * 480 > height * 640;
  const empty = wide ? (height - 480 * scale) / height : (width - 640 * scale) / width;
  const whole = scale >= 1 && empty <= 0.25;
  const w = whole ? 640 * scale : wide ? Math.floor((height * 640) / 480) : width;
  const h = whole ? 480 * scale : wide ? height : Math.floor((width * 480) / 640);
  return {
    whole: whole ? scale : 0,
    canvas: { left: Math.round(left * ratio), top: Math.round(top * ratio), width, height },
    left: Math.round(left * ratio) + Math.floor((width - w) / 2),
    top: Math.round(top * ratio) + Math.floor((height - h) / 2),
    width: w,
    height: h,
  };
}

const kSharpScreens = [
  { width: 1280, height: 960, deviceScaleFactor: 1 },
  { width: 1920, height: 1080, deviceScaleFactor: 1 },
  { width: 1366, height: 768, deviceScaleFactor: 1.25 },
  { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
];

for (const screen of kSharpScreens) {
  const name = screen.width + "x" + screen.height + "@" + screen.deviceScaleFactor;
  test("sharp at " + name + ": every picture pixel a solid block of screen pixels, centred, at the expected scale", async () => {
    const page = await lib.openPage(browser, { viewport: screen });
    // The title, still: the scripted mode draws it and stops.
    await page.goto(site.origin + "/index.html?script=screens/phases.txt&calls=4");
    await page.waitForFunction(() => document.body.dataset.script === "done", { timeout: 30000 });
    const ratio = screen.deviceScaleFactor;
    const area = await page.evaluate(() => {
      const r = document.getElementById("game").getBoundingClientRect();
      return { left: r.left, top: r.top, width: r.width, height: r.height };
    });
    const want = expectedFit(area, ratio);
    const box = await canvasBox(page);
    const got = {
      left: box.left * ratio,
      top: box.top * ratio,
      width: box.width * ratio,
      height: box.height * ratio,
      pixels: await page.evaluate(() => [document.getElementById("screen").width, document.getElementById("screen").height]),
    };
    assert.deepStrictEqual(got, { ...want.canvas, pixels: [want.canvas.width, want.canvas.height] },
      name + ": the canvas's box in device pixels, one canvas pixel each (area " + JSON.stringify(area) + ")");
    const fit = await page.evaluate(() => document.body.dataset.fit);
    assert.strictEqual(fit, want.whole ? want.whole + "x" : "nearest", name + ": whole multiple or nearest-neighbour");

    const canvas = await lib.readScreen(page);
    const shot = pictures.readTruecolourPng(Buffer.from(await page.screenshot({ type: "png" })));
    assert.strictEqual(shot.width, Math.round(screen.width * ratio), name + ": screenshot in device pixels");
    // Every device pixel of the box shows the picture pixel a nearest-
    // neighbour enlargement puts there; every one of the area around it is black.
    let wrong = 0;
    let first = null;
    let lit = 0;
    const c = want.canvas;
    for (let y = c.top; y < c.top + c.height && y < shot.height; ++y) {
      for (let x = c.left; x < c.left + c.width && x < shot.width; ++x) {
        const at = (y * shot.width + x) * 4;
        const inside = x >= want.left && x < want.left + want.width && y >= want.top && y < want.top + want.height;
        if (!inside) {
          lit += shot.rgba[at] + shot.rgba[at + 1] + shot.rgba[at + 2] > 0;
          continue;
        }
        // Sampled at the pixel's centre; on the line between two picture
        // pixels, the one before.
        const px = Math.ceil(((x - want.left + 0.5) * 640) / want.width) - 1;
        const py = Math.ceil(((y - want.top + 0.5) * 480) / want.height) - 1;
        const from = (py * 640 + px) * 4;
        const expected = [canvas[from], canvas[from + 1], canvas[from + 2]];
        if (shot.rgba[at] !== expected[0] || shot.rgba[at + 1] !== expected[1] || shot.rgba[at + 2] !== expected[2]) {
          if (!first) first = { x, y, got: Array.from(shot.rgba.subarray(at, at + 3)), expected };
          ++wrong;
        }
      }
    }
    assert.strictEqual(wrong, 0, name + ": device pixels not their picture pixel, first " + JSON.stringify(first));
    assert.strictEqual(lit, 0, name + ": lit pixels on the black around the picture");
    assert.deepStrictEqual(page.problems, [], name + ": console errors or warnings");
    await page.close();
  });
}
