// What the Chromium checks and the speed measurement share, beside what every engine's checks
// share (seitenwerkzeug.mjs, passed on from here): Debian's Chromium started with a fresh profile,
// a tab with Zivor in it, steps timed in the page, and the tasks set and answered. A "seite" is what
// puppeteer drives: a page, or Zivor in a frame of a page (imRahmen).
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { erwarteteZeigerwerte, naechstesBild, steuerelement, ziehe, zeigerPunkt } from './seitenwerkzeug.mjs';

export * from './seitenwerkzeug.mjs';

const profile = [];
export async function starteBrowser() {
  const profil = mkdtempSync(join(tmpdir(), 'zivor-chromium-'));
  profile.push(profil);
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profil,
    protocolTimeout: 120000,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// Steps measured in the page: the handling of an input event (pointermove, keydown: the time
// spent in the page's listeners for it, Qt's among them, and in the timers that Qt sets to go on
// with it) plus the work of the frame that follows (all of Qt's animation-frame callbacks). What
// the browser does in between (waiting for the next frame, its own painting) is not counted.
function messeImBild() {
  const bilder = [];
  const zeitgeber = [];
  const gemessen = (liste, f) => function (...argumente) {
    const a = performance.now();
    try {
      return f.apply(this, argumente);
    } finally {
      liste.push([a, performance.now()]);
    }
  };
  // A frame's callbacks, each with the frame's time.
  const roh = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (f) => roh((zeit) => {
    const a = performance.now();
    try {
      f(zeit);
    } finally {
      bilder.push([a, performance.now(), zeit]);
    }
  });
  const rohZeitgeber = window.setTimeout.bind(window);
  window.setTimeout = (f, ...rest) => rohZeitgeber(typeof f === 'function' ? gemessen(zeitgeber, f) : f, ...rest);
  // Every listener for these events is timed (Qt's are objects with a handleEvent method); an
  // event's time is the sum over its listeners.
  const ereignisse = { pointermove: [], keydown: [] };
  const jeEreignis = new WeakMap();
  const gewickelt = new WeakMap();
  const hinzufuegen = EventTarget.prototype.addEventListener;
  const entfernen = EventTarget.prototype.removeEventListener;
  EventTarget.prototype.addEventListener = function (art, f, ...rest) {
    if (!(art in ereignisse) || !f || (typeof f !== 'function' && typeof f.handleEvent !== 'function'))
      return hinzufuegen.call(this, art, f, ...rest);
    if (!gewickelt.has(f)) {
      gewickelt.set(f, function (e) {
        const anfang = performance.now();
        try {
          return typeof f === 'function' ? f.call(this, e) : f.handleEvent(e);
        } finally {
          const ende = performance.now();
          let eintrag = jeEreignis.get(e);
          if (!eintrag) {
            eintrag = { dauer: 0, ende };
            jeEreignis.set(e, eintrag);
            ereignisse[e.type]?.push(eintrag);
          }
          eintrag.dauer += ende - anfang;
          eintrag.ende = ende;
        }
      });
    }
    return hinzufuegen.call(this, art, gewickelt.get(f), ...rest);
  };
  EventTarget.prototype.removeEventListener = function (art, f, ...rest) {
    return entfernen.call(this, art, art in ereignisse ? gewickelt.get(f) ?? f : f, ...rest);
  };
  // The frame after the event: all callbacks of the first frame that begins after it.
  const dauer = (liste) => liste.reduce((summe, [a, e]) => summe + e - a, 0);
  window.zivorSchritte = (art) => ereignisse[art].map(({ dauer: imListener, ende }) => {
    const erster = bilder.find(([a]) => a >= ende);
    const bis = erster ? erster[0] : Infinity;
    return imListener + dauer(zeitgeber.filter(([a]) => a >= ende && a < bis))
      + (erster ? dauer(bilder.filter(([, , zeit]) => zeit === erster[2])) : 0);
  });
  window.zivorSchritteLeeren = () => [...Object.values(ereignisse), bilder, zeitgeber].forEach((liste) => liste.splice(0));
}

// A new tab in front (keys reach only the tab in front, as for a learner) with the visible area
// and pixel ratio given, German as a school's browsers are (headless Chromium says en-US
// otherwise: the number texts follow the browser's language), a CPU slowed by 'drossel', and a
// list of what went wrong in it: errors of the page, errors on its console, requests that failed.
export async function deutscheSeite(browser, { verhaeltnis = 1, breite = 1000, hoehe = 760, drossel = 1, mobil = false } = {}) {
  const seite = await browser.newPage();
  const fehler = [];
  seite.on('pageerror', (e) => fehler.push(`pageerror: ${e.message}`));
  seite.on('console', (m) => { if (m.type() === 'error') fehler.push(`console: ${m.text()}`); });
  seite.on('requestfailed', (r) => { if (!r.url().endsWith('favicon.ico')) fehler.push(`request: ${r.url()} ${r.failure()?.errorText}`); });
  await seite.setViewport({ width: breite, height: hoehe, deviceScaleFactor: verhaeltnis, isMobile: mobil, hasTouch: mobil });
  await seite.bringToFront();
  const cdp = await seite.createCDPSession();
  await cdp.send('Network.setUserAgentOverride', { userAgent: await browser.userAgent(), acceptLanguage: 'de-DE,de' });
  if (drossel !== 1)
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: drossel });
  return { seite, fehler };
}

