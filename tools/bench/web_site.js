"use strict";
// What the page's benchmarks share: the browser helpers of scripts/lib, a
// copy of the built page served from a process of its own as python3
// -m http.server (what scripts/play.sh --web runs), so that the measuring
// process's work never delays a file, and the median.
const { spawn } = require("node:child_process");
const fs = require("node:fs");
const net = require("node:net");
const os = require("node:os");
const path = require("node:path");
const browser = require("../../scripts/lib/browser.js");

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor((sorted.length - 1) / 2)];
}

// Serves a copy of `pageDir` with `extra` ({ name: text }) beside it;
// resolves to { origin, close() } once the server answers.
async function startSite(pageDir, extra = {}) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "nmnm-bench-"));
  fs.cpSync(pageDir, folder, { recursive: true });
  for (const [name, text] of Object.entries(extra)) fs.writeFileSync(path.join(folder, name), text);
  const port = await new Promise((resolve) => {
    const probe = net.createServer().listen(0, "127.0.0.1", () => {
      const free = probe.address().port;
      probe.close(() => resolve(free));
    });
  });
  const server = spawn("python3", ["-m", "http.server", String(port), "--bind", "127.0.0.1", "--directory", folder], {
    stdio: "ignore",
  });
  for (let i = 0; i < 100; ++i) {
    const up = await new Promise((resolve) =>
      net
        .connect(port, "127.0.0.1")
        .on("connect", function () {
          this.end();
          resolve(true);
        })
        .on("error", () => resolve(false)),
    );
    if (up) break;
    await browser.sleep(50);
  }
  return {
    origin: "http://127.0.0.1:" + port,
    close() {
      server.kill();
      fs.rmSync(folder, { recursive: true, force: true });
    },
  };
}

module.exports = { ...browser, median, startSite };
