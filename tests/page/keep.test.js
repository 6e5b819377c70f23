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
const { test } = require("node:test");
const lib = require("./lib.js");
const pictures = require("./pictures.js");

const kScreensDir = path.resolve(__dirname, "..", "screens");
const kBuildList = path.resolve(__dirname, "..", "..", "cmake", "web_build_list.cmake");

const shared = lib.shareBrowser({ "/screens/": kScreensDir });

const kSharpScreens = [
  { width: 1280, height: 960, deviceScaleFactor: 1 },
  { width: 1920, height: 1080, deviceScaleFactor: 1 },
  { width: 1366, height: 768, deviceScaleFactor: 1.25 },
  { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
];

// Checks the page as it stands at `ratio`, by what shows: the canvas on
// whole device pixels; the picture inside the game area, centred, a whole
// multiple (the largest that fits) where the page says so, else 4:3 filling
// the side that limits it; and, read back from a screenshot, every device
// pixel of the picture the picture pixel under its centre (the browser,
// enlarging, takes the one before on an exact tie), black all around.
async function checkSharp(page, name, ratio) {
  const seen = await page.evaluate(() => {
    const box = (id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      return { left: r.left, top: r.top, width: r.width, height: r.height };
    };
    return {
      area: box("game"),
      canvas: box("screen"),
      pixels: document.getElementById("screen").width,
      fit: document.body.dataset.fit,
    };
  });
  const device = (r) => ({
    left: r.left * ratio,
    top: r.top * ratio,
    width: r.width * ratio,
    height: r.height * ratio,
  });
  const canvas = device(seen.canvas);
  for (const [edge, v] of Object.entries(canvas))
    assert.ok(Math.abs(v - Math.round(v)) < 1e-6, name + ": canvas " + edge + " on a device pixel, " + v);
  const p = device(await pictureBox(page));
  for (const key of Object.keys(p)) p[key] = Math.round(p[key]);
  const a = device(seen.area);
  const slack = 8 * ratio; // the canvas's corner snaps to a unit of at most 4 CSS pixels
  assert.ok(
    p.left >= a.left &&
      p.top >= a.top &&
      p.left + p.width <= a.left + a.width + 1e-6 &&
      p.top + p.height <= a.top + a.height + 1e-6,
    name + ": the picture " + JSON.stringify(p) + " inside the area " + JSON.stringify(a),
  );
  assert.ok(Math.abs(p.left - a.left - (a.left + a.width - p.left - p.width)) <= slack, name + ": centred across");
  assert.ok(Math.abs(p.top - a.top - (a.top + a.height - p.top - p.height)) <= slack, name + ": centred down");
  const whole = /^(\d+)x$/.exec(seen.fit);
  if (whole) {
    const n = Number(whole[1]);
    assert.deepStrictEqual([p.width, p.height], [640 * n, 480 * n], name + ": " + seen.fit + " in device pixels");
    assert.ok(640 * (n + 1) > a.width || 480 * (n + 1) > a.height, name + ": the largest whole multiple");
  } else {
    assert.strictEqual(seen.fit, "nearest", name + ": whole multiple or nearest-neighbour");
    assert.ok(Math.abs(p.width * 3 - p.height * 4) < 4, name + ": 4:3 to a device pixel");
    assert.ok(p.width >= a.width - slack || p.height >= a.height - slack, name + ": the limiting side filled");
  }
  const browser = seen.pixels === 640 && p.width !== 640;

  const picture = await lib.readScreen(page);
  const shot = pictures.readPng(Buffer.from(await page.screenshot({ type: "png" })));
  let wrong = 0;
  let first = null;
  let lit = 0;
  // The device pixels wholly inside the game area.
  for (let y = Math.ceil(a.top - 1e-6); y + 1 <= a.top + a.height + 1e-6 && y < shot.height; ++y) {
    for (let x = Math.ceil(a.left - 1e-6); x + 1 <= a.left + a.width + 1e-6 && x < shot.width; ++x) {
      const at = (y * shot.width + x) * 4;
      if (x < p.left || x >= p.left + p.width || y < p.top || y >= p.top + p.height) {
        lit += shot.rgba[at] + shot.rgba[at + 1] + shot.rgba[at + 2] > 0;
        continue;
      }
      const fx = ((x - p.left + 0.5) * 640) / p.width;
      const fy = ((y - p.top + 0.5) * 480) / p.height;
      const from =
        ((browser ? Math.ceil(fy) - 1 : Math.floor(fy)) * 640 + (browser ? Math.ceil(fx) - 1 : Math.floor(fx))) * 4;
      if (
        shot.rgba[at] !== picture[from] ||
        shot.rgba[at + 1] !== picture[from + 1] ||
        shot.rgba[at + 2] !== picture[from + 2]
      ) {
        if (!first)
          first = {
            x,
            y,
            got: Array.from(shot.rgba.subarray(at, at + 3)),
            expected: Array.from(picture.subarray(from, from + 3)),
          };
        ++wrong;
      }
    }
  }
  assert.strictEqual(wrong, 0, name + ": device pixels not their picture pixel, first " + JSON.stringify(first));
  assert.strictEqual(lit, 0, name + ": lit pixels on the black around the picture");
}

for (const screen of kSharpScreens) {
  const name = screen.width + "x" + screen.height + "@" + screen.deviceScaleFactor;
  test(
    "sharp at " + name + ": every picture pixel a solid block of screen pixels, centred, on whole device pixels",
    async () => {
      const page = await lib.openPage(shared.browser, { viewport: screen });
      // The title, still: the scripted mode draws it and stops.
      const ran = await lib.runScript(page, shared.site.origin + "/index.html?script=screens/phases.txt&calls=4");
      assert.strictEqual(ran[0], "done", name + ": the script ran");
      const shot = await page.screenshot({ type: "png" });
      assert.strictEqual(
        pictures.readPng(Buffer.from(shot)).width,
        Math.round(screen.width * screen.deviceScaleFactor),
        name + ": screenshot in device pixels",
      );
      await checkSharp(page, name, screen.deviceScaleFactor);
      await lib.closeClean(page, name);
    },
  );
}

test("a rotation and a screen of another density place the picture again at once, and the pointer follows", async () => {
  const page = await lib.openPage(shared.browser, { viewport: kSharpScreens[3] });
  await page.goto(shared.site.origin + "/index.html");
  await lib.playing(page);
  // The game is paused for each screenshot (so nothing moves); the notice
  // that says so would dim the picture.
  await page.addStyleTag({ content: "#paused { display: none !important; }" });
  const steps = [
    ["turned on its side", kSharpScreens[4]],
    ["moved to a screen of ratio 2", { ...kSharpScreens[4], deviceScaleFactor: 2 }],
    // Touch and mobile kept: puppeteer reloads the page when they change.
    ["a large window at a ratio of 1", { ...kSharpScreens[4], width: 1280, height: 800, deviceScaleFactor: 1 }],
  ];
  for (const [what, viewport] of steps) {
    await page.setViewport(viewport);
    // Placed again by the next frame at the latest (an emulated screen of
    // another density tells the page no media query, a real one does).
    await page.waitForFunction(() => Module.nmnmLayoutRatio === window.devicePixelRatio, { timeout: 1000 });
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
    const box = await pictureBox(page);
    await page.mouse.move(...pointOf(box, 100, 400));
    const at = await lib
      .waitForState(
        page,
        what + ": the pointer",
        (s) => Math.abs(s.cursorX - 100) <= 1 && Math.abs(s.cursorY - 400) <= 1,
        2000,
      )
      .catch((error) => error);
    assert.ok(!(at instanceof Error), what + ": the pointer maps through the new fit: " + (at.message || ""));
    // Still for the screenshot: without the focus the game runs no frames.
    await page.evaluate(() => window.dispatchEvent(new FocusEvent("blur")));
    await lib.waitForState(page, what + ": the pause", (s) => s.appActive === 0, 2000);
    await lib.sleep(100);
    await checkSharp(page, what, viewport.deviceScaleFactor);
    await page.evaluate(() => window.dispatchEvent(new FocusEvent("focus")));
  }
  await lib.closeClean(page, "re-placing");
});

// The picture's box in CSS pixels of the viewport: the canvas's, narrowed to
// where the host draws the picture on it.
function pictureBox(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById("screen");
    const r = canvas.getBoundingClientRect();
    const picture = Module.nmnmScreen.picture;
    const across = r.width / canvas.width;
    const down = r.height / canvas.height;
    return { left: r.left, top: r.top, width: picture.width * across, height: picture.height * down };
  });
}

