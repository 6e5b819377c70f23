"use strict";
// Runs the page keeps. Every game played here is recorded by the game
// (app/web/web_record.cpp), which hands the text over as it writes it; the
// last run stays in the page's storage and "Save this run" makes it a file.
// A run file dropped on the page, chosen with the button, or named by
// ?watch=URL (this site's files only) plays on the canvas
// (app/web/web_watch.cpp): Space pauses, Right steps, Esc ends.
var nmnmRuns = (function () {
  const kStoreKey = "nmnm.lastRun";

  function stored() {
    try {
      return localStorage.getItem(kStoreKey) || "";
    } catch {
      return ""; // storage switched off
    }
  }

  // A file name from the run's end line, as the desktop names kept runs.
  function fileName(text) {
    const end = /^#end stage (\d+) kills (\d+)\s*$/m.exec(text);
    const now = new Date();
    const two = (n) => String(n).padStart(2, "0");
    const stamp =
      now.getFullYear() +
      two(now.getMonth() + 1) +
      two(now.getDate()) +
      "-" +
      two(now.getHours()) +
      two(now.getMinutes()) +
      two(now.getSeconds());
    return "nmnm-" + stamp + (end ? "-stage" + end[1] + "-kills" + end[2] : "") + ".nmnm-run";
  }

  // options: module, area (the game area), say(line), ready() (true once the
  // game can take a file), and the controls: input, choose, save, watchLast.
  function attach(options) {
    const { module, area, say, ready, input, choose, save, watchLast } = options;
    let current = ""; // the run being recorded, or the one that just ended

    const refresh = () => {
      save.disabled = current === "" && stored() === "";
      watchLast.disabled = !ready() || stored() === "";
    };

    const keep = () => {
      if (current === "") return;
      try {
        localStorage.setItem(kStoreKey, current);
      } catch {
        say("この記録は保存できません / The browser's storage is full or switched off: save the run as a file");
      }
      refresh();
    };

    module.onRunText = (text, fresh) => {
      if (fresh) current = "";
      current += text;
      refresh();
    };

    // Plays `text` on the canvas; false (with the game's line on the page)
    // when the file is refused.
    const watchText = (text) => {
      if (!ready()) {
        say("読み込みが終わってから / Wait until the game has loaded");
        return false;
      }
      const bytes = new TextEncoder().encode(text);
      const at = module._nmnm_watch_bytes(bytes.length);
      if (!at) {
        say("大きすぎます / The file is too large to be a run file");
        return false;
      }
      module.HEAPU8.set(bytes, at);
      if (!module._nmnm_watch_begin(bytes.length)) return false;
      keep(); // the game under way ended here, its end line written
      say("記録を再生中: Space 一時停止、→ 一コマ、Esc 終了 / Watching: Space pauses, Right steps, Esc ends");
      area.focus({ preventScroll: true });
      return true;
    };

    const watchFile = async (file) => watchText(await file.text());

    const watchUrl = async (value) => {
      const url = new URL(value, location.href);
      if (url.origin !== location.origin) {
        say("この場所の記録だけ再生できます / Only run files from this site can be watched by a link");
        return false;
      }
      const response = await fetch(url);
      if (!response.ok) {
        say("記録を読めません / Cannot read the run file " + url.pathname + " (" + response.status + ")");
        return false;
      }
      return watchText(await response.text());
    };

    const saveRun = () => {
      const text = current !== "" ? current : stored();
      if (text === "") return;
      const link = document.createElement("a");
      link.href = URL.createObjectURL(new Blob([text], { type: "text/plain" }));
      link.download = fileName(text);
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    };

    choose.addEventListener("click", () => input.click());
    input.addEventListener("change", () => {
      const file = input.files[0];
      input.value = "";
      if (file) watchFile(file);
    });
    save.addEventListener("click", saveRun);
    watchLast.addEventListener("click", () => watchText(stored()));
    document.addEventListener("keydown", (event) => {
      if (event.key !== " " && event.key !== "ArrowRight") return;
      const at = module._nmnm_watch_state ? module._nmnm_watch_state() : 0;
      if (!at) return;
      const state = JSON.parse(new TextDecoder().decode(module.HEAPU8.subarray(at, module.HEAPU8.indexOf(0, at))));
      if (!state.watching) return;
      module._nmnm_watch_key(event.key === " " ? 1 : 2);
      event.preventDefault();
    });
    // A tab closed in the middle of a game keeps what was played.
    addEventListener("pagehide", keep);
    refresh();
    return { refresh, keep, watchText, watchFile, watchUrl, stored, current: () => current };
  }

  // A dropped file that is not a picture is taken for a run file.
  const isRunFile = (file) => !/\.bmp$/i.test(file.name);

  return { attach, isRunFile, fileName };
})();
