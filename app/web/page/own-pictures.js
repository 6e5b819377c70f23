"use strict";
// The player's own pictures: an hk.bmp or pt.bmp dropped anywhere on the
// page, or chosen with the button, is read here and handed to the game
// (app/web/web_own_pictures.cpp), which starts a new run with it or says in one
// line why not, and then the run goes on untouched. "Built-in pictures" puts
// the game's own back. Nothing is sent anywhere.
var nmnmOwnPictures = (function () {
  // Hands one file to the game: "" when a new run started with it, else the
  // game's line saying why not.
  async function offer(module, file) {
    const name = new TextEncoder().encode(file.name);
    const namePointer = module._nmnm_picture_name(name.length);
    module.HEAPU8.set(name, namePointer);
    // Null when the game takes no file that large: then only its size goes.
    // The room is asked again for the bytes as read, so a file that changed
    // meanwhile can never write past it.
    let size = file.size;
    if (module._nmnm_picture_bytes(size)) {
      const bytes = new Uint8Array(await file.arrayBuffer());
      size = bytes.length;
      const at = module._nmnm_picture_bytes(size);
      if (at) module.HEAPU8.set(bytes, at);
    }
    const line = module._nmnm_offer_picture(size);
    return new TextDecoder().decode(module.HEAPU8.subarray(line, module.HEAPU8.indexOf(0, line)));
  }

  // options: module, area (the game area, where a drop is shown), input,
  // choose and builtIn (buttons), say(line), ready() (true once the game runs).
  function attach(options) {
    const { module, area, input, choose, builtIn, say, ready } = options;
    const drop = document.getElementById("drop");
    let busy = Promise.resolve();

    const refresh = () => {
      builtIn.disabled = !ready() || !module._nmnm_own_pictures_in_use();
    };

    const take = (files) => {
      busy = busy.then(async () => {
        if (!ready()) {
          say("読み込みが終わってから / Wait until the game has loaded");
          return;
        }
        for (const file of files) {
          // Anything but a picture is the run files' (runs.js).
          if (options.takeOther && options.takeOther(file)) continue;
          const line = await offer(module, file);
          say(line === "" ? "自分の絵で遊びます / Playing with your " + file.name : "使えません / " + line);
        }
        refresh();
      });
      return busy;
    };

    choose.addEventListener("click", () => input.click());
    input.addEventListener("change", () => {
      const files = Array.from(input.files);
      input.value = ""; // the same file chosen again is a new choice
      take(files);
    });
    builtIn.addEventListener("click", () => {
      if (ready() && module._nmnm_use_built_in_pictures()) say("元の絵に戻しました / The built-in pictures are back");
      refresh();
    });

    // Anywhere on the page: a file let go beside the game must not make the
    // browser leave the page to show it.
    const carriesFiles = (event) => event.dataTransfer && Array.from(event.dataTransfer.types).includes("Files");
    let depth = 0;
    document.addEventListener("dragenter", (event) => {
      if (!carriesFiles(event)) return;
      ++depth;
      drop.hidden = false;
    });
    document.addEventListener("dragleave", (event) => {
      if (carriesFiles(event) && --depth <= 0) {
        depth = 0;
        drop.hidden = true;
      }
    });
    document.addEventListener("dragover", (event) => {
      if (!carriesFiles(event)) return;
      event.preventDefault();
      event.dataTransfer.dropEffect = "copy";
    });
    document.addEventListener("drop", (event) => {
      if (!carriesFiles(event)) return;
      event.preventDefault();
      depth = 0;
      drop.hidden = true;
      take(Array.from(event.dataTransfer.files));
      area.focus({ preventScroll: true });
    });
    refresh();
    return { refresh, take };
  }

  return { attach };
})();
