"use strict";
// The page around the game: loads the module (nmnm.js) where WebAssembly
// and the canvas are there and says so where they are not, shows the run's
// states (loading, "click or tap to start", ended), full screen, "play
// again", the player's own pictures (own-pictures.js) and the scripted mode
// of script-mode.js. The canvas is placed by the game's host
// (platform/web/web_layout.cpp). window.nmnm is what the page's tests read.
(function () {
  const body = document.body;
  const stage = document.getElementById("stage");
  const game = document.getElementById("game");
  const ended = document.getElementById("ended");
  const again = document.getElementById("again");
  const fullScreenButton = document.getElementById("fullscreen");
  const status = document.getElementById("status");
  const params = new URLSearchParams(location.search);

  // What the game needs that this browser lacks, in words; null when none.
  function missingFeature() {
    if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function")
      return "WebAssembly is not available (it may be switched off in the browser's settings).";
    const probe = document.createElement("canvas");
    if (typeof probe.getContext !== "function" || !probe.getContext("2d"))
      return "The canvas cannot be drawn on (it may be blocked in the browser's settings).";
    return null;
  }

  function say(line) {
    status.textContent = line;
  }

  function showRun(state) {
    body.dataset.run = state;
    const over = state === "ended" || state === "failed";
    if (state === "ended" && window.nmnm && window.nmnm.runs) window.nmnm.runs.keep();
    ended.hidden = !over;
    if (over) again.focus({ preventScroll: true });
  }

  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
      return;
    }
    if (!document.fullscreenEnabled) {
      say("全画面は使えません / Full screen is not allowed here");
      return;
    }
    stage.requestFullscreen({ navigationUI: "hide" }).catch(() => say("全画面にできません / Full screen was refused"));
  }

  const Module = (window.Module = {
    print: (line) => console.log(line),
    // The game's stderr: a line a player can act on.
    printErr: (line) => {
      console.warn(line);
      say(line);
    },
    onAbort: () => {
      say("ゲームを始められません / The game cannot run in this browser");
      body.dataset.run = "broken";
    },
    // From the host: "active"/"inactive"; "title"/"game", what the picture
    // shows; or the run's "fading", "playing", "ended", "failed".
    onHostState: (state) => {
      if (state === "active" || state === "inactive") body.dataset.active = state === "active" ? "yes" : "no";
      else if (state === "title" || state === "game") body.dataset.screen = state;
      else showRun(state);
    },
    toggleFullScreen,
  });

  const scriptUrl = params.get("script");
  if (scriptUrl !== null) {
    const calls = params.has("calls") ? Number(params.get("calls")) : null;
    Module.noInitialRun = true;
    Module.onRuntimeInitialized = () => {
      showRun("scripted");
      nmnmScriptMode
        .run(Module, scriptUrl, calls)
        .then(() => (body.dataset.script = "done"))
        .catch((error) => {
          say(String(error.message || error));
          body.dataset.script = "failed";
        });
    };
  }

  fullScreenButton.hidden = !document.fullscreenEnabled;
  fullScreenButton.addEventListener("click", () => {
    toggleFullScreen();
    game.focus({ preventScroll: true });
  });
  again.addEventListener("click", () => {
    say("");
    Module._nmnm_play_again();
    game.focus({ preventScroll: true });
  });
  game.focus({ preventScroll: true });

  const missing = missingFeature();
  if (missing !== null) {
    body.dataset.run = "unsupported";
    document.getElementById("missing").textContent = missing;
    document.getElementById("unsupported").hidden = false;
    return;
  }
  const runs = nmnmRuns.attach({
    module: Module,
    area: game,
    say,
    ready: () => !!Module.calledRun && scriptUrl === null,
    input: document.getElementById("run-file"),
    choose: document.getElementById("choose-run"),
    save: document.getElementById("save-run"),
    watchLast: document.getElementById("watch-last-run"),
  });
  document
    .getElementById("save-ended-run")
    .addEventListener("click", () => document.getElementById("save-run").click());
  const pictures = nmnmOwnPictures.attach({
    takeOther: (file) => nmnmRuns.isRunFile(file) && (runs.watchFile(file), true),
    module: Module,
    area: game,
    input: document.getElementById("picture-file"),
    choose: document.getElementById("choose-picture"),
    builtIn: document.getElementById("built-in-pictures"),
    say,
    ready: () => !!Module.calledRun && scriptUrl === null,
  });
  const started = Module.onRuntimeInitialized;
  const watchUrl = params.get("watch");
  Module.onRuntimeInitialized = () => {
    if (started) started();
    pictures.refresh();
    runs.refresh();
    if (watchUrl !== null) runs.watchUrl(watchUrl).then((ok) => (body.dataset.watch = ok ? "playing" : "refused"));
  };
  // Fetched already (index.html preloads it and nmnm.wasm).
  const script = document.createElement("script");
  script.src = "nmnm.js";
  script.onerror = () => {
    say("nmnm.js を読めません / nmnm.js could not be loaded; reload the page");
    body.dataset.run = "broken";
  };
  document.head.append(script);

  window.nmnm = {
    runs,
    // The watched run: {watching, calls, made, paused}.
    watchState() {
      const at = Module._nmnm_watch_state();
      return JSON.parse(new TextDecoder().decode(Module.HEAPU8.subarray(at, Module.HEAPU8.indexOf(0, at))));
    },
    // Plays the watched run on at once to `calls` calls made, then pauses.
    watchTo: (calls) => Module._nmnm_watch_run_to(calls),
    // The run and the game as plain values (app/web/web_probe.cpp).
    state() {
      const at = Module._nmnm_test_state();
      const bytes = Module.HEAPU8.subarray(at, Module.HEAPU8.indexOf(0, at));
      return JSON.parse(new TextDecoder().decode(bytes));
    },
    // Fly 0 held still, centred on picture pixel (x, y).
    holdFly: (x, y) => Module._nmnm_test_hold_fly(x, y),
    // The picture's 640 x 480 RGBA pixels as drawn, base64 (the page's
    // canvas holds them enlarged); all black before the first.
    readScreen() {
      const at = Module._nmnm_test_picture();
      let data = at ? Module.HEAPU8.subarray(at, at + 640 * 480 * 4) : null;
      if (!data) {
        data = new Uint8Array(640 * 480 * 4);
        for (let i = 3; i < data.length; i += 4) data[i] = 255;
      }
      let text = "";
      for (let i = 0; i < data.length; i += 0x8000)
        text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
      return btoa(text);
    },
  };
})();
