// Halmira's service worker: it keeps every file of one version of the app's folder, and serves
// them from there, so that the page opens with the host slow or gone. A new version on the host
// is a new worker, which keeps all of its files before it takes over, and then deletes the old
// ones: a start is served one version whole, never a mix. The page it serves is one file that
// fetches nothing more, so a run going on is never touched by it.
const version = '/*VERSION*/';
const files = /*FILES*/;
// Each folder of a host keeps its own: two versions in two folders do not meet.
const prefix = `halmira ${self.registration.scope} `;
const kept = prefix + version;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(kept);
    // Past any cache between, from the host itself.
    await cache.addAll(files.map((file) => new Request(file, { cache: 'reload' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith(prefix) && name !== kept) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The folder's address, and the page's with any query (?lang=), are the page.
function keyOf(request) {
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (url.pathname === scope.pathname || url.pathname === scope.pathname + 'index.html')
    return new URL('index.html', scope).href;
  return url.origin + url.pathname;
}

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || !request.url.startsWith(self.registration.scope)) return;
  event.respondWith((async () => {
    const cache = await caches.open(kept);
    return (await cache.match(keyOf(request))) ?? fetch(request);
  })());
});