// The CSS point at the centre of picture pixel (x, y).
function pointOf(box, x, y) {
  return [box.left + ((x + 0.5) * box.width) / 640, box.top + ((y + 0.5) * box.height) / 480];
}

function stopServing(served) {
  return new Promise((resolve) => {
    served.server.close(resolve);
    served.server.closeAllConnections();
  });
}

// Writes build.json for the folder again, as the build does after a change.
function relist(dir) {
  const list = JSON.parse(fs.readFileSync(path.join(dir, "build.json"), "utf8"));
  const names = Object.keys(list.files);
  execFileSync("cmake", ["-DDIR=" + dir, "-DVERSION=" + list.version, "-DFILES=" + names.join(","), "-P", kBuildList]);
}

// Marks a build in its page and its style: two files that must always come
// from the same build.
function markBuild(dir, mark) {
  const page = path.join(dir, "index.html");
  const html = fs.readFileSync(page, "utf8").replace(/<meta name="test-build"[^>]*>\n?/, "");
  fs.writeFileSync(page, html.replace("<head>\n", '<head>\n<meta name="test-build" content="' + mark + '">\n'));
  const style = path.join(dir, "page.css");
  const css = fs.readFileSync(style, "utf8").replace(/\n:root \{ --test-build: [^}]*\}\n?$/, "");
  fs.writeFileSync(style, css + '\n:root { --test-build: "' + mark + '"; }\n');
}

