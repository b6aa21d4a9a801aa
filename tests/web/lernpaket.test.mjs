// make test-scorm (and make test-web): dist/zivor-scorm12.zip as a learning platform plays it. A
// course page on 127.0.0.1 holds scorm-again's SCORM 1.2 runtime as window.API and opens the
// package's page, served under a path of the platform's own with the program as a gzip file,
// in a frame (and once in a window of its own, which finds the runtime through opener). Real input
// events answer the two tasks; what the platform learnt is read from the runtime's data model.
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { starteServer } from './seitenserver.mjs';
import {
  deutscheSeite, fensterzahl, imRahmen, profileEntfernen, mitAlt, naechstesBild, starteBrowser, stelleAufgabe,
  steuerelement, warte, warteAufZivor, zieheZeiger,
} from './seite.mjs';

const hier = dirname(fileURLToPath(import.meta.url));
const paket = resolve(process.env.ZIVOR_SCORM ?? join(hier, '../../dist/zivor-scorm12.zip'));
const inhalt = '/pluginfile.php/17/mod_scorm/content/3/';
const runtime = readFileSync(join(hier, 'node_modules/scorm-again/dist/scorm12.min.js'));
// The course page: the runtime is made by the test, then the package opened.
const kursseite = `<!DOCTYPE html><html lang="de"><head><meta charset="utf-8"><title>Kurs</title><link rel="icon" href="data:,">
<style>html, body { margin: 0; height: 100%; } iframe { position: fixed; inset: 0; width: 100%; height: 100%; border: 0; }</style>
<script src="/kurs/scorm12.js"></script></head><body></body></html>`;

// The runtimes the package meets: scorm-again's, one whose every call fails, one that begins the
// session and then refuses or throws on everything, and none.
function richteRuntimeEin(art) {
  window.zaehler = { LMSFinish: 0, LMSCommit: 0 };
  if (art === 'scorm-again') {
    window.API = new window.Scorm12API({ autocommit: false, logLevel: 5 });
    // Every call counted, the refused ones too.
    for (const aufruf of ['LMSFinish', 'LMSCommit']) {
      const echt = window.API[aufruf].bind(window.API);
      window.API[aufruf] = (...werte) => (window.zaehler[aufruf]++, echt(...werte));
    }
  } else if (art !== 'keine') {
    const nein = () => 'false';
    window.API = { LMSInitialize: art === 'kaputt' ? nein : () => 'true', LMSFinish: nein, LMSSetValue: nein,
      LMSGetValue: () => { throw new Error('nicht verbunden'); }, LMSCommit: () => { throw new Error('nicht verbunden'); },
      LMSGetLastError: () => '101', LMSGetErrorString: () => 'General Exception', LMSGetDiagnostic: () => '' };
  }
}

// What the platform holds: status, score, session time and the interactions.
// (scorm-again lets a SCO write some elements only; its JSON form shows them all).
const datenmodell = (seite) => seite.evaluate(() => {
  const { core, interactions } = JSON.parse(JSON.stringify(window.API.cmi));
  return { status: core.lesson_status, raw: core.score.raw, min: core.score.min, max: core.score.max,
    sessionTime: core.session_time, finish: window.zaehler.LMSFinish, commit: window.zaehler.LMSCommit,
    interaktionen: Object.values(interactions).map((i) => ({ id: i.id, type: i.type, student_response: i.student_response,
      result: i.result, weighting: i.weighting, time: i.time })) };
});
const warteAufStatus = (seite, status, raw) => seite.waitForFunction((status, raw) => window.API.cmi.core.lesson_status
  === status && window.API.cmi.core.score.raw === raw, { timeout: 10000 }, status, raw);

// "Lösung" clicked; waits for the box "Bewertung".
async function loese(zivor) {
  await zivor.mouse.click(...(await steuerelement(zivor, 'Command2')).mitte);
  await fensterzahl(zivor, 2);
}

// The course page with a runtime, and the package's page in a frame of it, started; the warnings
// on the console are kept.
async function kursMitRahmen(browser, adresse, art) {
  const { seite, fehler } = await deutscheSeite(browser);
  const warnungen = [];
  seite.on('console', (m) => { if (m.type() === 'warn' || m.type() === 'warning') warnungen.push(m.text()); });
  await seite.goto(`${adresse}kurs/`);
  await seite.evaluate(richteRuntimeEin, art);
  await seite.evaluate((src) => {
    const rahmen = document.createElement('iframe');
    rahmen.src = src;
    document.body.append(rahmen);
  }, `${inhalt}index.html`);
  const rahmen = await seite.waitForFrame((f) => f.url().includes(inhalt));
  return { seite, fehler, warnungen, rahmen, zivor: imRahmen(seite, rahmen) };
}