// Until the page (or frame) shows Zivor's first picture and Qt's mirror for screen readers has
// its names; the page reports no error of its own. Returns when the first picture came.
export async function warteAufZivor(seite) {
  await seite.waitForFunction(() => window.zivorMessung
    && (window.zivorMessung.ersterFrame !== null || window.zivorMessung.fehler.length), { timeout: 60000 });
  const messung = await seite.evaluate(() => window.zivorMessung);
  assert.deepEqual(messung.fehler, [], 'the page reports no error');
  // The mirror for screen readers is made from inside the event loop, after the first frame.
  await seite.waitForFunction(() => document.getElementById('qt-shadow-container')?.shadowRoot
    .querySelector('[id$=".Checklinie(0)"][aria-label]'), { timeout: 20000 });
  return messung.ersterFrame;
}

// A new tab (deutscheSeite, with its options) with Zivor loaded, its steps timed.
export async function neueSeite(browser, adresse, optionen = {}) {
  const { seite, fehler } = await deutscheSeite(browser, optionen);
  await seite.evaluateOnNewDocument(messeImBild);
  await seite.goto(adresse);
  const ersterFrame = await warteAufZivor(seite);
  return { seite, fehler, ersterFrame };
}

// Zivor in a frame at the top left of the page, as large as the page: the frame's points are the
// page's, so the input of the page reaches it where the frame's elements are.
export function imRahmen(seite, rahmen) {
  return {
    evaluate: (...a) => rahmen.evaluate(...a),
    waitForFunction: (...a) => rahmen.waitForFunction(...a),
    mouse: seite.mouse,
    keyboard: seite.keyboard,
  };
}

// Task n set with a click on its button (the panel open); for task 1 its targets, read from its
// text "f(t) = 7*cos(251,2*(t/s)-30°)": amplitude, the factor of t as written, frequency (W / 6.28),
// angle, and that formula.
export async function stelleAufgabe(seite, n) {
  await naechstesBild(seite);
  await seite.mouse.click(...(await steuerelement(seite, `Commandaufgabe(${n})`)).mitte);
  await naechstesBild(seite);
  const teile = (await steuerelement(seite, 'Labelaufgabe')).wert.match(/f\(t\) = (\d+)\*cos\((\d+(?:[.,]\d+)?)\*\(t\/s\)([+-]\d+)°\)/);
  return teile && { formel: teile[0], amplitude: Number(teile[1]), kreisfrequenz: teile[2],
    frequenz: Math.round(Number(teile[2].replace(',', '.')) / 6.28), winkel: Number(teile[3]) };
}

// The green tip dragged to amplitude a at angle w (degrees); what its fields then show.
export async function zieheZeiger(seite, a, w) {
  const bogen = w * Math.PI / 180;
  const p = Math.round((a * 10 * Math.cos(bogen) + 100) * 29.025 / 15);
  const q = Math.round((100 - a * 10 * Math.sin(bogen)) * 29.025 / 15);
  await ziehe(seite, (await steuerelement(seite, 'Label1(0)')).mitte, await zeigerPunkt(seite, p, q), 6);
  return erwarteteZeigerwerte(p, q);
}

// The fresh profiles of the browsers started, removed once they are closed.
export function profileEntfernen() {
  for (const profil of profile.splice(0))
    rmSync(profil, { recursive: true, force: true });
}
