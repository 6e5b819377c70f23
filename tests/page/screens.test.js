"use strict";
// The page's scripted mode shows, on its canvas, exactly the pictures
// nmnm-replay took of every phase (tests/screens/, from phases.txt), text
// included: the same game, the same drawing, the same baked glyphs.
const assert = require("node:assert");
const fs = require("node:fs");
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
  assert.strictEqual(
    outcome[1],
    "line 2: X 'x' is not a signed 32-bit decimal number",
    "bad script: the reader's line",
  );
  assert.strictEqual((await lib.gameState(page)).stage, "idle", "bad script: no call was made");
  assert.deepStrictEqual(page.problems, [], "bad script: console errors or warnings");
  await page.close();
});

// The page reads run files with the game's own reader: every case of the
// table the native tests read gets the very same answer here.
test("the page's reader answers every run file case as the game's tests do", async () => {
  const table = fs.readFileSync(path.resolve(__dirname, "..", "game", "run_file_cases.txt"), "latin1");
  const escapes = { n: "\n", r: "\r", t: "\t", "\\": "\\" };
  const cases = table
    .split("\n")
    .filter((row) => row !== "" && !row.startsWith("#"))
    .map((row) => {
      const [name, input, answer] = row.split("\t");
      const text = input.replace(/\\(x[0-9a-fA-F]{2}|.)/g, (_, e) =>
        e.length === 3 ? String.fromCharCode(parseInt(e.slice(1), 16)) : (escapes[e] ?? e),
      );
      return { name, bytes: Array.from(Buffer.from(text, "latin1")), answer };
    });
  assert.ok(cases.length >= 15, "the table was read whole");
  const page = await lib.openPage(browser);
  await page.goto(site.origin + "/index.html?script=screens/phases.txt&calls=0");
  await page.waitForFunction(() => document.body.dataset.script === "done", { timeout: 30000 });
  const answers = await page.evaluate((all) => {
    return all.map(({ bytes }) => {
      try {
        return "calls " + window.nmnmScriptMode.read(window.Module, new Uint8Array(bytes));
      } catch (error) {
        return error.message;
      }
    });
  }, cases);
  cases.forEach((c, i) => assert.strictEqual(answers[i], c.answer, "case: " + c.name));
  await page.close();
});
