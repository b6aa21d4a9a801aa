// make test-web: what a blind learner hears. Orca reads Debian's Chromium, headful on an X display
// with a D-Bus session and accessibility bus of its own (tests/bildschirm/mit_bildschirm.sh --bus),
// and real keys walk the learner's path (tests/web/orca_chromium.py). Orca runs once per user:
// this run and the desktop's (ctest x11_orca) wait for each other on one lock file.
import { it } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { starteServer } from './seitenserver.mjs';
import { bilderordner, seitenordner, wurzel } from './seitenwerkzeug.mjs';

it('spricht mit Orca in Chromium alles, was Lernende hören müssen', { timeout: 900000 }, async () => {
  mkdirSync(bilderordner, { recursive: true });
  const server = await starteServer(seitenordner);
  try {
    const lauf = spawn('sh', [join(wurzel, 'tests/bildschirm/mit_bildschirm.sh'), '--bus', '--groesse', '1280x1024', '--',
      '/usr/bin/python3', join(wurzel, 'tests/web/orca_chromium.py'), server.adresse],
    { stdio: ['ignore', 'pipe', 'pipe'], env: { ...process.env, ZIVOR_ORCA_PROTOKOLL: join(bilderordner, 'orca.log') } });
    let ausgabe = '';
    lauf.stdout.on('data', (d) => { ausgabe += d; process.stdout.write(d); });
    lauf.stderr.on('data', (d) => { ausgabe += d; });
    const code = await new Promise((fertig) => lauf.on('exit', fertig));
    assert.equal(code, 0, ausgabe);
  } finally {
    await server.stoppe();
  }
});
