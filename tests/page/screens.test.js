"use strict";
// The page's scripted mode shows, on its canvas, exactly the pictures
// nmnm-replay took of every phase (tests/screens/, from phases.txt), text
// included: the same game, the same drawing, the same baked glyphs.
const assert = require("node:assert");
const fs = require("node:fs");
const path = require("node:path");
const { test } = require("node:test");
const lib = require("./lib.js");
const pictures = require("./pictures.js");

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

const shared = lib.shareBrowser({ "/screens/": kScreensDir });

for (const [name, calls] of kScreens) {
  test("scripted page after call " + calls + " shows " + name + ".png", async () => {
    const page = await lib.openPage(shared.browser);
    const outcome = await lib.runScript(
      page,
      shared.site.origin + "/index.html?script=screens/phases.txt&calls=" + calls,
    );
    assert.deepStrictEqual(outcome, ["done", ""], name + ": the script ran");
    const want = pictures.readPng(fs.readFileSync(path.join(kScreensDir, name + ".png")));
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
    await lib.closeClean(page, name);
  });
}

test("a bad script line stops the scripted page before any call, naming the line", async () => {
  const page = await lib.openPage(shared.browser);
  const url =
    shared.site.origin + "/index.html?script=" + encodeURIComponent("data:text/plain,1000 1 2 -%0A1030 x 2 -");
  const outcome = await lib.runScript(page, url);
  assert.strictEqual(outcome[0], "failed", "bad script: the page says it failed");
  assert.strictEqual(
    outcome[1],
    "line 2: X 'x' is not a signed 32-bit decimal number",
    "bad script: the reader's line",
  );
  assert.strictEqual((await lib.gameState(page)).stage, "idle", "bad script: no call was made");
  await lib.closeClean(page, "bad script");
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
  const page = await lib.openPage(shared.browser);
  const ran = await lib.runScript(page, shared.site.origin + "/index.html?script=screens/phases.txt&calls=0");
  assert.strictEqual(ran[0], "done", "the script ran");
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
