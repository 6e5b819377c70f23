"use strict";
// Where the 640 x 480 canvas sits in the game area: the largest 4:3 box that
// fits, in whole device pixels, centred on black. The page scales it with
// nearest-neighbour pixels (page.css), so it stays crisp at any size; the
// host maps the pointer through the same box (getBoundingClientRect).
var nmnmLayout = (function () {
  const kWidth = 640;
  const kHeight = 480;

  // The box in device pixels for an area of `width` x `height` device pixels.
  function fitBox(width, height) {
    let w = Math.floor(width);
    let h = Math.floor(height);
    if (w * kHeight > h * kWidth) w = Math.floor((h * kWidth) / kHeight);
    else h = Math.floor((w * kHeight) / kWidth);
    return { left: Math.floor((width - w) / 2), top: Math.floor((height - h) / 2), width: w, height: h };
  }

  function place(area, canvas) {
    const ratio = window.devicePixelRatio || 1;
    const box = fitBox(area.clientWidth * ratio, area.clientHeight * ratio);
    canvas.style.left = box.left / ratio + "px";
    canvas.style.top = box.top / ratio + "px";
    canvas.style.width = box.width / ratio + "px";
    canvas.style.height = box.height / ratio + "px";
  }

  // Places the canvas now and whenever the area changes size.
  function follow(area, canvas) {
    const update = () => place(area, canvas);
    new ResizeObserver(update).observe(area);
    document.addEventListener("fullscreenchange", update);
    update();
  }

  return { fitBox, follow };
})();
