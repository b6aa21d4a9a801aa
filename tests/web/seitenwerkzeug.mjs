// What the browser tests share: the page's folders, and reading and driving Zivor in a page the
// way a learner does, through the subset of puppeteer's page (evaluate, waitForFunction, mouse,
// keyboard) that puppeteer-core gives for Chromium and Firefox and tests/web/webdriver.mjs for
// WebKitGTK.
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

export const wurzel = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const seitenordner = resolve(process.env.ZIVOR_WEB ?? join(wurzel, 'dist/web'));
export const bilderordner = join(wurzel, 'build/tests/web');

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

// Qt's windows in the page, front first: title, place of the picture and of the whole window with
// its frame, whether it is in front.
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
// (A no-break space that only tells two equal announcements apart is left off.)
export const liveTexte = (seite) => seite.evaluate(() => [...document.querySelectorAll('#zivor-ansagen > p')]
  .map((p) => p.textContent.replace(/\u00a0$/, '')));
export const liveText = async (seite) => (await liveTexte(seite)).at(-1) ?? '';
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
