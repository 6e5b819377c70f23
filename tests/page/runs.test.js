"use strict";
// Runs on the page: a game played here is kept in the page's storage and
// saved as a file; after a reload "Watch the last run" plays it, and the
// canvas shows at three points exactly the pictures the Linux nmnm-replay
// takes of the saved file. A run recorded in the Linux window plays the same
// from a ?watch= link; a link to another site is refused.
const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { after, before, test } = require("node:test");
const lib = require("./lib.js");
const pictures = require("./pictures.js");

const kLinuxRun = path.resolve(__dirname, "..", "e2e", "played_on_linux.nmnm-run");
const shared = lib.shareBrowser({ "/runs/": path.dirname(kLinuxRun) });
let work;

function linuxTools() {
  const dir = process.env.NMNM_LINUX_TOOLS_DIR;
  if (!dir || !fs.existsSync(path.join(dir, "nmnm-replay")))
    throw new Error("NMNM_LINUX_TOOLS_DIR must name a Linux build's bin/ with nmnm-replay");
  return dir;
}

before(() => (work = fs.mkdtempSync(path.join(os.tmpdir(), "nmnm-runs-"))));
after(() => fs.rmSync(work, { recursive: true, force: true }));

// The watched run on the canvas after a quarter, half and all of its calls
// equals nmnm-replay's screenshots of `file` at the same calls.
async function expectReplayPictures(page, file, what) {
  // A line stands for one call, or for *N calls alike.
  const calls = fs
    .readFileSync(file, "utf8")
    .split("\n")
    .filter((line) => /^\d/.test(line))
    .reduce((sum, line) => sum + Number((/\*(\d+)\s*$/.exec(line) || [0, 1])[1]), 0);
  const points = [Math.floor(calls / 4), Math.floor(calls / 2), calls];
  const shots = points.flatMap((call) => ["--screenshot", call + ":" + path.join(work, call + ".png")]);
  execFileSync("./nmnm-replay", ["--script", file, ...shots], { cwd: linuxTools() });
  for (const call of points) {
    await page.evaluate((n) => window.nmnm.watchTo(n), call);
    const made = (await page.evaluate(() => window.nmnm.watchState())).made;
    assert.strictEqual(made, call, what + ": the watch stopped after call " + call);
    const want = pictures.readPng(fs.readFileSync(path.join(work, call + ".png")));
    const difference = lib.pictureDifference(await lib.readScreen(page), want.rgba, want.width);
    assert.strictEqual(
      difference,
      null,
      what + " after call " + call + ": " + JSON.stringify(difference) + " pixels differ",
    );
  }
}

test("a game played on the page is kept, saved, and watched after a reload as nmnm-replay shows it", async () => {
  const page = await lib.openPage(shared.browser);
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work });
  await page.goto(shared.site.origin + "/index.html");
  await lib.waitForState(page, "play to start", (s) => s.stage === "playing", 30000);
  const box = await (await page.$("#screen")).boundingBox();
  const at = (x, y) => [box.x + (x * box.width) / 640, box.y + (y * box.height) / 480];
  await page.mouse.click(...at(320, 300));
  await lib.sleep(3000);
  for (const [x, y] of [
    [200, 150],
    [420, 260],
    [320, 380],
    [520, 120],
  ]) {
    await page.mouse.move(...at(x, y), { steps: 4 });
    await page.mouse.down();
    await lib.sleep(120);
    await page.mouse.up();
    await lib.sleep(250);
  }
  await page.keyboard.press("Escape");
  await lib.waitForState(page, "the end of the run", (s) => s.stage === "ended");
  const kept = await page.evaluate(() => localStorage.getItem("nmnm.lastRun"));
  assert.match(kept || "", /^#nmnm-run 1\n#game \S+\n#platform web\n/, "kept run: the header");
  assert.match(kept, /\n#end stage 1 kills \d+\n$/, "kept run: the end line");

  await page.click("#save-ended-run");
  let saved = null;
  for (let i = 0; i < 100 && !saved; ++i) {
    saved = fs.readdirSync(work).find((name) => name.endsWith(".nmnm-run"));
    if (!saved) await lib.sleep(50);
  }
  assert.ok(saved, "save this run: a .nmnm-run file was downloaded");
  const file = path.join(work, saved);
  assert.strictEqual(fs.readFileSync(file, "utf8"), kept, "save this run: the file is the kept run");

  await page.reload();
  await page.waitForFunction(() => !document.getElementById("watch-last-run").disabled, { timeout: 30000 });
  await page.click("#watch-last-run");
  assert.strictEqual(
    (await page.evaluate(() => window.nmnm.watchState())).watching,
    true,
    "watch the last run: it plays",
  );
  await expectReplayPictures(page, file, "the page's own run");
  await lib.closeClean(page, "the page's own run");
});

test("a run recorded in the Linux window plays from a ?watch= link; another site's link is refused", async () => {
  const page = await lib.openPage(shared.browser);
  await page.goto(shared.site.origin + "/index.html?watch=runs/played_on_linux.nmnm-run");
  await page.waitForFunction(() => document.body.dataset.watch, { timeout: 30000 });
  assert.strictEqual(await page.evaluate(() => document.body.dataset.watch), "playing", "?watch= link: it plays");
  await expectReplayPictures(page, kLinuxRun, "the Linux recording");
  assert.deepStrictEqual(page.problems, [], "console errors or warnings");

  await page.goto(
    shared.site.origin + "/index.html?watch=" + encodeURIComponent("http://example.invalid/run.nmnm-run"),
  );
  await page.waitForFunction(() => document.body.dataset.watch, { timeout: 30000 });
  const outcome = await page.evaluate(() => [
    document.body.dataset.watch,
    document.getElementById("status").textContent,
  ]);
  assert.strictEqual(outcome[0], "refused", "another site's link: refused");
  assert.match(outcome[1], /Only run files from this site/, "another site's link: the page says why");
  await page.close();
});
