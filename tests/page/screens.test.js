"use strict";
// The page's scripted mode shows, on its canvas, exactly the pictures
// nmnm-replay took of every phase (tests/screens/, from phases.txt), text
// included: the same game, the same drawing, the same baked glyphs.
const assert = require("node:assert");
const path = require("node:path");
const { after, before, test } = require("node:test");
const lib = require("./lib.js");

const kScreensDir = path.resolve(__dirname, "..", "screens");
// The calls after which tests/screens/ holds a picture (see phases.txt).
const kScreens = [
  ["title", 4],
  ["play", 406],
  ["stage_clear", 944],
  ["announcement", 1000],
  ["start", 1050],
  ["failure", 1660],
];

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

for (const [name, calls] of kScreens) {
  test("scripted page after call " + calls + " shows " + name + ".png", async () => {
    const page = await lib.openPage(browser);
    await page.goto(site.origin + "/index.html?script=screens/phases.txt&calls=" + calls);
    await page.waitForFunction(() => document.body.dataset.script, { timeout: 30000 });
    const outcome = await page.evaluate(() => [
      document.body.dataset.script,
      document.getElementById("status").textContent,
    ]);
    assert.deepStrictEqual(outcome, ["done", ""], name + ": the script ran");
    const want = lib.readIndexedPng(path.join(kScreensDir, name + ".png"));
    const got = await lib.readScreen(page);
    const difference = lib.pictureDifference(got, want.rgba, want.width);
    assert.strictEqual(
      difference,
      null,
      name +
        ": " +
        (difference &&
          difference.count + " pixels differ, the first at row " + difference.row + ", column " + difference.column),
    );
    assert.deepStrictEqual(page.problems, [], name + ": console errors or warnings");
    await page.close();
  });
}

test("a bad script line stops the scripted page before any call, naming the line", async () => {
  const page = await lib.openPage(browser);
  await page.goto(site.origin + "/index.html?script=" + encodeURIComponent("data:text/plain,1000 1 2 -%0A1030 x 2 -"));
  await page.waitForFunction(() => document.body.dataset.script, { timeout: 30000 });
  const outcome = await page.evaluate(() => [
    document.body.dataset.script,
    document.getElementById("status").textContent,
  ]);
  assert.strictEqual(outcome[0], "failed", "bad script: the page says it failed");
  assert.match(outcome[1], /^line 2: X and Y/, "bad script: the reason names line 2");
  assert.strictEqual((await lib.gameState(page)).stage, "idle", "bad script: no call was made");
  assert.deepStrictEqual(page.problems, [], "bad script: console errors or warnings");
  await page.close();
});
