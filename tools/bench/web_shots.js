"use strict";
// The README's pictures of the page, taken in Debian's headless Chromium: a
// desktop window (docs/images/web-page.png) and a phone held upright
// (docs/images/web-phone.png), each on the title screen a few frames in.
// Usage: tools/bench/run.sh shots PAGE_DIR [OUT_DIR]
const path = require("node:path");
const lib = require("../../scripts/lib/browser.js");

const pageDir = path.resolve(process.argv[2] || "build-web/page");
const outDir = path.resolve(process.argv[3] || "docs/images");

const kShots = [
  ["web-page.png", { width: 1100, height: 660, deviceScaleFactor: 1 }],
  ["web-phone.png", { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true }],
];

async function main() {
  const site = await lib.startServer({ "/": pageDir });
  const browser = await lib.launchBrowser();
  try {
    for (const [name, viewport] of kShots) {
      const page = await lib.openPage(browser, { viewport });
      await page.goto(site.origin + "/index.html");
      await lib.waitForState(page, "the title", (s) => s.stage === "playing" && s.frames > 20);
      await page.screenshot({ path: path.join(outDir, name) });
      if (page.problems.length) console.log(name + ": " + page.problems.join("; "));
      await page.close();
      console.log("wrote " + path.join(outDir, name));
    }
  } finally {
    await browser.close();
    site.server.close();
  }
}

main().catch((error) => {
  console.error("web_shots: " + error.message);
  process.exit(1);
});
