// Keeps the game's files so that it starts without a network: every file comes from the network when
// there is one (and the copy kept is refreshed), else from the copy kept at installation.
const CACHE = 'mirovane-v1';
const FILES = ['./', 'index.html', 'mirovane-page.js', 'mirovane.js', 'mirovane.wasm', 'manifest.webmanifest',
               'icon-128.png', 'icon-256.png'];

self.addEventListener('install', event => {
  event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(keys => Promise.all(keys.filter(key => key !== CACHE).map(key => caches.delete(key))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
  if (event.request.method !== 'GET') return;
  event.respondWith(fetch(event.request)
    .then(response => {
      if (response.ok) {
        const copy = response.clone();
        caches.open(CACHE).then(cache => cache.put(event.request, copy));
      }
      return response;
    })
    .catch(() => caches.match(event.request, {ignoreSearch: true})));
});
