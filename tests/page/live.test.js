"use strict";
// The page as a player meets it, in headless Chromium: the fade, a click on
// the title, a swing at a fly, the pointer at other scales, a hidden page,
// Esc and "play again", full screen, and the page inside an iframe. No test
// may leave a console error or warning.
const assert = require("node:assert");
const { after, before, test } = require("node:test");
const lib = require("./lib.js");

// Counts the page's pending timers and animation frames run, and records
// full-screen requests, before any script of the page runs.
function instrument() {
  const pending = new Set();
  const setTimer = window.setTimeout;
  const clearTimer = window.clearTimeout;
  const requestFrame = window.requestAnimationFrame;
  window.setTimeout = function (callback, ms, ...rest) {
    const id = setTimer.call(
      window,
      (...args) => {
        pending.delete(id);
        callback(...args);
      },
      ms,
      ...rest,
    );
    pending.add(id);
    return id;
  };
  window.clearTimeout = function (id) {
    pending.delete(id);
    return clearTimer.call(window, id);
  };
  window.requestAnimationFrame = function (callback) {
    return requestFrame.call(window, (time) => {
      ++window.testAnimationFramesRun;
      callback(time);
    });
  };
  window.testAnimationFramesRun = 0;
  window.testPendingTimers = () => pending.size;
  window.testPutArea = 0;
  window.testPuts = 0;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image, dx, dy, x, y, width, height) {
    ++window.testPuts;
    window.testPutArea += width === undefined ? image.width * image.height : width * height;
    return put.apply(this, arguments);
  };
  window.testFullScreenRequests = [];
  const request = Element.prototype.requestFullscreen;
  Element.prototype.requestFullscreen = function (...args) {
    window.testFullScreenRequests.push(this.id);
    return request.apply(this, args);
  };
}

let browser;
let site;

before(async () => {
  site = await lib.startServer(
    { "/": lib.pageDir() },
    {
      "/framed.html":
        '<!doctype html><title>framed</title><iframe src="/index.html" width="900" height="600"></iframe>',
    },
  );
  browser = await lib.launchBrowser();
});

after(async () => {
  if (browser) await browser.close();
  if (site) site.server.close();
});

async function openGame(options = {}) {
  const page = await lib.openPage(browser, { ...options, beforeLoad: instrument });
  if (options.style) {
    await page.evaluateOnNewDocument((css) => {
      document.addEventListener("DOMContentLoaded", () => {
        const style = document.createElement("style");
        style.textContent = css;
        document.head.append(style);
      });
    }, options.style);
  }
  await page.goto(site.origin + "/index.html");
  return page;
}

function playing(page) {
  return lib.waitForState(page, "the fade to end", (s) => s.stage === "playing" && s.frames > 0);
}

