// What the browser checks and the speed measurement share: Debian's Chromium started with a fresh
// profile, a tab with Zivor in it, the controls found through the page elements Qt makes for
// screen readers, real mouse and key input, and steps timed in the page. A "seite" is what
// puppeteer drives: a page, or Zivor in a frame of a page (imRahmen).
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

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

// Steps measured in the page: the handling of an input event (pointermove, keydown) plus the
// work of the frame that follows it (all of Qt's animation-frame callbacks).
function messeImBild() {
  const bilder = [];
  const roh = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (f) => roh((t) => {
    const a = performance.now();
    try {
      f(t);
    } finally {
      bilder.push([a, performance.now()]);
    }
  });
  // Qt handles the event in its own listener and stops it there; the task after it tells when
  // that handling ended.
  const ereignisse = { pointermove: [], keydown: [] };
  for (const [art, liste] of Object.entries(ereignisse)) {
    const kanal = new MessageChannel();
    kanal.port1.onmessage = () => { liste[liste.length - 1][1] = performance.now(); };
    window.addEventListener(art, () => {
      liste.push([performance.now(), null]);
      kanal.port2.postMessage(0);
    }, { capture: true });
  }
  window.zivorSchritte = (art) => ereignisse[art].filter(([, ende]) => ende !== null).map(([anfang, ende]) => {
    const bild = bilder.find(([a]) => a >= ende);
    return (ende - anfang) + (bild ? bild[1] - bild[0] : 0);
  });
  window.zivorSchritteLeeren = () => Object.values(ereignisse).forEach((liste) => liste.splice(0));
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

// A control's page element in Qt's mirror: where it is, its value, its state.
export function steuerelement(seite, name) {
  return seite.evaluate((name) => {
    const wurzel = document.getElementById('qt-shadow-container').shadowRoot;
    const e = [...wurzel.querySelectorAll('[id]')].find((x) => x.id === name || x.id.endsWith(`.${name}`));
    if (!e)
      return null;
    const r = e.getBoundingClientRect();
    return { x: r.x, y: r.y, breite: r.width, hoehe: r.height, mitte: [r.x + r.width / 2, r.y + r.height / 2],
      wert: e.value ?? null, an: e.checked ?? null, name: e.getAttribute('aria-label'),
      werttext: e.getAttribute('aria-valuetext'),
      verborgen: e.ariaHidden === 'true' || e.ariaHidden === true };
  }, name);
}

// Qt's windows in the page, front first: title, place of the picture, whether it is in front.
export function fenster(seite) {
  return seite.evaluate(() => {
    const wurzel = document.getElementById('qt-shadow-container').shadowRoot;
    return [...wurzel.querySelectorAll('.qt-window')].map((f) => {
      const leinwand = f.querySelector('canvas').getBoundingClientRect();
      const rahmen = f.getBoundingClientRect();
      const mitte = [leinwand.x + leinwand.width / 2, leinwand.y + leinwand.height / 2];
      const oben = wurzel.elementFromPoint(...mitte);
      return { titel: f.querySelector('.window-name, .title')?.textContent ?? '',
        leinwand: { x: leinwand.x, y: leinwand.y, breite: leinwand.width, hoehe: leinwand.height },
        rahmen: { x: rahmen.x, y: rahmen.y, breite: rahmen.width, hoehe: rahmen.height },
        vorn: f.contains(oben) };
    });
  });
}

// The last announcement in the page's live region, and all it still holds.
export const liveText = (seite) => seite.$eval('#zivor-ansagen', (e) => e.lastElementChild?.textContent ?? '');
export const liveTexte = (seite) => seite.$$eval('#zivor-ansagen > p', (absaetze) => absaetze.map((p) => p.textContent));
export const warte = (ms) => new Promise((fertig) => setTimeout(fertig, ms));
// Until the page holds that many of Qt's windows.
export const fensterzahl = (seite, n) => seite.waitForFunction((n) => document.getElementById('qt-shadow-container')
  .shadowRoot.querySelectorAll('.qt-window').length === n, { timeout: 10000 }, n);
// Alt with a letter, as a learner presses it.
export async function mitAlt(seite, taste) {
  await seite.keyboard.down('Alt');
  await seite.keyboard.press(taste);
  await seite.keyboard.up('Alt');
}
// The green phasor's amplitude and angle fields.
export async function gruenerZeiger(seite) {
  return { amplitude: (await steuerelement(seite, 'Textampl(0)')).wert, winkel: (await steuerelement(seite, 'Textwinkel(0)')).wert };
}
// Until Qt has handled the input and drawn the frame after it.
export const naechstesBild = (seite) => seite.evaluate(() => new Promise((fertig) => requestAnimationFrame(() => setTimeout(fertig, 0))));

// The phasor diagram's numbers, computed afresh from its description: a pointer at pixel (p, q)
// from the inner top-left corner of the 387 x 387 px area is at x = 15p / 29.025 − 100,
// y = 100 − 15q / 29.025; the amplitude is r / 10 to one decimal, the angle the shift rule's.
export function erwarteteZeigerwerte(p, q) {
  const f = Math.fround;
  const x = f(15 * p / 29.025 - 100);
  const y = f(100 - 15 * q / 29.025);
  let w = 0;
  if (x > 0 && y > 0) w = -200 - 64 * Math.atan(y / x);
  if (x < 0) w = 64 * Math.atan(x / y) - 300;
  if (y < 0) w = -200 - 64 * Math.atan(y / x);
  if (x < 0 && y < 0) w = -64 * Math.atan(y / x);
  const winkel = Math.round((-f(w) - 200) * 0.9);
  const amplitude = Math.round(f(Math.hypot(x, y)) / 10 * 10) / 10;
  return { amplitude: String(amplitude).replace('.', ','), winkel: `${winkel}°` };
}

// Page point of a pixel of the phasor diagram's inner area (inside its 2 px frame).
export async function zeigerPunkt(seite, p, q) {
  const bild = await steuerelement(seite, 'Picture2');
  return [bild.x + 2 + p, bild.y + 2 + q];
}

// A mouse drag in even steps, each one drawn before the next.
export async function ziehe(seite, von, nach, schritte) {
  await seite.mouse.move(...von);
  await seite.mouse.down();
  for (let k = 1; k <= schritte; k++) {
    await seite.mouse.move(von[0] + (nach[0] - von[0]) * k / schritte, von[1] + (nach[1] - von[1]) * k / schritte);
    await naechstesBild(seite);
  }
  await seite.mouse.up();
  await naechstesBild(seite);
}

// Task n set with a click on its button (the panel open); for task 1 its targets, read from its
// text "f(t) = 7*cos(251,2*(t/s)-30°)": amplitude, frequency (W / 6.28), angle, and that formula.
export async function stelleAufgabe(seite, n) {
  await naechstesBild(seite);
  await seite.mouse.click(...(await steuerelement(seite, `Commandaufgabe(${n})`)).mitte);
  await naechstesBild(seite);
  const teile = (await steuerelement(seite, 'Labelaufgabe')).wert.match(/f\(t\) = (\d+)\*cos\((\d+(?:[.,]\d+)?)\*\(t\/s\)([+-]\d+)°\)/);
  return teile && { formel: teile[0], amplitude: Number(teile[1]),
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
