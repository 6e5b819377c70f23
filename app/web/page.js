"use strict";
// The page around the game: starts the module (nmnm.js, loaded after this
// file), shows the run's states, full screen, "play again", and the scripted
// mode of script-mode.js. window.nmnm is what the page's tests read.
(function () {
  const body = document.body;
  const stage = document.getElementById("stage");
  const game = document.getElementById("game");
  const canvas = document.getElementById("screen");
  const ended = document.getElementById("ended");
  const again = document.getElementById("again");
  const fullScreenButton = document.getElementById("fullscreen");
  const status = document.getElementById("status");
  const params = new URLSearchParams(location.search);

  function say(line) {
    status.textContent = line;
  }

  function showRun(state) {
    body.dataset.run = state;
    const over = state === "ended" || state === "failed";
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
    onAbort: () => say("ゲームを始められません / The game cannot run in this browser"),
    // From the host: "active"/"inactive", or the run's "fading", "playing",
    // "ended", "failed".
    onHostState: (state) => {
      if (state === "active" || state === "inactive") body.dataset.active = state === "active" ? "yes" : "no";
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
  nmnmLayout.follow(game, canvas);
  game.focus({ preventScroll: true });

  window.nmnm = {
    // The run and the game as plain values (app/web_probe.cpp).
    state() {
      const at = Module._nmnm_test_state();
      const bytes = Module.HEAPU8.subarray(at, Module.HEAPU8.indexOf(0, at));
      return JSON.parse(new TextDecoder().decode(bytes));
    },
    // Fly 0 held still, centred on picture pixel (x, y).
    holdFly: (x, y) => Module._nmnm_test_hold_fly(x, y),
    // The canvas's 640 x 480 RGBA pixels, base64.
    readScreen() {
      const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
      let text = "";
      for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
      return btoa(text);
    },
  };
})();
