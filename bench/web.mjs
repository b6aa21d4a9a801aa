// make bench-web: Zivor in the browser measured where learners meet it. dist/web is served on
// 127.0.0.1 and driven in Debian's Chromium with real input, at full speed and with the CPU slowed
// four times (DevTools' CPU throttling, about the cheapest school Chromebook), at pixel ratio 1
// and 2. Printed as one table, kept in build/tests/web/bench-web.json:
// - a drag step: the handling of one pointermove of a mouse drag of the green tip (all three
//   curves shown) and the work of the frame after it; median and 90th percentile of 60 steps a
//   round; likewise a step of the frequency slider and of the time cursor (arrow keys);
// - the first frame after navigation, cold (a fresh profile: nothing cached, no service worker);
// - the bytes over the wire on a first visit (every file the page and its service worker load)
//   from a server that offers nothing, gzip, or brotli and gzip.
// ZIVOR_RUNDEN sets the rounds (3); ZIVOR_WEB another folder than dist/web.
// With ZIVOR_PROFIL=1 it profiles instead (dist/web-profil, make profil-web): Chromium's sampling
// profiler over a drag with the CPU slowed four times at pixel ratio 2 (ZIVOR_PROFIL_DROSSEL and
// ZIVOR_PROFIL_VERHAELTNIS set others); it prints the functions
// with the most time of their own and with the most time in all they call, and keeps the
// profile as build/tests/web/ziehen.cpuprofile (Chromium's DevTools open it).
import { mkdirSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { starteServer } from '../tests/web/seitenserver.mjs';
import { naechstesBild, neueSeite, profileEntfernen, starteBrowser, steuerelement, ziehe } from '../tests/web/seite.mjs';

const wurzel = resolve(dirname(fileURLToPath(import.meta.url)), '..');
const profil = process.env.ZIVOR_PROFIL === '1';
const seitenordner = resolve(process.env.ZIVOR_WEB ?? join(wurzel, profil ? 'dist/web-profil' : 'dist/web'));
const ziel = join(wurzel, 'build/tests/web');
const runden = Number(process.env.ZIVOR_RUNDEN ?? 3);
const profilDrossel = Number(process.env.ZIVOR_PROFIL_DROSSEL ?? 4);
const profilVerhaeltnis = Number(process.env.ZIVOR_PROFIL_VERHAELTNIS ?? 2);
const schritteJeRunde = 60;

const quantil = (werte, q) => {
  const sortiert = [...werte].sort((a, b) => a - b);
  return sortiert[Math.min(sortiert.length - 1, Math.floor(q * sortiert.length))];
};
const median = (werte) => quantil(werte, 0.5);

// Arrow steps on the control that has the focus, each drawn before the next; zeichen reads what
// the steps must change (else they went to another control).
async function tastenschritte(seite, taste, anzahl, zeichen) {
  const vorher = await zeichen();
  await seite.evaluate(() => window.zivorSchritteLeeren());
  for (let k = 0; k < anzahl; k++) {
    await seite.keyboard.press(taste);
    await naechstesBild(seite);
  }
  if (await zeichen() === vorher)
    throw new Error(`${taste} changed nothing`);
  return seite.evaluate(() => window.zivorSchritte('keydown'));
}

async function schritte(browser, server, drossel, verhaeltnis) {
  const gesammelt = { ziehen: [], regler: [], cursor: [] };
  for (let runde = 0; runde < runden; runde++) {
    const { seite, fehler } = await neueSeite(browser, server.adresse, { verhaeltnis, drossel });
    await seite.evaluate(() => document.getElementById('qt-shadow-container').shadowRoot
      .querySelector('[id$=".Checklinie(2)"]').click());
    await naechstesBild(seite);
    // The click left the focus on the check box "Gesamt"; backwards through the other two and
    // the phasor diagram to the slider, and on to the time diagram (before the drag, which may
    // take the focus).
    const zurueck = async (anzahl) => {
      await seite.keyboard.down('Shift');
      for (let k = 0; k < anzahl; k++)
        await seite.keyboard.press('Tab');
      await seite.keyboard.up('Shift');
      await naechstesBild(seite);
    };
    await zurueck(4);
    gesammelt.regler.push(...await tastenschritte(seite, 'ArrowLeft', schritteJeRunde,
      async () => (await steuerelement(seite, 'Textf')).wert));
    await zurueck(1);
    // The time cursor says where it stands in the live region.
    gesammelt.cursor.push(...await tastenschritte(seite, 'ArrowRight', schritteJeRunde,
      () => seite.$eval('#zivor-ansagen', (e) => e.textContent)));
    // A drag of the green tip over the phasor diagram, left and down.
    const spitze = await steuerelement(seite, 'Label1(0)');
    await seite.evaluate(() => window.zivorSchritteLeeren());
    await ziehe(seite, spitze.mitte, [spitze.mitte[0] - 120, spitze.mitte[1] + 60], schritteJeRunde);
    gesammelt.ziehen.push(...await seite.evaluate(() => window.zivorSchritte('pointermove')));
    if (fehler.length)
      throw new Error(fehler.join('\n'));
    await seite.close();
  }
  return Object.fromEntries(Object.entries(gesammelt).map(([art, werte]) => [art, {
    median: median(werte), p90: quantil(werte, 0.9), anzahl: werte.length }]));
}

async function ersterFrame(server, drossel) {
  const werte = [];
  for (let runde = 0; runde < runden; runde++) {
    const browser = await starteBrowser();
    try {
      const { ersterFrame: ms } = await neueSeite(browser, server.adresse, { drossel });
      werte.push(ms);
    } finally {
      await browser.close();
    }
  }
  return median(werte);
}

// A first visit: the page, the program and what the service worker keeps, until it has kept it.
async function bytesErsterBesuch(kodierungen) {
  const server = await starteServer(seitenordner, { kodierungen });
  const browser = await starteBrowser();
  try {
    const { seite } = await neueSeite(browser, server.adresse);
    await seite.waitForFunction(async () => {
      for (const name of await caches.keys()) {
        if (await (await caches.open(name)).match('zivor.wasm'))
          return true;
      }
      return false;
    }, { timeout: 120000, polling: 250 });
    return { bytes: server.zaehler.bytes, dateien: [...new Set(server.zaehler.anfragen)].sort() };
  } finally {
    await browser.close();
    await server.stoppe();
  }
}

// The profile of a drag: time of its own and time with all it calls, per function.
async function profiliere() {
  const server = await starteServer(seitenordner);
  const browser = await starteBrowser();
  try {
    const { seite } = await neueSeite(browser, server.adresse, { verhaeltnis: profilVerhaeltnis, drossel: profilDrossel });
    await seite.evaluate(() => document.getElementById('qt-shadow-container').shadowRoot
      .querySelector('[id$=".Checklinie(2)"]').click());
    await naechstesBild(seite);
    const cdp = await seite.createCDPSession();
    await cdp.send('Profiler.enable');
    await cdp.send('Profiler.setSamplingInterval', { interval: 200 });
    await cdp.send('Profiler.start');
    const spitze = await steuerelement(seite, 'Label1(0)');
    await ziehe(seite, spitze.mitte, [spitze.mitte[0] - 120, spitze.mitte[1] + 60], schritteJeRunde);
    const { profile } = await cdp.send('Profiler.stop');
    mkdirSync(ziel, { recursive: true });
    writeFileSync(join(ziel, 'ziehen.cpuprofile'), JSON.stringify(profile));
    const dauer = new Map(profile.nodes.map((k) => [k.id, 0]));
    profile.samples.forEach((id, i) => dauer.set(id, dauer.get(id) + (profile.timeDeltas[i] ?? 0) / 1000));
    const eltern = new Map();
    for (const k of profile.nodes)
      for (const kind of k.children ?? [])
        eltern.set(kind, k.id);
    const knoten = new Map(profile.nodes.map((k) => [k.id, k]));
    const eigen = new Map();
    const gesamt = new Map();
    let beschaeftigt = 0;
    for (const [id, ms] of dauer) {
      const name = knoten.get(id).callFrame.functionName || '(anonym)';
      if (['(idle)', '(program)', '(garbage collector)'].includes(name))
        continue;
      beschaeftigt += ms;
      eigen.set(name, (eigen.get(name) ?? 0) + ms);
      // Each function once per sample, however often it stands in the stack.
      const gesehen = new Set();
      for (let k = id; k !== undefined; k = eltern.get(k)) {
        const n = knoten.get(k).callFrame.functionName || '(anonym)';
        if (!gesehen.has(n))
          gesamt.set(n, (gesamt.get(n) ?? 0) + ms);
        gesehen.add(n);
      }
    }
    const oben = (karte) => [...karte].sort((a, b) => b[1] - a[1]).slice(0, 15)
      .map(([name, ms]) => `${(100 * ms / beschaeftigt).toFixed(1).padStart(5)} %  ${ms.toFixed(0).padStart(6)} ms  ${name}`);
    console.log(`Ziehen, CPU ${profilDrossel}× langsamer, Verhältnis ${profilVerhaeltnis}: ${beschaeftigt.toFixed(0)} ms beschäftigt`);
    console.log('\nmeiste eigene Zeit:\n' + oben(eigen).join('\n'));
    console.log('\nmeiste Zeit samt Aufgerufenem:\n' + oben(gesamt).join('\n'));
  } finally {
    await browser.close();
    await server.stoppe();
    profileEntfernen();
  }
}

const ms = (x) => (x < 10 ? x.toFixed(2) : x.toFixed(1)).replace('.', ',');
const mb = (x) => (x / 1e6).toFixed(2).replace('.', ',');

if (profil) {
  await profiliere();
  process.exit(0);
}

const server = await starteServer(seitenordner);
const browser = await starteBrowser();
const ergebnis = { runden, schritte: {}, ersterFrameMs: {}, bytes: {} };
try {
  for (const drossel of [1, 4]) {
    for (const verhaeltnis of [1, 2])
      ergebnis.schritte[`${drossel}x-${verhaeltnis}`] = await schritte(browser, server, drossel, verhaeltnis);
    ergebnis.ersterFrameMs[`${drossel}x`] = await ersterFrame(server, drossel);
  }
  for (const [name, kodierungen] of [['roh', []], ['gzip', ['gzip']], ['brotli', ['br', 'gzip']]])
    ergebnis.bytes[name] = await bytesErsterBesuch(kodierungen);
} finally {
  await browser.close();
  await server.stoppe();
  profileEntfernen();
}

const spalten = ['1x-1', '1x-2', '4x-1', '4x-2'];
const zeilen = [
  ['| Messung | CPU 1×, Verhältnis 1 | CPU 1×, Verhältnis 2 | CPU 4× langsamer, Verhältnis 1 | CPU 4× langsamer, Verhältnis 2 |'],
  ['|---|---|---|---|---|'],
];
for (const [art, name] of [['ziehen', 'Ziehschritt'], ['regler', 'Reglerschritt'], ['cursor', 'Schritt des Zeitcursors']]) {
  zeilen.push([`| ${name}, Median (ms) | ${spalten.map((s) => ms(ergebnis.schritte[s][art].median)).join(' | ')} |`]);
  zeilen.push([`| ${name}, 90. Perzentil (ms) | ${spalten.map((s) => ms(ergebnis.schritte[s][art].p90)).join(' | ')} |`]);
}
zeilen.push([`| erstes Bild, kalt (s) | ${ms(ergebnis.ersterFrameMs['1x'] / 1000)} | | ${ms(ergebnis.ersterFrameMs['4x'] / 1000)} | |`]);
console.log(zeilen.join('\n'));
console.log(`\nBytes über die Leitung beim ersten Besuch: ${mb(ergebnis.bytes.roh.bytes)} MB ohne Packen, `
  + `${mb(ergebnis.bytes.gzip.bytes)} MB mit gzip, ${mb(ergebnis.bytes.brotli.bytes)} MB mit Brotli `
  + `(${ergebnis.bytes.brotli.dateien.join(', ')})`);
mkdirSync(ziel, { recursive: true });
writeFileSync(join(ziel, 'bench-web.json'), `${JSON.stringify(ergebnis, null, 2)}\n`);
