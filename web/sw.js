const CACHE = "skarvel-unnamed", FILES = {};
// The page's service worker. It keeps every file the page loads in one cache, named from the
// files' contents by web/cachename.mjs after the build (the line above is that step's), so a
// visited page plays with the network gone. A new build's worker fills a cache of its own with
// files it checks against their digests, so no cache ever holds files of two builds; it takes
// over when a page has all its files and asks it to, and then drops the old caches.
const digest = async (response) => [...new Uint8Array(await crypto.subtle.digest("SHA-256", await response.arrayBuffer()))]
    .map((byte) => byte.toString(16).padStart(2, "0")).join("");

self.addEventListener("install", (event) => event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    try {
        await Promise.all(Object.entries(FILES).map(async ([file, hash]) => {
            const response = await fetch(file, { cache: "no-store" });
            if (!response.ok || await digest(response.clone()) !== hash) throw new Error(`${file} is not of this build`);
            await cache.put(file, response);
        }));
    } catch (why) {
        await caches.delete(CACHE);  // the server is between builds: the old worker stays
        throw why;
    }
})()));

self.addEventListener("message", (event) => event.data === "take over" && self.skipWaiting());

self.addEventListener("activate", (event) => event.waitUntil(caches.keys().then((names) =>
    Promise.all(names.filter((name) => name.startsWith("skarvel-") && name !== CACHE).map((name) => caches.delete(name))))));

// The page itself, whatever options its address carries, and every file it loads, as kept;
// what is not kept comes from the network.
self.addEventListener("fetch", (event) => {
    const request = event.request.mode === "navigate" ? "index.html" : event.request;
    event.respondWith(caches.open(CACHE).then((cache) => cache.match(request, { ignoreSearch: true }))
        .then((kept) => kept ?? fetch(event.request)));
});
