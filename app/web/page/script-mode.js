"use strict";
// The scripted mode (page.html?script=URL&calls=N): the first N calls of a
// replay script (nmnm-replay's format, one line per call: TICK X Y KEYS) made
// with the script's clock, cursor and keys, the pictures drawn on the canvas
// as in play. Once the last call's picture is on the canvas, the body's
// data-script says "done" (or "failed", with the reason on the page).
var nmnmScriptMode = (function () {
  const kKeyBits = { L: 1, U: 2, D: 4 };

  function whole(text, low, high) {
    if (!/^[+-]?\d+$/.test(text)) return null;
    const value = Number(text);
    return value >= low && value <= high ? value : null;
  }

  // One call per line, blank lines and # comments skipped; a bad line stops
  // everything before anything runs, naming the line.
  function parse(text) {
    const calls = [];
    text.split("\n").forEach((raw, index) => {
      const line = raw.trim();
      if (line === "" || line.startsWith("#")) return;
      const where = "line " + (index + 1) + ": ";
      const fields = line.split(/\s+/);
      if (fields.length !== 4) throw new Error(where + "expected 4 fields TICK X Y KEYS, found " + fields.length);
      const tick = fields[0].startsWith("-") ? null : whole(fields[0], 0, 4294967295);
      if (tick === null) throw new Error(where + "TICK is not an unsigned 32-bit decimal number");
      const x = whole(fields[1], -2147483648, 2147483647);
      const y = whole(fields[2], -2147483648, 2147483647);
      if (x === null || y === null) throw new Error(where + "X and Y must be signed 32-bit decimal numbers");
      let keys = 0;
      if (fields[3] !== "-") {
        for (const letter of fields[3]) {
          if (!(letter in kKeyBits)) throw new Error(where + "KEYS is not '-' or a set of the letters L, U, D");
          keys |= kKeyBits[letter];
        }
      }
      calls.push([tick, x, y, keys]);
    });
    return calls;
  }

  function nextAnimationFrame() {
    return new Promise((resolve) => requestAnimationFrame(resolve));
  }

  async function run(module, url, count) {
    const response = await fetch(url);
    if (!response.ok) throw new Error("cannot read the script " + url + " (" + response.status + ")");
    const calls = parse(await response.text());
    const wanted = count === null ? calls.length : count;
    if (!(wanted >= 0 && wanted <= calls.length))
      throw new Error("calls=" + count + " but the script has " + calls.length + " calls");
    if (!module._nmnm_script_begin()) throw new Error("the display could not be set up");
    for (let i = 0; i < wanted; ++i) module._nmnm_script_call(calls[i][0], calls[i][1], calls[i][2], calls[i][3]);
    // The last picture reaches the canvas in the next animation frame.
    await nextAnimationFrame();
    await nextAnimationFrame();
  }

  return { parse, run };
})();