function buildsSeen(page) {
  return page.evaluate(() => {
    const meta = document.querySelector('meta[name="test-build"]');
    return [
      meta ? meta.content : "none",
      getComputedStyle(document.documentElement).getPropertyValue("--test-build").trim().replace(/"/g, "") || "none",
    ];
  });
}

test("offline: after one visit the game starts with no network; a new build is used whole at the next load", async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "nmnm-offline-"));
  fs.cpSync(lib.pageDir(), dir, { recursive: true });
  markBuild(dir, "1");
  relist(dir);
  let served = await lib.startServer({ "/": dir });
  const origin = "http://127.0.0.1:" + served.port;
  // A browser of its own: a fresh profile, no service worker of other tests.
  const own = await lib.launchBrowser();
  try {
    const page = await lib.openPage(own);
    await page.goto(origin + "/index.html");
    await lib.playing(page);
    await page.waitForFunction(() => document.body.dataset.offline === "ready", { timeout: 20000 });

    await stopServing(served);
    let response = await page.reload();
    assert.ok(response.fromServiceWorker(), "offline: the page came from the service worker");
    await lib.playing(page);
    assert.deepStrictEqual(await buildsSeen(page), ["1", "1"], "offline: the first build");

    // A new build on the server: the next load takes it, every file of it.
    markBuild(dir, "2");
    relist(dir);
    served = await lib.startServer({ "/": dir }, {}, served.port);
    response = await page.reload();
    assert.ok(response.fromServiceWorker(), "new build: the page came from the service worker");
    await lib.playing(page);
    assert.deepStrictEqual(await buildsSeen(page), ["2", "2"], "new build: page and style both new");

    // A server caught halfway through an update: its list names build 3 but
    // the style is still build 2's. The load keeps to build 2, whole.
    markBuild(dir, "3");
    relist(dir);
    markBuild(dir, "2");
    fs.writeFileSync(
      path.join(dir, "index.html"),
      fs.readFileSync(path.join(dir, "index.html"), "utf8").replace('content="2"', 'content="3"'),
    );
    await page.reload();
    await lib.playing(page);
    assert.deepStrictEqual(await buildsSeen(page), ["2", "2"], "half an update: the last whole build");
    markBuild(dir, "3");
    await page.reload();
    await lib.playing(page);
    assert.deepStrictEqual(await buildsSeen(page), ["3", "3"], "update finished: the new build whole");
    assert.deepStrictEqual(page.problems, [], "offline: console errors or warnings");
  } finally {
    await own.close();
    await stopServing(served).catch(() => {});
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

const kPhone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

test("touch: a tap starts the game, a tap on a fly swats it, a drag over the game scrolls nothing", async () => {
  const page = await lib.openPage(shared.browser, { viewport: kPhone });
  await page.goto(shared.site.origin + "/index.html");
  await lib.playing(page);
  const box = await pictureBox(page);
  await page.touchscreen.tap(...pointOf(box, 320, 240));
  await lib.waitForState(page, "the title to give way", (s) => s.gameState !== 0, 2000);
  await lib.waitForState(page, "the play phase", (s) => s.gameState === 3, 10000);

  await page.evaluate(() => window.nmnm.holdFly(200, 150));
  const before = (await lib.gameState(page)).killCount;
  await page.touchscreen.tap(...pointOf(box, 200, 150));
  const swatted = await lib.waitForState(page, "the fly to be swatted", (s) => s.killCount > before, 2000);
  assert.strictEqual(swatted.killCount, before + 1, "tap: one fly swatted");
  // A touch point comes in whole CSS pixels, and a picture pixel here is 0.6
  // of one: the nearest the finger can be.
  assert.ok(
    Math.abs(swatted.cursorX - 200) <= 1 && Math.abs(swatted.cursorY - 150) <= 1,
    "tap: the swatter went where the finger touched, at " + swatted.cursorX + "," + swatted.cursorY,
  );

  // A finger dragged down the game moves the swatter and not the page,
  // which scrolls elsewhere.
  const scrollable = await page.evaluate(() => document.documentElement.scrollHeight > window.innerHeight);
  assert.ok(scrollable, "drag: the page is long enough to scroll");
  const [x, y] = pointOf(box, 320, 100);
  await page.touchscreen.touchStart(x, y);
  for (let step = 1; step <= 10; ++step) await page.touchscreen.touchMove(x, y + step * 20);
  const dragged = await lib.waitForState(page, "the swatter to follow", (s) => s.cursorY > 200, 2000);
  await page.touchscreen.touchEnd();
  assert.ok(dragged.cursorY > 200, "drag: the swatter followed the finger");
  assert.strictEqual(await page.evaluate(() => window.scrollY), 0, "drag: the page did not scroll");
  await lib.closeClean(page, "touch");
});

test("keys: ArrowDown on the title lengthens the frame interval and scrolls nothing; what is held is let go when the focus leaves", async () => {
  // Narrow: the how-to-play below the game, so the page could scroll.
  const page = await lib.openPage(shared.browser, { viewport: { width: 700, height: 500, deviceScaleFactor: 1 } });
  await page.goto(shared.site.origin + "/index.html");
  await lib.playing(page);
  assert.ok(
    await page.evaluate(() => document.documentElement.scrollHeight > window.innerHeight),
    "keys: the page can scroll",
  );
  await page.focus("#game");
  await page.keyboard.down("ArrowDown");
  const longer = await lib.waitForState(page, "a longer frame interval", (s) => s.frameInterval > 30, 2000);
  await page.keyboard.up("ArrowDown");
  assert.ok(longer.frameInterval > 30, "ArrowDown: a longer frame interval");
  for (const key of ["ArrowDown", "ArrowUp", "ArrowRight", "ArrowLeft", "Space"]) await page.keyboard.press(key);
  await lib.sleep(100);
  assert.strictEqual(await page.evaluate(() => window.scrollY), 0, "keys: the page did not scroll");

  // ArrowDown held, then the focus moves to a button: the interval stops
  // growing though the key was never let go.
  await page.keyboard.down("ArrowDown");
  const growing = (
    await lib.waitForState(page, "the interval to grow", (s) => s.frameInterval > longer.frameInterval + 2, 3000)
  ).frameInterval;
  await page.focus("#fullscreen");
  await lib.sleep(200);
  const held = (await lib.gameState(page)).frameInterval;
  await lib.sleep(500);
  assert.ok(held >= growing, "blur: the interval had grown");
  assert.strictEqual((await lib.gameState(page)).frameInterval, held, "blur: ArrowDown let go when the focus left");
  await page.keyboard.up("ArrowDown");

  // The left button held on the game, then the focus leaves.
  const box = await pictureBox(page);
  await page.mouse.move(...pointOf(box, 320, 240));
  await page.mouse.down();
  await lib.waitForState(page, "the button seen down", (s) => s.buttonDown, 2000);
  await page.focus("#fullscreen");
  const released = await lib
    .waitForState(page, "the button let go", (s) => !s.buttonDown, 2000)
    .catch((error) => error);
  await page.mouse.up();
  assert.ok(!(released instanceof Error), "blur: the held button was let go");
  await lib.closeClean(page, "keys");
});

// How much of the play field is its most common colour: near all of it for
// a one-colour background, far less for the built-in table.
async function plainness(page) {
  const screen = await lib.readScreen(page);
  const counts = new Map();
  for (let i = 0; i < 640 * 448 * 4; i += 4) {
    const key = screen.readUInt32BE(i);
    counts.set(key, (counts.get(key) || 0) + 1);
  }
  return Math.max(...counts.values()) / (640 * 448);
}

function dropFile(page, name, bytes) {
  return page.evaluate(
    (name, text) => {
      const bytes = Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
      const files = new DataTransfer();
      files.items.add(new File([bytes], name));
      const game = document.getElementById("game");
      for (const type of ["dragenter", "dragover", "drop"])
        game.dispatchEvent(new DragEvent(type, { dataTransfer: files, bubbles: true, cancelable: true }));
    },
    name,
    bytes.toString("base64"),
  );
}

function statusLine(page) {
  return page.evaluate(() => document.getElementById("status").textContent);
}

// Debian's mscompress writes NAME_ in the SZDD form COMPRESS.EXE wrote.
function szddOf(bytes, dir, name) {
  const file = path.join(dir, name);
  fs.writeFileSync(file, bytes);
  execFileSync("mscompress", [file]);
  const packed = fs.readFileSync(file + "_");
  assert.strictEqual(packed.toString("latin1", 0, 4), "SZDD", name + ": mscompress wrote SZDD");
  return packed;
}

test("own pictures: a good one shows, plain or SZDD; a broken SZDD one says why in one line and changes nothing; the built-in ones come back", async () => {
  const page = await lib.openPage(shared.browser);
  await page.goto(shared.site.origin + "/index.html");
  await lib.playing(page);
  const first = await lib.waitForState(page, "some frames", (s) => s.frames > 10);
  assert.ok((await plainness(page)) < 0.5, "built-in: a varied picture");

  const work = fs.mkdtempSync(path.join(os.tmpdir(), "nmnm-own-"));
  const good = pictures.makeBmp(640, 480, 5);
  const packed = szddOf(good, work, "hk.bmp");
  const unknownMethod = Buffer.from(packed);
  unknownMethod[8] = 0x42;
  // The plain pictures' refusals are the own pictures test's (tests/app/web);
  // here what the SZDD reader of the page's build refuses.
  const refused = [
    ["an SZDD hk.bmp cut short", "hk.bmp", packed.subarray(0, packed.length >> 1), "rows of pixels are missing"],
    ["an SZDD pt.bmp cut in its header", "pt.bmp", packed.subarray(0, 12), "file ends inside its SZDD header"],
    ["an SZDD hk.bmp of an unknown method", "hk.bmp", unknownMethod, "unknown SZDD compression method"],
  ];
  for (const [what, name, bytes, reason] of refused) {
    await dropFile(page, name, bytes);
    await page
      .waitForFunction(
        (reason) => document.getElementById("status").textContent.includes(reason),
        { timeout: 5000 },
        reason,
      )
      .catch(() => {});
    const line = await statusLine(page);
    assert.ok(line.includes(reason) && line.includes(name), what + ": the reason shows, got: " + line);
    assert.ok(!/msexpand|folder|\n/.test(line), what + ": one line, no desktop advice, got: " + line);
    const frames = (await lib.gameState(page)).frames;
    const after = await lib.waitForState(page, "frames to go on", (s) => s.frames > frames + 3, 3000);
    assert.strictEqual(after.runs, first.runs, what + ": the run goes on, no new one");
    assert.strictEqual(
      await page.evaluate(() => Module._nmnm_own_pictures_in_use()),
      0,
      what + ": no own picture in use",
    );
    assert.ok((await plainness(page)) < 0.5, what + ": the built-in picture stays");
  }

  // A good one through the file button starts a new run with it.
  const file = path.join(work, "hk.bmp");
  await (await page.$("#picture-file")).uploadFile(file);
  const mine = await lib.waitForState(
    page,
    "a run with the player's picture",
    (s) => s.runs === first.runs + 1 && s.stage === "playing" && s.frames > 2,
    5000,
  );
  assert.strictEqual(mine.runs, first.runs + 1, "good: one new run");
  assert.ok((await statusLine(page)).includes("hk.bmp"), "good: the page says so");
  assert.ok((await plainness(page)) > 0.9, "good: the player's one-colour background shows");
  assert.strictEqual(
    await page.evaluate(() => document.getElementById("built-in-pictures").disabled),
    false,
    "good: the way back is offered",
  );

  await page.click("#built-in-pictures");
  await lib.waitForState(
    page,
    "a run with the built-in pictures",
    (s) => s.runs === first.runs + 2 && s.stage === "playing" && s.frames > 2,
    5000,
  );
  assert.ok((await plainness(page)) < 0.5, "back: the built-in picture again");
  assert.strictEqual(
    await page.evaluate(() => document.getElementById("built-in-pictures").disabled),
    true,
    "back: nothing to go back to",
  );

  // The same picture stored compressed (SZDD), dropped: it shows, as on Linux.
  await dropFile(page, "hk.bmp", packed);
  await lib.waitForState(
    page,
    "a run with the SZDD picture",
    (s) => s.runs === first.runs + 3 && s.stage === "playing" && s.frames > 2,
    5000,
  );
  assert.ok((await plainness(page)) > 0.9, "SZDD: the player's one-colour background shows");
  fs.rmSync(work, { recursive: true, force: true });
  await lib.closeClean(page, "own pictures");
});

for (const [missing, breakIt] of [
  ["WebAssembly", () => delete window.WebAssembly],
  ["canvas", () => (HTMLCanvasElement.prototype.getContext = () => null)],
]) {
  test("without " + missing + " the page says so in Japanese and English and loads no game", async () => {
    const page = await lib.openPage(shared.browser, { beforeLoad: breakIt });
    const requested = [];
    page.on("request", (request) => requested.push(new URL(request.url()).pathname));
    await page.goto(shared.site.origin + "/index.html");
    await page.waitForSelector("#unsupported:not([hidden])", { timeout: 5000 });
    const shown = await page.evaluate(() => ({
      text: document.getElementById("unsupported").innerText,
      loading: getComputedStyle(document.getElementById("loading")).display,
    }));
    assert.ok(shown.text.includes("このブラウザーでは遊べません"), missing + ": the Japanese line");
    assert.ok(shown.text.includes("This browser cannot run the game"), missing + ": the English line");
    assert.ok(
      shown.text.includes(missing === "canvas" ? "canvas" : "WebAssembly"),
      missing + ": what is missing is named",
    );
    assert.strictEqual(shown.loading, "none", missing + ": no endless loading");
    // Long enough for a preload the page never used to be warned about.
    await lib.sleep(4000);
    assert.ok(!requested.includes("/nmnm.js"), missing + ": the game's script was not loaded");
    await lib.closeClean(page, missing);
  });
}
