"use strict";
// The page as a player meets it, in headless Chromium: the fade, the parts
// of the picture drawn, a button let go elsewhere, a hidden page,
// Esc and "play again", full screen, and the page inside an iframe. No test
// may leave a console error or warning.
const assert = require("node:assert");
const { test } = require("node:test");
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

const shared = lib.shareBrowser(
  {},
  {
    "/framed.html": '<!doctype html><title>framed</title><iframe src="/index.html" width="900" height="600"></iframe>',
  },
);

async function openGame(options = {}) {
  const page = await lib.openPage(shared.browser, { ...options, beforeLoad: instrument });
  await page.goto(shared.site.origin + "/index.html");
  return page;
}

async function canvasBox(page) {
  return page.evaluate(() => {
    const r = document.getElementById("screen").getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
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
  await lib.closeClean(page, "fade");
});

test("in play only the changed parts of the picture reach the canvas", async () => {
  const page = await openGame();
  await lib.playing(page);
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
  await lib.closeClean(page, "changed parts");
});

test("a button pressed on the game and let go elsewhere is let go", async () => {
  const page = await openGame();
  await lib.playing(page);
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
  await lib.closeClean(page, "let go");
});

test("a hidden page runs no frames and no timers, and plays on when shown again", async () => {
  const page = await openGame();
  await lib.playing(page);
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
  await lib.closeClean(page, "hidden");
});

test("Esc ends the run; play again starts a new one from the start values", async () => {
  const page = await openGame();
  await lib.playing(page);
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
  await lib.closeClean(page, "Esc");
});

test("the full-screen button, Alt+Enter and F ask for full screen of the game; Esc there only leaves it", async () => {
  const page = await openGame();
  await lib.playing(page);
  await page.click("#fullscreen");
  await lib.sleep(200);
  const afterButton = await page.evaluate(() => [window.testFullScreenRequests.slice(), document.activeElement.id]);
  assert.deepStrictEqual(
    afterButton,
    [["stage"], "game"],
    "button: full screen asked of the stage; the game keeps the focus",
  );
  // Where the browser grants it, Esc in full screen only leaves full screen.
  const entered = await page
    .waitForFunction(() => document.fullscreenElement, { timeout: 2000 })
    .then(
      () => true,
      () => false,
    );
  if (entered) {
    await page.keyboard.press("Escape");
    await lib.sleep(300);
    assert.strictEqual((await lib.gameState(page)).stage, "playing", "full screen: Esc did not end the run");
  }
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
  await lib.closeClean(page, "full screen");
});

test("the page plays inside an iframe of another page", async () => {
  const page = await lib.openPage(shared.browser);
  await page.goto(shared.site.origin + "/framed.html");
  const frame = await (await page.waitForSelector("iframe")).contentFrame();
  await frame.waitForFunction(() => window.nmnm && window.Module.calledRun && window.nmnm.state().stage === "playing", {
    timeout: 10000,
  });
  await lib.closeClean(page, "iframe");
});
