// A page driven over classic WebDriver (HTTP), as Debian's WebKitWebDriver speaks it, with the
// part of puppeteer's page that the browser tests use: evaluate, waitForFunction, and real
// input through the driver's actions (mouse and keyboard).

// Puppeteer's key names as WebDriver's key codes.
const tasten = { Alt: '\uE00A', Shift: '\uE008', Control: '\uE009', Tab: '\uE004', Enter: '\uE007',
  Escape: '\uE00C', Space: ' ', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015' };
const taste = (name) => tasten[name] ?? (/^Key[A-Z]$/.test(name) ? name.slice(3).toLowerCase() : name);

export async function webdriverSeite(adresse, faehigkeiten) {
  const frage = async (art, pfad, inhalt) => {
    const antwort = await fetch(`${adresse}${pfad}`, { method: art, headers: { 'Content-Type': 'application/json' },
      body: inhalt === undefined ? undefined : JSON.stringify(inhalt) });
    const { value } = await antwort.json();
    if (!antwort.ok)
      throw new Error(`WebDriver ${art} ${pfad}: ${value?.error}: ${value?.message}`);
    return value;
  };
  const { sessionId } = await frage('POST', '/session', { capabilities: { alwaysMatch: faehigkeiten } });
  const sitzung = (art, pfad, inhalt) => frage(art, `/session/${sessionId}${pfad}`, inhalt);
  await sitzung('POST', '/timeouts', { script: 60000 });
  const handlung = (quelle) => sitzung('POST', '/actions', { actions: [quelle] });
  const zeiger = (aktionen) => handlung({ type: 'pointer', id: 'maus', parameters: { pointerType: 'mouse' }, actions: aktionen });
  const tastatur = (aktionen) => handlung({ type: 'key', id: 'tasten', actions: aktionen });
  const seite = {
    goto: (url) => sitzung('POST', '/url', { url }),
    // The function runs in the page with its arguments; a promise it returns is waited for.
    evaluate: (f, ...argumente) => sitzung('POST', '/execute/sync',
      { script: `return (${f}).apply(null, arguments);`, args: argumente }),
    async waitForFunction(f, { timeout = 30000 } = {}, ...argumente) {
      const ende = Date.now() + timeout;
      for (;;) {
        // WebKit's driver now and then cannot read a script's result while the page is busy
        // starting (the program compiling); the next poll asks again.
        const wert = await seite.evaluate(f, ...argumente).catch((fehler) => {
          if (!/Could not parse script result/.test(fehler.message) || Date.now() > ende)
            throw fehler;
          return undefined;
        });
        if (wert)
          return wert;
        if (Date.now() > ende)
          throw new Error(`waitForFunction: not within ${timeout} ms: ${f}`);
        await new Promise((weiter) => setTimeout(weiter, 100));
      }
    },
    mouse: {
      move: (x, y) => zeiger([{ type: 'pointerMove', duration: 0, origin: 'viewport', x: Math.round(x), y: Math.round(y) }]),
      down: () => zeiger([{ type: 'pointerDown', button: 0 }]),
      up: () => zeiger([{ type: 'pointerUp', button: 0 }]),
      click: (x, y) => zeiger([{ type: 'pointerMove', duration: 0, origin: 'viewport', x: Math.round(x), y: Math.round(y) },
        { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]),
    },
    keyboard: {
      down: (name) => tastatur([{ type: 'keyDown', value: taste(name) }]),
      up: (name) => tastatur([{ type: 'keyUp', value: taste(name) }]),
      press: (name) => tastatur([{ type: 'keyDown', value: taste(name) }, { type: 'keyUp', value: taste(name) }]),
    },
    close: () => sitzung('DELETE', ''),
  };
  return seite;
}
