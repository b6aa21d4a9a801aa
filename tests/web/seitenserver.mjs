// A static web server for dist/web on 127.0.0.1 only, as a school's server would be set up:
// the MIME types the folder needs (application/wasm for the program), gzip for the clients that
// ask for it (packed before the first request, as a server keeps packed copies, so that a cold
// start does not wait for the packing), and a count of the bytes that went over the wire.
// Served as a learning platform serves a package: the folder under a path of its own (unter), with
// the types the platform knows (arten, e.g. no application/wasm) and pages of its own beside it
// (weitere: path -> [type, content]).
import { createServer } from 'node:http';
import { readdir, readFile } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';
import { gzipSync } from 'node:zlib';

const arten = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
};

export async function starteServer(ordner, { unter = '/', arten: eigeneArten = {}, weitere = {} } = {}) {
  const gepackt = new Map();
  for (const name of await readdir(ordner))
    gepackt.set(join(ordner, name), gzipSync(await readFile(join(ordner, name)), { level: 9 }));
  const zaehler = { anfragen: [], bytes: 0 };
  const server = createServer(async (anfrage, antwort) => {
    try {
      let pfad = decodeURIComponent(new URL(anfrage.url, 'http://127.0.0.1').pathname);
      if (pfad.endsWith('/'))
        pfad += 'index.html';
      let [art, inhalt] = weitere[pfad] ?? [];
      let datei = pfad;
      if (inhalt === undefined) {
        if (!pfad.startsWith(unter))
          throw Object.assign(new Error('outside'), { code: 'ENOENT' });
        datei = normalize(join(ordner, pfad.slice(unter.length)));
        if (!datei.startsWith(ordner + sep))
          throw Object.assign(new Error('outside'), { code: 'ENOENT' });
        art = { ...arten, ...eigeneArten }[extname(datei)];
        inhalt = await readFile(datei);
      }
      const kopf = { 'Content-Type': art ?? 'application/octet-stream', 'Cache-Control': 'no-cache' };
      if (/\bgzip\b/.test(anfrage.headers['accept-encoding'] ?? '')) {
        if (!gepackt.has(datei))
          gepackt.set(datei, gzipSync(inhalt, { level: 9 }));
        inhalt = gepackt.get(datei);
        kopf['Content-Encoding'] = 'gzip';
      }
      kopf['Content-Length'] = inhalt.length;
      antwort.writeHead(200, kopf);
      antwort.end(inhalt);
      zaehler.anfragen.push(pfad);
      zaehler.bytes += inhalt.length;
    } catch (fehler) {
      antwort.writeHead(fehler.code === 'ENOENT' ? 404 : 500, { 'Content-Type': 'text/plain' });
      antwort.end(String(fehler.code ?? fehler));
    }
  });
  await new Promise((fertig, abbruch) => {
    server.once('error', abbruch);
    server.listen(0, '127.0.0.1', fertig);
  });
  const { port } = server.address();
  return {
    adresse: `http://127.0.0.1:${port}/`,
    zaehler,
    stoppe: () => new Promise((fertig) => { server.closeAllConnections(); server.close(fertig); }),
  };
}
