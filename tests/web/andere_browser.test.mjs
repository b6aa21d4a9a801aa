// make test-web: Zivor in the other browser engines a school has, each driven with real input
// events: Debian's Firefox ESR (puppeteer-core over WebDriver BiDi) and WebKitGTK, Safari's engine
// (Debian's WebKitWebDriver starting a WebKitGTK window of the test's own, under Xvfb, as WebKitGTK
// has no headless mode). The same checks in each: the window drawn, no page error, a drag of the
// green tip changes its fields, a key step reaches the live region, the help opens and Escape
// closes it, a task with its evaluation box.
import { after, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { starteServer } from './seitenserver.mjs';
import { webdriverSeite } from './webdriver.mjs';
import { erwarteteZeigerwerte, fenster, fensterzahl, gruenerZeiger, liveText, mitAlt, naechstesBild, seitenordner,
  steuerelement, warte, wurzel, zeigerPunkt, ziehe } from './seitenwerkzeug.mjs';

const profile = [];
const neuesProfil = () => {
  const profil = mkdtempSync(join(tmpdir(), 'zivor-browser-'));
  profile.push(profil);
  return profil;
};

async function pruefeZivor(seite, adresse, seitenfehler) {
  await seite.goto(adresse);
  await seite.waitForFunction(() => window.zivorMessung?.ersterFrame !== null || window.zivorMessung?.fehler.length,
    { timeout: 90000 });
  assert.deepEqual(await seite.evaluate(() => window.zivorMessung.fehler), [], 'the page reports no error');
  await seite.waitForFunction(() => document.getElementById('qt-shadow-container')?.shadowRoot
    .querySelector('[id$=".Checklinie(0)"][aria-label]'), { timeout: 20000 });
  const [haupt] = await fenster(seite);
  assert.equal(haupt.titel, 'KAVO- Zeitfunktion und Bildebene');
  // Drawn: the middle of the window's picture is not empty.
  assert.ok(await seite.evaluate(() => {
    const leinwand = document.getElementById('qt-shadow-container').shadowRoot.querySelector('.qt-window canvas');
    return leinwand.getContext('2d').getImageData(leinwand.width >> 1, leinwand.height >> 1, 1, 1).data[3] !== 0;
  }), 'the window is drawn');

  // The mouse takes the green tip and lets it go where amplitude 5 at 30° lies.
  const spitze = await steuerelement(seite, 'Label1(0)');
  await ziehe(seite, spitze.mitte, await zeigerPunkt(seite, 277, 145), 8);
  assert.deepEqual(await gruenerZeiger(seite), erwarteteZeigerwerte(277, 145));

  // Tab from the time diagram over the slider to the phasor diagram; a key step is spoken.
  await seite.keyboard.press('Tab');
  await seite.keyboard.press('Tab');
  await seite.keyboard.press('ArrowRight');
  await naechstesBild(seite);
  const felder = await gruenerZeiger(seite);
  assert.equal(await liveText(seite), `Amplitude ${felder.amplitude}, Winkel ${felder.winkel.replace('°', ' Grad')}`);

  // The help in front, closed by Escape.
  await mitAlt(seite, 'KeyH');
  await fensterzahl(seite, 2);
  assert.equal((await fenster(seite))[1].titel, 'Hilfe zur Aufgabe "komplexe Ebene"');
  await seite.keyboard.press('Escape');
  await fensterzahl(seite, 1);

  // Task 1, and its evaluation box, closed by Enter.
  await mitAlt(seite, 'KeyA');
  await naechstesBild(seite);
  await seite.keyboard.press('Enter');
  await naechstesBild(seite);
  assert.match((await steuerelement(seite, 'Labelaufgabe')).wert ?? '', /f\(t\) = \d+\*cos/);
  await seite.mouse.click(...(await steuerelement(seite, 'Command2')).mitte);
  await fensterzahl(seite, 2);
  assert.equal((await fenster(seite))[1].titel, 'Bewertung');
  await seite.keyboard.press('Enter');
  await fensterzahl(seite, 1);
  await warte(500);
  assert.deepEqual(seitenfehler, []);
}

// A free port on 127.0.0.1 for the driver.
const freierPort = () => new Promise((fertig) => {
  const s = createServer().listen(0, '127.0.0.1', () => {
    const { port } = s.address();
    s.close(() => fertig(port));
  });
});

describe('Zivor in Firefox und WebKit', () => {
  let server;
  after(async () => {
    await server?.stoppe();
    for (const profil of profile)
      rmSync(profil, { recursive: true, force: true });
  });

  it('läuft in Firefox ESR', async () => {
    server ??= await starteServer(seitenordner);
    const browser = await puppeteer.launch({
      browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true, userDataDir: neuesProfil(),
      protocolTimeout: 120000, extraPrefsFirefox: { 'intl.accept_languages': 'de-DE, de' },
    });
    try {
      const seite = await browser.newPage();
      const fehler = [];
      seite.on('pageerror', (e) => fehler.push(`pageerror: ${e.message}`));
      seite.on('console', (m) => { if (m.type() === 'error') fehler.push(`console: ${m.text()}`); });
      await seite.setViewport({ width: 1000, height: 760 });
      await pruefeZivor(seite, server.adresse, fehler);
    } finally {
      await browser.close();
    }
  });

  it('läuft in WebKitGTK, der Engine von Safari', async () => {
    server ??= await starteServer(seitenordner);
    const port = await freierPort();
    // The driver on an X display of its own; its window's output carries the page's console.
    const treiber = spawn('sh', [join(wurzel, 'tests/bildschirm/mit_bildschirm.sh'), '--groesse', '1280x1024', '--',
      'WebKitWebDriver', `--port=${port}`, '--host=127.0.0.1'], { detached: true, stdio: ['ignore', 'pipe', 'pipe'] });
    let ausgabe = '';
    treiber.stdout.on('data', (d) => { ausgabe += d; });
    treiber.stderr.on('data', (d) => { ausgabe += d; });
    const beendet = new Promise((fertig) => treiber.on('exit', fertig));
    try {
      let seite = null;
      for (let versuch = 0; versuch < 100 && seite === null; versuch++) {
        seite = await webdriverSeite(`http://127.0.0.1:${port}`, {
          'webkitgtk:browserOptions': { binary: join(wurzel, 'tests/web/webkitfenster.py'), args: ['--automation'] },
        }).catch((e) => (e.cause?.code === 'ECONNREFUSED' ? null : Promise.reject(e)));
        if (seite === null)
          await warte(200);
      }
      assert.ok(seite, `WebKitWebDriver did not start: ${ausgabe}`);
      const seitenfehler = [];
      try {
        await pruefeZivor(seite, server.adresse, seitenfehler);
      } finally {
        await seite.close().catch(() => {});
      }
      await warte(300);
      const fehler = ausgabe.split('\n').filter((z) => /CONSOLE .*ERROR/.test(z));
      assert.deepEqual(fehler, [], 'no page error in WebKit');
    } finally {
      process.kill(-treiber.pid, 'SIGTERM');
      await beendet;
    }
  });
});
