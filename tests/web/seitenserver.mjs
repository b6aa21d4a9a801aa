// A static web server for dist/web on 127.0.0.1 only, as a school's server would be set up: the
// MIME types the folder needs (application/wasm for the program), the packed copies that lie
// beside the files (name.br, name.gz) for the clients that ask for them, validators (ETag) so
// that a second request for an unchanged file costs only its headers, and a count of the bytes
// that went over the wire. 'kodierungen' says what the server offers: ['br', 'gzip'] like a
// server set up as the README says, ['gzip'] like one without brotli, [] like a plain host.
// A file without a packed copy is packed once, when first asked for, as a server with dynamic
// compression would. Served as a learning platform serves a package: the folder under a path of
// its own (unter), with the types the platform knows (arten, e.g. no application/wasm) and pages of
// its own beside it (weitere: path -> [type, content], sent as they are).
import { createHash } from 'node:crypto';
import { createServer } from 'node:http';
import { readdir, readFile } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const arten = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
};

const packer = {
  br: (inhalt) => brotliCompressSync(inhalt, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }),
  gzip: (inhalt) => gzipSync(inhalt, { level: 9 }),
};
const endungen = { br: '.br', gzip: '.gz' };

export async function starteServer(ordner, { kodierungen = ['br', 'gzip'], unter = '/', arten: eigeneArten = {}, weitere = {} } = {}) {
  const zwischenspeicher = new Map();
  // The body of a file in one coding ('' for none): its packed copy, or packed now.
  async function koerper(datei, kodierung) {
    const schluessel = `${datei}\n${kodierung}`;
    if (!zwischenspeicher.has(schluessel)) {
      let inhalt;
      if (kodierung === '')
        inhalt = await readFile(datei);
      else
        inhalt = await readFile(datei + endungen[kodierung]).catch(async () => packer[kodierung](await readFile(datei)));
      zwischenspeicher.set(schluessel, inhalt);
    }
    return zwischenspeicher.get(schluessel);
  }

  // Packed before the first request, as a server keeps packed copies: a cold start does not
  // wait for the packing.
  for (const eintrag of await readdir(ordner, { withFileTypes: true })) {
    if (!eintrag.isFile() || eintrag.name.endsWith('.br') || eintrag.name.endsWith('.gz'))
      continue;
    for (const kodierung of ['', ...kodierungen])
      await koerper(join(ordner, eintrag.name), kodierung);
  }

  const zaehler = { anfragen: [], bytes: 0 };
  const server = createServer(async (anfrage, antwort) => {
    try {
      let pfad = decodeURIComponent(new URL(anfrage.url, 'http://127.0.0.1').pathname);
      if (pfad.endsWith('/'))
        pfad += 'index.html';
      zaehler.anfragen.push(pfad);
      if (weitere[pfad] !== undefined) {
        const [art, text] = weitere[pfad];
        const inhalt = Buffer.from(text);
        antwort.writeHead(200, { 'Content-Type': art, 'Cache-Control': 'no-cache', 'Content-Length': inhalt.length });
        antwort.end(inhalt);
        zaehler.bytes += inhalt.length;
        return;
      }
      if (!pfad.startsWith(unter))
        throw Object.assign(new Error('outside'), { code: 'ENOENT' });
      const datei = normalize(join(ordner, pfad.slice(unter.length)));
      if (!datei.startsWith(ordner + sep))
        throw Object.assign(new Error('outside'), { code: 'ENOENT' });
      const roh = await koerper(datei, '');
      const angenommen = anfrage.headers['accept-encoding'] ?? '';
      const kodierung = kodierungen.find((k) => new RegExp(`\\b${k}\\b`).test(angenommen)) ?? '';
      const inhalt = await koerper(datei, kodierung);
      const etikett = `"${createHash('sha256').update(roh).digest('hex').slice(0, 16)}${kodierung}"`;
      const art = { ...arten, ...eigeneArten }[extname(datei)];
      const kopf = { 'Content-Type': art ?? 'application/octet-stream', 'Cache-Control': 'no-cache',
        ETag: etikett, Vary: 'Accept-Encoding' };
      if (kodierung)
        kopf['Content-Encoding'] = kodierung;
      if (anfrage.headers['if-none-match'] === etikett) {
        antwort.writeHead(304, kopf);
        antwort.end();
        return;
      }
      kopf['Content-Length'] = inhalt.length;
      antwort.writeHead(200, kopf);
      antwort.end(inhalt);
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
