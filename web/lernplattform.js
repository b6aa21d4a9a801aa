// Zivor in a learning platform: when a platform plays the page as a SCORM 1.2 package, this finds
// the platform's API (up through window.parent, then from window.opener) and reports every scored
// answer: the score as the share of the points possible in the tasks scored so far (0 to 100), the
// status "completed", and the task as one interaction with the answer and its verdicts. The
// session ends once, when the page closes or Zivor ends. Without a platform nothing happens. A
// platform that fails never holds Zivor up: what could not be reported goes to the console once.
'use strict';

(() => {
  // The standard discovery: the window itself and its parents, then the opener and its parents.
  // A window of another origin cannot be asked; its parent may still be.
  const sucheApi = (fenster) => {
    for (let stufe = 0; fenster && stufe < 500; stufe++) {
      try {
        if (fenster.API)
          return fenster.API;
      } catch (e) {
        // another origin
      }
      if (fenster.parent === fenster)
        break;
      fenster = fenster.parent;
    }
    return null;
  };
  let api = sucheApi(window);
  try {
    if (!api && window.opener)
      api = sucheApi(window.opener);
  } catch (e) {
    api = null;
  }
  if (!api || typeof api.LMSInitialize !== 'function')
    return;

  // Each kind of failure once: the call and its element (of any interaction).
  const gemeldet = new Set();
  const melde = (art, text) => {
    if (gemeldet.has(art))
      return;
    gemeldet.add(art);
    console.warn(`Zivor und die Lernplattform: ${text}`);
  };
  const fehlerVon = () => {
    try {
      const code = String(api.LMSGetLastError());
      return `Fehler ${code}: ${api.LMSGetErrorString(code)}`;
    } catch (e) {
      return String(e?.message ?? e);
    }
  };
  // One call; "true" is success, anything else (or an exception) is reported once per call.
  const rufe = (aufruf, ...werte) => {
    const art = `${aufruf} ${String(werte[0] ?? '').replace(/\.\d+\./, '.n.')}`;
    try {
      if (String(api[aufruf](...werte)) === 'true')
        return true;
      melde(art, `${aufruf}(${werte.map((w) => JSON.stringify(w)).join(', ')}) wurde nicht angenommen (${fehlerVon()}).`);
    } catch (e) {
      melde(art, `${aufruf}(${werte.map((w) => JSON.stringify(w)).join(', ')}) ist fehlgeschlagen: ${e?.message ?? e}`);
    }
    return false;
  };
  const lies = (element) => {
    try {
      return String(api.LMSGetValue(element) ?? '');
    } catch (e) {
      return '';
    }
  };

  if (!rufe('LMSInitialize', '')) {
    melde('Beginn', 'Die Sitzung konnte nicht beginnen; die Punkte werden nicht gemeldet. Zivor läuft trotzdem.');
    return;
  }
  const beginn = Date.now();
  if (!['completed', 'passed', 'failed'].includes(lies('cmi.core.lesson_status')))
    rufe('LMSSetValue', 'cmi.core.lesson_status', 'incomplete');
  // Interactions are appended to those the platform already holds for this attempt.
  let naechsteInteraktion = Number.parseInt(lies('cmi.interactions._count'), 10) || 0;
  let moeglich = 0;
  let beendet = false;
  const warteschlange = [];

  const zweistellig = (n) => String(n).padStart(2, '0');
  const uhrzeit = (zeit) => `${zweistellig(zeit.getHours())}:${zweistellig(zeit.getMinutes())}:${zweistellig(zeit.getSeconds())}`;
  const dauer = (ms) => {
    const s = Math.floor(ms / 1000);
    return `${zweistellig(Math.floor(s / 3600))}:${zweistellig(Math.floor(s / 60) % 60)}:${zweistellig(s % 60)}`;
  };
  const urteil = (richtig) => (richtig ? 'richtig' : 'falsch');
  const feld = (text) => (text === '' ? '(leer)' : text);

  const berichte = () => {
    if (warteschlange.length === 0)
      return;
    for (const { bericht, zeit } of warteschlange.splice(0)) {
      moeglich += bericht.moeglich;
      const n = `cmi.interactions.${naechsteInteraktion++}`;
      const { frequenz, winkel, amplitude } = bericht.antwort;
      rufe('LMSSetValue', `${n}.id`, `Aufgabe${bericht.aufgabe}`);
      // Task 1 is set by dragging and with the slider, task 2 typed into three fields.
      rufe('LMSSetValue', `${n}.type`, bericht.aufgabe === 1 ? 'performance' : 'fill-in');
      rufe('LMSSetValue', `${n}.student_response`,
        `Frequenz ${feld(frequenz)} Hz: ${urteil(bericht.richtig.frequenz)}; `
        + `Winkel ${feld(winkel)}: ${urteil(bericht.richtig.phase)}; `
        + `Amplitude ${feld(amplitude)}: ${urteil(bericht.richtig.amplitude)}`);
      rufe('LMSSetValue', `${n}.result`, String(bericht.punkte));
      rufe('LMSSetValue', `${n}.weighting`, String(bericht.moeglich));
      rufe('LMSSetValue', `${n}.time`, uhrzeit(zeit));
      const anteil = Math.round(10000 * bericht.punktegesamt / moeglich) / 100;
      rufe('LMSSetValue', 'cmi.core.score.raw', String(anteil));
      rufe('LMSSetValue', 'cmi.core.score.min', '0');
      rufe('LMSSetValue', 'cmi.core.score.max', '100');
      rufe('LMSSetValue', 'cmi.core.lesson_status', 'completed');
    }
    rufe('LMSCommit', '');
  };

  // The program tells of a scored answer while it shows the verdict; the platform hears of it
  // right after, outside the program's own handling.
  window.addEventListener('zivor-bewertung', (ereignis) => {
    if (beendet)
      return;
    warteschlange.push({ bericht: ereignis.detail, zeit: new Date() });
    if (warteschlange.length === 1)
      setTimeout(berichte, 0);
  });

  const beende = () => {
    if (beendet)
      return;
    berichte();
    beendet = true;
    rufe('LMSSetValue', 'cmi.core.session_time', dauer(Date.now() - beginn));
    rufe('LMSFinish', '');
  };
  window.addEventListener('pagehide', beende);
  window.addEventListener('beforeunload', beende);
  // The program's end, when "Beenden" has closed its window.
  window.addEventListener('zivor-ende', beende);
})();
