"use strict";
// Offline play through the service worker (sw.js), where the browser offers
// one: a secure page (https, or http on this machine), not a file opened from
// disk. Registered once the page has loaded, so it never slows the first
// start; the page plays the same without it. body[data-offline] says how it
// stands: "unavailable", "registering", "ready" or "failed".
(function () {
  const body = document.body;
  if (!("serviceWorker" in navigator) || !window.isSecureContext) {
    body.dataset.offline = "unavailable";
    return;
  }
  body.dataset.offline = "registering";
  window.addEventListener("load", () => {
    navigator.serviceWorker
      .register("sw.js")
      .then(() => navigator.serviceWorker.ready)
      .then(() => (body.dataset.offline = "ready"))
      .catch(() => (body.dataset.offline = "failed"));
  });
})();
