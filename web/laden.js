// Loads Zivor's program and compiles it while it arrives, from the page's head on, while the rest
// of the page still loads. Where the browser has workers, this file starts itself once more as a
// worker, which loads and compiles: the page's main thread stays free to draw and to answer
// meanwhile, and the compiled module passes to the page as it is. Without a worker, or when it
// cannot start, the page loads the program itself. The page names the program in its root
// element's data-programm (zivor.wasm, or a copy packed with gzip, zivor.wasm.gz, for hosts that
// refuse files named .wasm; it is unpacked here, unless the server has unpacked it already).
//
// In the page it leaves zivorProgramm: modul (the compiled module, a promise) and
// fortschritt(f), which tells f the bytes unpacked so far, now and whenever more have arrived.
'use strict';

// Loads programm, tells fortschritt the bytes unpacked so far, returns the compiled module.
async function zivorLadeProgramm(programm, fortschritt) {
  const antwort = await fetch(programm);
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
      fortschritt(geladen);
      steuerung.enqueue(stueck);
    },
  });
  return WebAssembly.compileStreaming(new Response(strom.pipeThrough(zaehler),
    { headers: { 'Content-Type': 'application/wasm' } }));
}

if (typeof WorkerGlobalScope !== 'undefined' && self instanceof WorkerGlobalScope) {
  self.onmessage = async ({ data: programm }) => {
    let gemeldet = 0;
    try {
      const modul = await zivorLadeProgramm(programm, (geladen) => {
        // A message per hundred kilobytes is enough for a progress bar.
        if (geladen - gemeldet >= 100000) {
          gemeldet = geladen;
          self.postMessage({ geladen });
        }
      });
      self.postMessage({ modul });
    } catch (fehler) {
      self.postMessage({ fehler: String(fehler && fehler.message ? fehler.message : fehler) });
    }
  };
} else if (typeof WebAssembly === 'object') {
  window.zivorProgramm = (() => {
    const programm = document.documentElement.dataset.programm || 'zivor.wasm';
    let geladen = 0;
    const hoerer = [];
    const melde = (bytes) => {
      geladen = bytes;
      hoerer.forEach((f) => f(bytes));
    };
    const imArbeiter = () => new Promise((fertig, fehlt) => {
      const arbeiter = new Worker(document.currentScript.src);
      arbeiter.onmessage = ({ data }) => {
        if ('geladen' in data) {
          melde(data.geladen);
          return;
        }
        arbeiter.terminate();
        if (data.modul)
          fertig(data.modul);
        else
          fehlt(new Error(data.fehler));
      };
      arbeiter.onerror = (ereignis) => {
        ereignis.preventDefault();
        arbeiter.terminate();
        fehlt(new Error(ereignis.message || 'laden.js'));
      };
      // A module that cannot pass to the page.
      arbeiter.onmessageerror = () => {
        arbeiter.terminate();
        fehlt(new Error('laden.js: the compiled program did not reach the page'));
      };
      arbeiter.postMessage(programm);
    });
    const hier = () => zivorLadeProgramm(programm, melde);
    const modul = typeof Worker === 'function' ? imArbeiter().catch(hier) : hier();
    // Whoever takes the module hears of a failure; until then it is no unhandled one.
    modul.catch(() => {});
    return {
      modul,
      fortschritt(f) {
        hoerer.push(f);
        f(geladen);
      },
    };
  })();
}
