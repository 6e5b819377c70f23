"use strict";
// Offline play. build.json, written when the page is built, names every file
// of one build with its SHA-256, and the build by a sum of them all. Each
// build is kept whole in a cache of its own name. A page load asks the server
// for build.json first: a build not seen before is fetched in full and
// checked file by file before any of it is used, so the next load after an
// update gets only new files. Every page keeps getting the files of the build
// it was loaded from, so old and new never mix. With no network (or no answer
// in time) the last complete build is used.

const kBuildPrefix = "nmnm-build-";
const kStateCache = "nmnm-state"; // the newest build, and which page has which
const kListName = "build.json";
const kPageName = "index.html";
// A server that does not answer in this time is taken as no network; the
// page then starts from the kept build.
const kCheckTimeoutMs = 3000;

const scope = new URL(self.registration.scope);

function urlOf(name) {
  return new URL(name, scope).href;
}

function stateKey(key) {
  return urlOf("nmnm-state/" + key);
}

// Caches opened once per run of the worker: a page load asks for a dozen
// files, and each open costs.
const opened = new Map();
function openCache(name) {
  if (!opened.has(name)) opened.set(name, caches.open(name));
  return opened.get(name);
}

// The state as last read or written by this run of the worker; a worker
// started again reads it from its cache.
const remembered = new Map();

async function readState(key) {
  if (remembered.has(key)) return remembered.get(key);
  const hit = await (await openCache(kStateCache)).match(stateKey(key));
  const value = hit ? await hit.text() : null;
  remembered.set(key, value);
  return value;
}

async function writeState(key, value) {
  if (remembered.get(key) === value) return;
  remembered.set(key, value);
  await (await openCache(kStateCache)).put(stateKey(key), new Response(value));
}

async function dropState(request, key) {
  remembered.delete(key);
  await (await openCache(kStateCache)).delete(request);
}

function isBuildList(list) {
  if (!list || typeof list.build !== "string" || !/^[0-9a-f]{16}$/.test(list.build)) return false;
  if (!list.files || typeof list.files !== "object" || !(kPageName in list.files)) return false;
  return Object.entries(list.files).every(
    ([name, sum]) => /^[A-Za-z0-9._-]+(\/[A-Za-z0-9._-]+)*$/.test(name) && /^[0-9a-f]{64}$/.test(sum),
  );
}

// The server's build.json, or null: no network, no answer in time, or not a
// build list.
async function fetchBuildList() {
  const stop = new AbortController();
  const timer = setTimeout(() => stop.abort(), kCheckTimeoutMs);
  try {
    const response = await fetch(urlOf(kListName), { cache: "no-store", signal: stop.signal });
    if (!response.ok) return null;
    const list = await response.json();
    return isBuildList(list) ? list : null;
  } catch (error) {
    return null;
  } finally {
    clearTimeout(timer);
  }
}

async function sha256Hex(bytes) {
  const sum = new Uint8Array(await crypto.subtle.digest("SHA-256", bytes));
  return Array.from(sum, (b) => b.toString(16).padStart(2, "0")).join("");
}

// A build is complete once its cache holds its build.json, put there last.
const complete = new Set();
async function isComplete(build) {
  if (!build) return false;
  if (complete.has(build)) return true;
  if (!(await caches.has(kBuildPrefix + build))) return false;
  const whole = !!(await (await openCache(kBuildPrefix + build)).match(urlOf(kListName)));
  if (whole) complete.add(build);
  return whole;
}

// Fetches every file of `list` and keeps them, each checked against its sum:
// a server caught halfway through an update gives a file of another build,
// and then nothing of this one is kept. Throws when the build cannot be had.
async function storeBuild(list) {
  if (await isComplete(list.build)) return;
  const files = await Promise.all(
    Object.entries(list.files).map(async ([name, sum]) => {
      const response = await fetch(urlOf(name), { cache: "no-cache" });
      if (!response.ok) throw new Error(name + ": HTTP " + response.status);
      const bytes = await response.arrayBuffer();
      if ((await sha256Hex(bytes)) !== sum) throw new Error(name + " is not the file of build " + list.build);
      // The type matters: WebAssembly compiles while it downloads only from
      // an application/wasm response.
      const type = response.headers.get("Content-Type");
      return [name, new Response(bytes, { headers: type ? { "Content-Type": type } : {} })];
    }),
  );
  const cache = await openCache(kBuildPrefix + list.build);
  for (const [name, response] of files) await cache.put(urlOf(name), response);
  await cache.put(
    urlOf(kListName),
    new Response(JSON.stringify(list), { headers: { "Content-Type": "application/json" } }),
  );
  complete.add(list.build);
}