describe('Zivor als Lernpaket (SCORM 1.2)', () => {
  let ordner;
  let server;
  let browser;

  before(async () => {
    ordner = mkdtempSync(join(tmpdir(), 'zivor-paket-'));
    const entpackt = spawnSync('python3', ['-m', 'zipfile', '-e', paket, ordner], { encoding: 'utf8' });
    assert.equal(entpackt.status, 0, `${paket} could not be unpacked (make scorm first): ${entpackt.stderr}`);
    // Served as a platform's script serves a package's files: the packed program as the gzip file
    // it is, unpacked by the page, and nothing packed on the way.
    server = await starteServer(ordner, {
      unter: inhalt,
      kodierungen: [],
      arten: { '.gz': 'application/x-gzip', '.xml': 'application/xml' },
      weitere: { '/kurs/index.html': ['text/html; charset=utf-8', kursseite],
        '/kurs/scorm12.js': ['text/javascript', runtime] },
    });
    browser = await starteBrowser();
  });

  after(async () => {
    await browser?.close();
    await server?.stoppe();
    profileEntfernen();
    if (ordner)
      rmSync(ordner, { recursive: true, force: true });
  });

  it('listet im Manifest jede Datei des Pakets, ohne Service Worker, als ein SCO nach SCORM 1.2', async () => {
    const dateien = readdirSync(ordner).sort();
    const { seite } = await deutscheSeite(browser);
    await seite.goto(`${server.adresse}kurs/`);
    const manifest = await seite.evaluate((text) => {
      const dok = new DOMParser().parseFromString(text, 'application/xml');
      const cp = 'http://www.imsproject.org/xsd/imscp_rootv1p1p2';
      const alle = (name, in_ = dok) => [...in_.getElementsByTagNameNS(cp, name)];
      const [organisationen] = alle('organizations');
      const organisation = alle('organization');
      const item = alle('item');
      const resource = alle('resource');
      return { fehler: dok.getElementsByTagName('parsererror').length, wurzel: dok.documentElement.localName,
        schema: alle('schema')[0]?.textContent, schemaversion: alle('schemaversion')[0]?.textContent,
        standard: organisationen?.getAttribute('default'), organisationen: organisation.map((o) => o.getAttribute('identifier')),
        titel: alle('title', organisation[0]).map((t) => t.textContent), items: item.map((i) => i.getAttribute('identifierref')),
        resources: resource.map((r) => ({ id: r.getAttribute('identifier'), type: r.getAttribute('type'),
          scormtype: r.getAttributeNS('http://www.adlnet.org/xsd/adlcp_rootv1p2', 'scormtype'), href: r.getAttribute('href'),
          dateien: alle('file', r).map((f) => f.getAttribute('href')).sort() })) };
    }, readFileSync(join(ordner, 'imsmanifest.xml'), 'utf8'));
    await seite.close();
    assert.equal(manifest.fehler, 0, 'imsmanifest.xml is well-formed XML');
    assert.deepEqual([manifest.wurzel, manifest.schema, manifest.schemaversion], ['manifest', 'ADL SCORM', '1.2']);
    assert.deepEqual(manifest.organisationen, [manifest.standard]);
    assert.deepEqual(manifest.titel, ['Zivor – Zeiger und Zeitverläufe', 'Zivor – Zeiger und Zeitverläufe']);
    assert.equal(manifest.resources.length, 1);
    const [sco] = manifest.resources;
    assert.deepEqual(manifest.items, [sco.id]);
    assert.deepEqual([sco.type, sco.scormtype, sco.href], ['webcontent', 'sco', 'index.html']);
    assert.deepEqual(sco.dateien, dateien.filter((d) => d !== 'imsmanifest.xml'), 'every file listed, none missing');
    assert.ok(!dateien.some((d) => /^sw\.js$|\.br$/.test(d)), `no service worker, no packed copies: ${dateien}`);
    for (const d of ['index.html', 'lernplattform.js', 'start.js', 'laden.js', 'zivor.wasm.gz', 'LICENSE.txt', 'LICENSE-Liberation.txt'])
      assert.ok(dateien.includes(d), d);
    // Only suffixes that ILIAS allows by default (others it renames), and no .wasm, which it does not.
    assert.deepEqual(dateien.filter((d) => !/\.(html|js|gz|png|txt|xml)$/.test(d)), []);
    const html = readFileSync(join(ordner, 'index.html'), 'utf8');
    assert.doesNotMatch(html, /(src|href)="\//, 'no absolute paths');
  });

  it('meldet Status, Punkte und beide Aufgaben an scorm-again und endet einmal, wenn der Rahmen schließt', async () => {
    const { seite, fehler, zivor } = await kursMitRahmen(browser, server.adresse, 'scorm-again');
    const beginn = Date.now();
    await warteAufZivor(zivor);
    assert.equal((await datenmodell(seite)).status, 'incomplete');
    // The keys go to the frame once it has been clicked, as for a learner (the time diagram
    // takes the click without changing anything).
    await seite.mouse.click(...(await steuerelement(zivor, 'Picture1')).mitte);

    // Task 1, answered right on all three: the tip dragged to the target, the slider from 100 Hz
    // (Pos1) in steps of 50 positions to the nearest of 80000 / f.
    await mitAlt(zivor, 'KeyA');
    const ziel = await stelleAufgabe(zivor, 0);
    assert.ok(ziel);
    const felder = await zieheZeiger(zivor, ziel.amplitude, ziel.winkel);
    await seite.keyboard.down('Shift');
    await seite.keyboard.press('Tab');
    await seite.keyboard.up('Shift');
    await seite.keyboard.press('Home');
    const schritte = Math.round((80000 / ziel.frequenz - 800) / 50);
    for (let k = 0; k < schritte; k++)
      await seite.keyboard.press('PageUp');
    await naechstesBild(zivor);
    const frequenz = 1600 / (800 + 50 * schritte) * 50;
    assert.ok(Math.abs(ziel.frequenz - frequenz) / frequenz < 0.1, `${frequenz} Hz for ${ziel.frequenz} Hz`);
    assert.equal((await steuerelement(zivor, 'HScroll3')).werttext, `${Math.round(frequenz)} Hertz`);
    await loese(zivor);
    await warteAufStatus(seite, 'completed', '100');
    await seite.keyboard.press('Enter');
    await fensterzahl(zivor, 1);

    // Task 2, answered wrong on all three: the frequency field left empty (1 Hz), -180° (never
    // within a tenth), amplitude 99 (the targets are 3 to 10).
    await stelleAufgabe(zivor, 1);
    for (const [name, text] of [['Textampl(0)', '99'], ['Textwinkel(0)', '-180']]) {
      await seite.mouse.click(...(await steuerelement(zivor, name)).mitte);
      await seite.keyboard.type(text);
    }
    await loese(zivor);
    await warteAufStatus(seite, 'completed', '50');
    await seite.keyboard.press('Enter');
    await fensterzahl(zivor, 1);

    // The page closes: the session ends once, with its time.
    await seite.evaluate(() => document.querySelector('iframe').remove());
    await seite.waitForFunction(() => window.zaehler.LMSFinish > 0, { timeout: 10000 });
    const sekunden = (Date.now() - beginn) / 1000;
    await naechstesBild(seite);
    const daten = await datenmodell(seite);
    console.log('Datenmodell:', JSON.stringify(daten, null, 2));
    const uhrzeit = /^([01]\d|2[0-3]):[0-5]\d:[0-5]\d$/;
    assert.deepEqual(daten.interaktionen.map(({ time, ...rest }) => (assert.match(time, uhrzeit), rest)), [
      { id: 'Aufgabe1', type: 'performance', result: '3', weighting: '3', student_response:
        `Frequenz ${Math.round(frequenz)} Hz: richtig; Winkel ${felder.winkel}: richtig; Amplitude ${felder.amplitude}: richtig` },
      { id: 'Aufgabe2', type: 'fill-in', result: '0', weighting: '3', student_response:
        'Frequenz (leer) Hz: falsch; Winkel -180: falsch; Amplitude 99: falsch' },
    ]);
    assert.deepEqual([daten.status, daten.raw, daten.min, daten.max, daten.commit, daten.finish],
      ['completed', '50', '0', '100', 2, 1]);
    const [h, m, s] = daten.sessionTime.split(':').map(Number);
    assert.ok(Math.abs(h * 3600 + m * 60 + s - sekunden) <= 3, `${daten.sessionTime} for ${sekunden} s`);
    assert.deepEqual(fehler, []);
    await seite.close();
  });

  it('findet die Runtime über opener, meldet 0 Punkte und endet einmal, wenn Zivor endet und das Fenster schließt', async () => {
    const { seite, fehler } = await deutscheSeite(browser);
    await seite.goto(`${server.adresse}kurs/`);
    await seite.evaluate(richteRuntimeEin, 'scorm-again');
    const ziel = browser.waitForTarget((t) => t.url().includes(inhalt));
    await seite.evaluate((src) => { window.zivorFenster = window.open(src, 'zivor', 'width=1000,height=760'); },
      `${inhalt}index.html`);
    const fenster = await (await ziel).page();
    await fenster.setViewport({ width: 1000, height: 760 });
    await fenster.bringToFront();
    await warteAufZivor(fenster);

    // Task 1 wrong on all three: 50 Hz is off every target frequency by a tenth or more, the
    // tip 60° before the target angle and far from its amplitude.
    await mitAlt(fenster, 'KeyA');
    const aufgabe = await stelleAufgabe(fenster, 0);
    await zieheZeiger(fenster, aufgabe.amplitude <= 6 ? 9.5 : 3, aufgabe.winkel - 60);
    await loese(fenster);
    await warteAufStatus(seite, 'completed', '0');
    await fenster.keyboard.press('Enter');
    await fensterzahl(fenster, 1);
    // "Beenden" ends Zivor, then the window closes: one LMSFinish.
    await mitAlt(fenster, 'KeyB');
    await seite.waitForFunction(() => window.zaehler.LMSFinish > 0, { timeout: 10000 });
    await fenster.close({ runBeforeUnload: true });
    await warte(1000);
    const daten = await datenmodell(seite);
    assert.deepEqual([daten.status, daten.raw, daten.finish], ['completed', '0', 1]);
    assert.deepEqual(daten.interaktionen.map((i) => [i.id, i.result]), [['Aufgabe1', '0']]);
    assert.match(daten.sessionTime, /^\d{2}:\d{2}:\d{2}$/);
    assert.deepEqual(fehler, []);
    await seite.close();
  });

  const laeuft = { kaputt: 'mit einer Runtime, deren Aufrufe alle scheitern', verweigert: 'mit einer Runtime, die nach dem Beginn alles verweigert', keine: 'ohne Runtime' };
  for (const [art, wie] of Object.entries(laeuft)) {
    it(`läuft ${wie} wie im Browser`, async () => {
      const { seite, fehler, warnungen, rahmen, zivor } = await kursMitRahmen(browser, server.adresse, art);
      await warteAufZivor(zivor);
      await seite.mouse.click(...(await steuerelement(zivor, 'Picture1')).mitte);
      await mitAlt(zivor, 'KeyA');
      // The learner goes on from task to task.
      for (const n of [0, 1]) {
        await stelleAufgabe(zivor, n);
        await loese(zivor);
        await seite.keyboard.press('Enter');
        await fensterzahl(zivor, 1);
      }
      assert.match((await steuerelement(zivor, 'Labelaufgabe')).wert, /^Geben Sie/);
      assert.equal(await rahmen.evaluate(async () => (await navigator.serviceWorker.getRegistrations()).length), 0,
        'no service worker under the platform');
      await seite.evaluate(() => document.querySelector('iframe').remove());
      await naechstesBild(seite);
      // What could not be reported is said once on the console (two tasks, one warning for each
      // element); without a runtime nothing is.
      const gesagt = warnungen.filter((w) => w.startsWith('Zivor'));
      assert.equal(new Set(gesagt).size, gesagt.length, gesagt.join('\n'));
      if (art === 'kaputt') {
        assert.deepEqual(gesagt, ['Zivor und die Lernplattform: LMSInitialize("") wurde nicht angenommen (Fehler 101: General Exception).',
          'Zivor und die Lernplattform: Die Sitzung konnte nicht beginnen; die Punkte werden nicht gemeldet. Zivor läuft trotzdem.']);
      } else if (art === 'verweigert') {
        for (const teil of ['"cmi.interactions.0.id"', '"cmi.core.score.raw"', 'LMSCommit("") ist fehlgeschlagen', 'LMSFinish'])
          assert.equal(gesagt.filter((w) => w.includes(teil)).length, 1, `${teil} in ${gesagt.join('\n')}`);
      }
      assert.equal(gesagt.length, { kaputt: 2, verweigert: 13, keine: 0 }[art], gesagt.join('\n'));
      assert.deepEqual(fehler, []);
      await seite.close();
    });
  }
});
