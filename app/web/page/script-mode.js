"use strict";
// The scripted mode (page.html?script=URL&calls=N): the first N calls of a
// run file or replay script (nmnm-replay's format), read by the game's own
// reader and made with the file's clock, cursor and keys, the pictures drawn
// on the canvas as in play. Once the last call's picture is on the canvas,
// the body's data-script says "done" (or "failed", with the reason on the
// page).
var nmnmScriptMode = (function () {
  // Hands the bytes to the game's reader: the number of calls, or an error
  // with the reader's line (a bad line stops everything before anything runs).
  function read(module, bytes) {
    const at = module._nmnm_script_bytes(bytes.length);
    if (at) module.HEAPU8.set(bytes, at);
    const line = module._nmnm_script_read(at ? bytes.length : -1);
    const said = new TextDecoder().decode(module.HEAPU8.subarray(line, module.HEAPU8.indexOf(0, line)));
    if (said !== "") throw new Error(said);
    return module._nmnm_script_calls();
  }

  function nextAnimationFrame() {
    return new Promise((resolve) => requestAnimationFrame(resolve));
  }

  async function run(module, url, count) {
    const response = await fetch(url);
    if (!response.ok) throw new Error("cannot read the script " + url + " (" + response.status + ")");
    const calls = read(module, new Uint8Array(await response.arrayBuffer()));
    const wanted = count === null ? calls : count;
    if (!(wanted >= 0 && wanted <= calls))
      throw new Error("calls=" + count + " but the script has " + calls + " calls");
    if (!module._nmnm_script_begin()) throw new Error("the display could not be set up");
    module._nmnm_script_play(wanted);
    // The last picture reaches the canvas in the next animation frame.
    await nextAnimationFrame();
    await nextAnimationFrame();
  }

  return { read, run };
})();