async function canvasBox(page) {
  return page.evaluate(() => {
    const r = document.getElementById("screen").getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
}

async function clickAt(page, x, y) {
  await page.mouse.move(x, y);
  await page.mouse.down();
  await lib.sleep(50);
  await page.mouse.up();
}

test("the fade from black is a visible ramp of about the desktop's length", async () => {
  const page = await openGame();
  // The mean brightness of the canvas at every animation frame until play.
  const ramp = await page.evaluate(async () => {
    const canvas = document.getElementById("screen");
    // Read through a copy, so the game's own canvas is never read back.
    const copy = document.createElement("canvas");
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext("2d", { willReadFrequently: true });
    const samples = [];
    const start = performance.now();
    while (performance.now() - start < 5000) {
      await new Promise((resolve) => requestAnimationFrame(resolve));
      context.drawImage(canvas, 0, 0);
      const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
      let sum = 0;
      for (let i = 0; i < data.length; i += 4 * 97) sum += data[i] + data[i + 1] + data[i + 2];
      samples.push([performance.now(), sum]);
      if (window.Module.calledRun && window.nmnm.state().stage === "playing") break;
    }
    return samples;
  });
  const levels = ramp.map(([, sum]) => sum);
  const distinct = new Set(levels.filter((v) => v > 0 && v < levels[levels.length - 1]));
  // The animation frames sampled come at the display's rate or slower on a
  // busy machine; a fade in one jump would show none between.
  assert.ok(distinct.size >= 5, "fade: at least 5 levels between black and full, saw " + distinct.size);
  for (let i = 1; i < levels.length; ++i)
    assert.ok(levels[i] >= levels[i - 1], "fade: never darker again, sample " + i);
  const firstLight = ramp.find(([, sum]) => sum > 0)[0];
  const full = ramp.find(([, sum]) => sum === levels[levels.length - 1])[0];
  assert.ok(
    full - firstLight >= 200 && full - firstLight <= 2000,
    "fade: lasted " + Math.round(full - firstLight) + " ms",
  );
  assert.deepStrictEqual(page.problems, [], "fade: console errors or warnings");
  await page.close();
});

test("a click starts the game and a swing kills a fly held under the pointer", async () => {
  const page = await openGame();
  await playing(page);
  const box = await canvasBox(page);
  assert.strictEqual((await lib.gameState(page)).gameState, 0, "before the click: the title");
  await clickAt(page, box.left + box.width / 2, box.top + box.height / 2);
  await lib.waitForState(page, "the title to give way", (s) => s.gameState !== 0, 2000);
  await lib.waitForState(page, "the play phase", (s) => s.gameState === 3, 10000);
  // About picture pixel (200, 150); the fly goes where the game sees the cursor.
  await page.mouse.move(box.left + (box.width * 200) / 640, box.top + (box.height * 150) / 480);
  const aim = await lib.waitForState(
    page,
    "the cursor to arrive",
    (s) => Math.abs(s.cursorX - 200) <= 2 && Math.abs(s.cursorY - 150) <= 2,
    2000,
  );
  await page.evaluate((x, y) => window.nmnm.holdFly(x, y), aim.cursorX, aim.cursorY);
  const before = aim.killCount;
  await page.mouse.down();
  await page.mouse.up();
  const state = await lib.waitForState(page, "the fly to be swatted", (s) => s.killCount > before, 2000);
  assert.strictEqual(state.killCount, before + 1, "swing: one fly swatted");
  assert.deepStrictEqual(page.problems, [], "swing: console errors or warnings");
  await page.close();
});

test("in play only the changed parts of the picture reach the canvas", async () => {
  const page = await openGame();
  await playing(page);
  const box = await canvasBox(page);
  await page.mouse.move(box.left + box.width / 2, box.top + box.height / 2);
  const start = await page.evaluate(() => [window.nmnm.state().frames, window.testPutArea, window.testPuts]);
  await lib.sleep(1500);
  const end = await page.evaluate(() => [window.nmnm.state().frames, window.testPutArea, window.testPuts]);
  const frames = end[0] - start[0];
  assert.ok(frames >= 20, "changed parts: frames ran, saw " + frames);
  // The title: two flies and the swatter move, the messages stay.
  const share = (end[1] - start[1]) / frames / (640 * 480);
  assert.ok(share < 0.1, "changed parts: " + (share * 100).toFixed(1) + "% of the picture put per frame");
  assert.ok(
    end[2] - start[2] >= frames / 2,
    "changed parts: a drawing for most frames, " + (end[2] - start[2]) + " puts",
  );
  assert.deepStrictEqual(page.problems, [], "changed parts: console errors or warnings");
  await page.close();
});

test("a button pressed on the game and let go elsewhere is let go", async () => {
  const page = await openGame();
  await playing(page);
  const box = await canvasBox(page);
  await page.mouse.move(box.left + box.width / 2, box.top + box.height / 2);
  await page.mouse.down();
  await lib.waitForState(page, "the button held", (s) => s.buttonDown, 2000);
  // Over the how-to-play beside the game.
  const aside = await page.evaluate(() => {
    const r = document.getElementById("howto").getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  });
  await page.mouse.move(aside.x, aside.y);
  await page.mouse.up();
  const released = await lib.waitForState(page, "the button let go", (s) => !s.buttonDown, 2000);
  assert.deepStrictEqual(
    [released.cursorX, released.cursorY > 0],
    [639, true],
    "let go beside: the cursor waits at the right edge",
  );
  // Let go outside the browser's window: the page hears no mouseup, only a
  // later move with no button down.
  await page.mouse.move(box.left + box.width / 2, box.top + box.height / 2);
  await page.mouse.down();
  await lib.waitForState(page, "the button held again", (s) => s.buttonDown, 2000);
  const session = await page.createCDPSession();
  await session.send("Input.dispatchMouseEvent", { type: "mouseMoved", x: box.left + 10, y: box.top + 10, buttons: 0 });
  await lib.waitForState(page, "the button let go outside the window", (s) => !s.buttonDown, 2000);
  assert.deepStrictEqual(page.problems, [], "let go: console errors or warnings");
  await page.close();
});

// The game area made a given size, 40 CSS pixels in from the page's corner,
// at a device pixel ratio where the picture fills it by a whole multiple:
// 800 x 600 at 1.6 is 1280 x 960 device pixels, twice the picture, 1.25 CSS
// pixels a picture pixel; 960 x 720 at 2 is three times, 1.5 CSS pixels.
function scaledArea(width, height) {
  return (
    "#game { flex: none !important; width: " +
    width +
    "px !important; height: " +
    height +
    "px !important; margin: 40px; }"
  );
}

const kScaledCases = [
  {
    ratio: 1.6,
    area: [800, 600],
    scale: 1.25,
    // CSS offsets from the canvas's corner, and the picture pixel under each:
    // offset / 1.25, clamped to the picture.
    points: [
      [5, 5, 4, 4],
      [400, 300, 320, 240],
      [799, 599, 639, 479],
      [801, 300, 639, 240],
      [-20, -20, 0, 0],
      [300, 650, 240, 479],
      [123, 456, 98, 364],
    ],
  },
  {
    ratio: 2,
    area: [960, 720],
    scale: 1.5,
    points: [
      [5, 5, 3, 3],
      [480, 360, 320, 240],
      [959, 719, 639, 479],
      [961, 300, 639, 200],
      [-20, -20, 0, 0],
      [300, 730, 200, 479],
      [123, 456, 82, 304],
    ],
  },
];

for (const { ratio, area, scale, points } of kScaledCases) {
  test("the pointer maps onto the picture at CSS scale " + scale + ", device pixel ratio " + ratio, async () => {
    const page = await openGame({
      viewport: { width: 1280, height: 800, deviceScaleFactor: ratio },
      style: scaledArea(...area),
    });
    await playing(page);
    const box = await canvasBox(page);
    assert.deepStrictEqual([box.width, box.height], area, "scale " + scale + ": the canvas's CSS box");
    for (const [dx, dy, x, y] of points) {
      await page.mouse.move(box.left + dx, box.top + dy);
      const state = await lib
        .waitForState(page, "cursor " + x + "," + y, (s) => s.cursorX === x && s.cursorY === y, 2000)
        .catch((error) => error);
      assert.ok(
        !(state instanceof Error),
        "ratio " + ratio + ", CSS offset " + dx + "," + dy + ": " + (state.message || ""),
      );
    }
    assert.deepStrictEqual(page.problems, [], "pointer: console errors or warnings");
    await page.close();
  });
}

test("a hidden page runs no frames and no timers, and plays on when shown again", async () => {
  const page = await openGame();
  await playing(page);
  const session = await page.createCDPSession();
  const { windowId } = await session.send("Browser.getWindowForTarget");
  await session.send("Browser.setWindowBounds", { windowId, bounds: { windowState: "minimized" } });
  await lib.waitForState(page, "the game to pause", (s) => s.appActive === 0, 2000);
  const before = await page.evaluate(() => [window.nmnm.state().frames, window.testAnimationFramesRun]);
  await lib.sleep(1500);
  const hidden = await page.evaluate(() => ({
    frames: window.nmnm.state().frames,
    animationFrames: window.testAnimationFramesRun,
    timers: window.testPendingTimers(),
    visibility: document.visibilityState,
    cursor: getComputedStyle(document.getElementById("screen")).cursor,
    paused: getComputedStyle(document.getElementById("paused")).display,
  }));
  assert.strictEqual(hidden.visibility, "hidden", "hidden: the page is hidden");
  assert.strictEqual(hidden.frames, before[0], "hidden: no frame ran");
  assert.strictEqual(hidden.animationFrames, before[1], "hidden: no animation frame ran");
  assert.strictEqual(hidden.timers, 0, "hidden: no timer is pending");
  assert.strictEqual(hidden.cursor, "default", "hidden: the pointer shows over the picture");
  assert.strictEqual(hidden.paused, "flex", "hidden: the page says the game is paused");
  await session.send("Browser.setWindowBounds", { windowId, bounds: { windowState: "normal" } });
  await lib.waitForState(page, "frames again", (s) => s.appActive === 1 && s.frames > hidden.frames + 3, 2000);
  const paused = await page.evaluate(() => getComputedStyle(document.getElementById("paused")).display);
  assert.strictEqual(paused, "none", "shown again: the pause notice is gone");
  assert.deepStrictEqual(page.problems, [], "hidden: console errors or warnings");
  await page.close();
});

test("Esc ends the run; play again starts a new one from the start values", async () => {
  const page = await openGame();
  await playing(page);
  await page.keyboard.down("ArrowDown");
  await lib.waitForState(page, "a longer frame interval", (s) => s.frameInterval > 30, 2000);
  await page.keyboard.up("ArrowDown");
  await page.keyboard.press("Escape");
  await lib.waitForState(page, "the run to end", (s) => s.stage === "ended", 2000);
  const frames = (await lib.gameState(page)).frames;
  await lib.sleep(300);
  const ended = await page.evaluate(() => ({
    frames: window.nmnm.state().frames,
    timers: window.testPendingTimers(),
    run: document.body.dataset.run,
    overlay: !document.getElementById("ended").hidden,
    focused: document.activeElement.id,
    dark: Array.from(document.getElementById("screen").getContext("2d").getImageData(0, 0, 640, 480).data).every(
      (v, i) => i % 4 === 3 || v === 0,
    ),
  }));
  assert.strictEqual(ended.frames, frames, "ended: no more frames");
  assert.strictEqual(ended.timers, 0, "ended: no timer pending");
  assert.strictEqual(ended.run, "ended", "ended: the page says so");
  assert.ok(ended.overlay, "ended: the play-again overlay shows");
  assert.strictEqual(ended.focused, "again", "ended: play again has the focus");
  assert.ok(ended.dark, "ended: the display is given back (black canvas)");
  await page.click("#again");
  const fresh = await lib.waitForState(page, "a new run", (s) => s.stage === "playing", 3000);
  assert.strictEqual(fresh.frameInterval, 30, "again: the frame interval is back to 30 ms");
  assert.strictEqual(fresh.gameState, 0, "again: the title");
  assert.strictEqual(await page.evaluate(() => document.getElementById("ended").hidden), true, "again: overlay gone");
  assert.deepStrictEqual(page.problems, [], "Esc: console errors or warnings");
  await page.close();
});

test("the full-screen button, Alt+Enter and F ask for full screen of the game", async () => {
  const page = await openGame();
  await playing(page);
  await page.click("#fullscreen");
  await lib.sleep(200);
  const afterButton = await page.evaluate(() => [window.testFullScreenRequests.slice(), document.activeElement.id]);
  assert.deepStrictEqual(
    afterButton,
    [["stage"], "game"],
    "button: full screen asked of the stage; the game keeps the focus",
  );
  // Leave it again, whatever the browser did, so that each key asks anew.
  const leave = () => page.evaluate(() => document.fullscreenElement && document.exitFullscreen());
  await leave();
  await page.keyboard.down("Alt");
  await page.keyboard.press("Enter");
  await page.keyboard.up("Alt");
  await lib.sleep(200);
  await leave();
  await page.keyboard.press("f");
  await lib.sleep(200);
  await leave();
  const requests = await page.evaluate(() => window.testFullScreenRequests.slice());
  assert.deepStrictEqual(requests, ["stage", "stage", "stage"], "button, Alt+Enter and F each asked once");
  assert.strictEqual((await lib.gameState(page)).stage, "playing", "full screen keys do not end the run");
  assert.deepStrictEqual(page.problems, [], "full screen: console errors or warnings");
  await page.close();
});

test("in the browser's full screen Esc only leaves full screen", async () => {
  const page = await openGame();
  await playing(page);
  await page.click("#fullscreen");
  const entered = await page
    .waitForFunction(() => document.fullscreenElement !== null, { timeout: 2000 })
    .then(
      () => true,
      () => false,
    );
  if (!entered) {
    // Nothing to check where the browser grants no full screen.
    await page.close();
    return;
  }
  await page.keyboard.press("Escape");
  await lib.sleep(300);
  assert.strictEqual((await lib.gameState(page)).stage, "playing", "full screen: Esc did not end the run");
  assert.deepStrictEqual(page.problems, [], "full screen Esc: console errors or warnings");
  await page.close();
});

test("the page plays inside an iframe of another page", async () => {
  const page = await lib.openPage(browser);
  await page.goto(site.origin + "/framed.html");
  const frame = await (await page.waitForSelector("iframe")).contentFrame();
  await frame.waitForFunction(() => window.nmnm && window.Module.calledRun && window.nmnm.state().stage === "playing", {
    timeout: 10000,
  });
  assert.deepStrictEqual(page.problems, [], "iframe: console errors or warnings");
  await page.close();
});
