// Starts Zivor in the page: checks for WebAssembly, shows how much of the program has arrived
// (laden.js loads it), hands it to Qt's loader, hides the loading screen once the window is drawn, and then
// registers the service worker that keeps the files for a start without network (its copies
// mostly come from the browser's cache then, not over the network a second time).
'use strict';

(() => {
  const laden = document.getElementById('laden');
  const ladetext = document.getElementById('laden-text');
  const balken = document.getElementById('laden-balken');
  const bildschirm = document.getElementById('bildschirm');
  const wasmGroesse = Number(laden.dataset.wasmGroesse);

  // What the page measured, read by make test-web and for the README's figures.
  const messung = window.zivorMessung = { ersterFrame: null, gezeigt: false, fehler: [] };

  const melde = (text) => {
    document.getElementById('laden-status').setAttribute('aria-live', 'assertive');
    laden.hidden = false;
    laden.classList.add('fehler');
    ladetext.textContent = text;
    messung.fehler.push(text);
  };

  const kannWasm = (() => {
    try {
      // The smallest valid module: the magic number and version 1.
      return typeof WebAssembly === 'object'
        && WebAssembly.validate(new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
    } catch (e) {
      return false;
    }
  })();
  if (!kannWasm || typeof window.zivor_entry !== 'function' || typeof qtLoad !== 'function'
      || typeof window.zivorProgramm !== 'object') {
    melde('Dieser Browser kann Zivor nicht ausführen, weil ihm WebAssembly fehlt (oder es abgeschaltet ist). '
      + 'Zivor läuft in jedem aktuellen Chrome, Edge, Firefox und Safari, auch auf Tablets.');
    return;
  }

  // Said once, in the live region (the loading screen's words are only seen): once the page
  // itself has loaded, as a reader passes over what a page says while it loads.
  const ansagen = document.getElementById('zivor-ansagen');
  const sage = (text) => ansagen.appendChild(document.createElement('p')).append(text);
  window.addEventListener('load', () => sage('Zivor wird geladen …'));
  const anteilText = document.getElementById('laden-anteil');
  const zeigeFortschritt = (bytes) => {
    const anteil = wasmGroesse > 0 ? Math.min(100, Math.round(100 * bytes / wasmGroesse)) : 0;
    balken.value = anteil;
    anteilText.textContent = `${anteil} %`;
  };

  // The program, loading and compiling since the page's head (laden.js).
  window.zivorProgramm.fortschritt(zeigeFortschritt);
  const modul = window.zivorProgramm.modul;
  modul.then(() => zeigeFortschritt(wasmGroesse), () => {});

  // The page names its service worker; a page that a learning platform serves names none.
  const registriereServiceWorker = () => {
    if (!laden.dataset.serviceWorker || !('serviceWorker' in navigator))
      return;
    navigator.serviceWorker.register(laden.dataset.serviceWorker).catch((fehler) => {
      // Without it Zivor runs as well, only not without network.
      messung.serviceWorker = String(fehler);
    });
  };

  // The first frame: the moment Qt's canvas holds the window's picture.
  const sucheErstenFrame = () => {
    const wurzel = document.getElementById('qt-shadow-container')?.shadowRoot;
    for (const leinwand of wurzel ? wurzel.querySelectorAll('canvas') : []) {
      if (leinwand.width < 100 || leinwand.height < 100)
        continue;
      const inhalt = leinwand.getContext('2d', { willReadFrequently: true });
      const punkt = inhalt?.getImageData(leinwand.width >> 1, leinwand.height >> 1, 1, 1).data;
      if (punkt && punkt[3] !== 0) {
        messung.ersterFrame = performance.now();
        laden.hidden = true;
        // Once the browser has drawn it, the program makes its elements for screen readers.
        requestAnimationFrame(() => setTimeout(() => { messung.gezeigt = true; }, 0));
        sage('Zivor ist bereit.');
        registriereServiceWorker();
        return;
      }
    }
    requestAnimationFrame(sucheErstenFrame);
  };

  qtLoad({
    qt: {
      entryFunction: window.zivor_entry,
      containerElements: [bildschirm],
      module: modul,
      // Only the faces Zivor brings, whatever the device has.
      localFonts: { familiesCollection: 'NoFontFamilies' },
      onLoaded: () => requestAnimationFrame(sucheErstenFrame),
      onExit: (ende) => {
        if (ende.crashed)
          melde(`Zivor ist mit einem Fehler stehen geblieben (${ende.text}). Laden Sie die Seite neu.`);
        else
          melde('Zivor ist beendet. Laden Sie die Seite neu, um es wieder zu starten.');
      },
    },
  }).catch((fehler) => {
    melde(`Zivor konnte nicht geladen werden: ${fehler.message || fehler}. Laden Sie die Seite neu.`);
  });
})();