// The build a new page load gets: the server's, once it is kept whole; else
// the newest kept one. Null when nothing is kept.
async function buildForNewPage() {
  const list = await fetchBuildList();
  if (list) {
    try {
      await storeBuild(list);
      await writeState("newest", list.build);
      return list.build;
    } catch (error) {
      // Keep to the build already kept; the next load tries again.
    }
  }
  const newest = await readState("newest");
  return (await isComplete(newest)) ? newest : null;
}

// A page's record is kept while the page is open, and for a while after it
// was made: the page being loaded is not among the open ones yet.
const kNewPageMs = 60000;

const pages = new Map(); // page id -> build, for this run of the worker

async function recordPage(id, build) {
  pages.set(id, build);
  await writeState("page/" + id, JSON.stringify({ build, at: Date.now() }));
}

async function pageBuild(id) {
  if (!id) return null;
  if (pages.has(id)) return pages.get(id);
  const text = await readState("page/" + id);
  let build = null;
  try {
    build = text ? JSON.parse(text).build : null;
  } catch (error) {
    // Not a record this worker wrote.
  }
  if (build) pages.set(id, build);
  return build;
}

// Drops builds no open page uses and the records of pages that are gone.
async function forgetOldBuilds() {
  const inUse = new Set([await readState("newest")]);
  const openIds = new Set((await self.clients.matchAll({ includeUncontrolled: true })).map((client) => client.id));
  const state = await openCache(kStateCache);
  const prefix = stateKey("page/");
  for (const request of await state.keys()) {
    if (!request.url.startsWith(prefix)) continue;
    let record = null;
    try {
      record = JSON.parse(await (await state.match(request)).text());
    } catch (error) {
      // Not a record this worker wrote: dropped.
    }
    const id = request.url.slice(prefix.length);
    if (record && (openIds.has(id) || Date.now() - record.at < kNewPageMs)) {
      inUse.add(record.build);
    } else {
      pages.delete(id);
      await dropState(request, "page/" + id);
    }
  }
  for (const name of await caches.keys()) {
    if (!name.startsWith(kBuildPrefix) || inUse.has(name.slice(kBuildPrefix.length))) continue;
    const build = name.slice(kBuildPrefix.length);
    opened.delete(name);
    complete.delete(build);
    for (const key of kept.keys()) if (key.startsWith(build + " ")) kept.delete(key);
    await caches.delete(name);
  }
}

function isThePage(url) {
  return (
    url.origin === scope.origin &&
    (url.pathname === scope.pathname || url.pathname === new URL(kPageName, scope).pathname)
  );
}

async function answerPageLoad(event) {
  const build = await buildForNewPage();
  if (!build) return fetch(event.request);
  // Known at once to this run of the worker; kept, and old builds
  // dropped, once the page is on its way.
  if (event.resultingClientId) pages.set(event.resultingClientId, build);
  event.waitUntil(
    (event.resultingClientId ? recordPage(event.resultingClientId, build) : Promise.resolve()).then(forgetOldBuilds),
  );
  const page = await keptFile(build, urlOf(kPageName));
  return page || fetch(event.request);
}

// Files as read from a build's cache, kept by this run of the worker: a
// reload asks for them all again at once, and the cache answers each far
// more slowly than memory. Key: build and address without the query.
const kept = new Map();

async function keptFile(build, url) {
  const key = build + " " + url.split("?")[0];
  if (!kept.has(key)) {
    const hit = await (await openCache(kBuildPrefix + build)).match(url, { ignoreSearch: true });
    if (!hit) return null;
    kept.set(key, { body: await hit.arrayBuffer(), type: hit.headers.get("Content-Type") });
  }
  const file = kept.get(key);
  return new Response(file.body, { headers: file.type ? { "Content-Type": file.type } : {} });
}

// A file of the page's own build; a page loaded before this worker (or
// another name) gets the newest build, and whatever no build holds comes
// from the network.
async function answerFile(event) {
  const build = (await pageBuild(event.clientId)) || (await readState("newest"));
  const hit = build ? await keptFile(build, event.request.url) : null;
  return hit || fetch(event.request);
}

self.addEventListener("install", (event) => {
  // The build of the page that registered this worker, kept before it takes
  // over; without it the worker is not installed and the page goes on as it is.
  event.waitUntil(
    fetchBuildList().then(async (list) => {
      if (!list) throw new Error("no build list");
      await storeBuild(list);
      await writeState("newest", list.build);
      await self.skipWaiting();
    }),
  );
});

self.addEventListener("activate", (event) => event.waitUntil(forgetOldBuilds()));

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET") return;
  const url = new URL(request.url);
  if (url.origin !== scope.origin || !url.href.startsWith(scope.href)) return;
  if (request.mode === "navigate") {
    if (isThePage(url)) event.respondWith(answerPageLoad(event));
    return;
  }
  if (url.pathname.endsWith("/" + kListName) || url.pathname.endsWith("/sw.js")) return;
  event.respondWith(answerFile(event));
});
