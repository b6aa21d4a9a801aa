// Starts Zivor in the page: checks for WebAssembly, loads the program with a progress bar,
// hands it to Qt's loader, hides the loading screen once the window is drawn, and then
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
  const messung = window.zivorMessung = { ersterFrame: null, fehler: [] };

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
  if (!kannWasm || typeof window.zivor_entry !== 'function' || typeof qtLoad !== 'function') {
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

  // The program, compiled while it arrives. A page may name a copy packed with gzip instead
  // (data-programm="zivor.wasm.gz", for hosts that refuse files named .wasm); it is unpacked here,
  // unless the server has unpacked it already. The counted bytes are the unpacked ones, as the
  // size the page knows is, whatever compression the server uses.
  const programm = laden.dataset.programm || 'zivor.wasm';
  const modul = fetch(programm).then(async (antwort) => {
    if (!antwort.ok)
      throw new Error(`${programm}: ${antwort.status} ${antwort.statusText}`);
    const leser = antwort.body.getReader();
    const erstes = await leser.read();
    const gepackt = !erstes.done && erstes.value[0] === 0x1f && erstes.value[1] === 0x8b;
    let strom = new ReadableStream({
      start(steuerung) {
        if (erstes.done)
          steuerung.close();
        else
          steuerung.enqueue(erstes.value);
      },
      async pull(steuerung) {
        const { done, value } = await leser.read();
        if (done)
          steuerung.close();
        else
          steuerung.enqueue(value);
      },
    });
    if (gepackt)
      strom = strom.pipeThrough(new DecompressionStream('gzip'));
    let geladen = 0;
    const zaehler = new TransformStream({
      transform(stueck, steuerung) {
        geladen += stueck.byteLength;
        zeigeFortschritt(geladen);
        steuerung.enqueue(stueck);
      },
    });
    return WebAssembly.compileStreaming(new Response(strom.pipeThrough(zaehler),
      { headers: { 'Content-Type': 'application/wasm' } }));
  });

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
