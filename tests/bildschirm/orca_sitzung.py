#!/usr/bin/python3
# What a blind learner hears: the screen reader Orca, speaking through speech-dispatcher and
# espeak-ng with its sound sent to a null device, listens while real keys (xdotool) drive the
# program through a keyboard-only session. What Orca spoke is read from its debug log (the
# lines "SPEECH OUTPUT: ..." and, for reading a whole page, "SPEECH DISPATCHER: Speaking ...");
# the fields the words must match are read over the accessibility bus.
#
# Run by mit_bildschirm.sh --bus:  orca_sitzung.py <program> <Qt version>
# Fails loudly when Orca, speech-dispatcher or the German locale cannot be set up.
import fcntl
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

programm = sys.argv[1]
qt_version = tuple(int(t) for t in sys.argv[2].split("."))
fehler = []


def pruefe(bedingung, text):
    if not bedingung:
        fehler.append(text)
        print("FAIL: " + text, flush=True)
    return bedingung


def abbruch(text):
    print("FAIL: " + text, flush=True)
    sys.exit(1)


ordner = tempfile.mkdtemp(prefix="zivor-orca.")
protokoll = os.path.join(ordner, "orca.log")

# A German locale of the test's own, independent of the machine's generated locales.
locales = os.path.join(ordner, "locale")
os.makedirs(locales)
ergebnis = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", os.path.join(locales, "de_DE.UTF-8")],
                          capture_output=True, text=True)
if not os.path.isdir(os.path.join(locales, "de_DE.UTF-8")):
    abbruch("localedef could not make de_DE.UTF-8 (package locales): " + ergebnis.stderr)
umgebung = dict(os.environ, LOCPATH=locales, LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8", LANGUAGE="de",
                XDG_CONFIG_HOME=os.path.join(ordner, "config"), HOME=ordner)

# speech-dispatcher with espeak-ng, German, its sound going to ALSA's null device.
sprachdienst = os.path.join(ordner, "config", "speech-dispatcher")
os.makedirs(sprachdienst)
with open(os.path.join(sprachdienst, "speechd.conf"), "w") as f:
    f.write('AudioOutputMethod "alsa"\nAudioALSADevice "null"\nDefaultModule espeak-ng\n'
            'DefaultLanguage "de"\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n')
prozesse = []


def starte(befehl, **argumente):
    argumente.setdefault("env", umgebung)
    p = subprocess.Popen(befehl, **argumente)
    prozesse.append(p)
    return p


for befehl in ("orca", "speech-dispatcher", "localedef", "xdotool", "pgrep"):
    if shutil.which(befehl) is None:
        abbruch("%s is missing" % befehl)

# Orca runs once per user: another test run waits for this one, and an Orca the user runs
# anyway (a screen reader on the desktop) is said so.
sperre = open(os.path.join(tempfile.gettempdir(), "zivor-orca-%d.lock" % os.getuid()), "w")
fcntl.flock(sperre, fcntl.LOCK_EX)
andere = time.monotonic() + 30
while subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], stdout=subprocess.DEVNULL).returncode == 0:
    if time.monotonic() > andere:
        abbruch("another Orca runs for this user; Orca runs once per user, so stop it for the test")
    time.sleep(0.5)
dienst = starte(["speech-dispatcher", "-s", "-t", "0", "-C", sprachdienst, "-L", ordner],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
# Orca connects once it finds the dispatcher's socket.
steckdose = os.path.join(os.environ.get("XDG_RUNTIME_DIR", "/tmp"), "speech-dispatcher", "speechd.sock")
bereit = time.monotonic() + 20
while not os.path.exists(steckdose):
    if dienst.poll() is not None or time.monotonic() > bereit:
        abbruch("speech-dispatcher did not start (no socket %s)" % steckdose)
    time.sleep(0.1)

# Orca writes its debug log through a buffered file; opened line-buffered, every line lands at
# once and can be read while Orca runs.
ZEILENWEISE = """
import builtins, runpy, sys
_open = builtins.open
ziel = sys.argv[sys.argv.index("--debug-file") + 1]
def zeilenweise(datei, modus="r", *a, **k):
    if datei == ziel and "w" in modus:
        k["buffering"] = 1
    return _open(datei, modus, *a, **k)
builtins.open = zeilenweise
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""
orca = starte(["/usr/bin/python3", "-c", ZEILENWEISE, "--debug", "--debug-file", protokoll,
               "-u", os.path.join(ordner, "einstellungen")], cwd=ordner,
              stdout=subprocess.DEVNULL, stderr=open(os.path.join(ordner, "orca.err"), "w"))

# An utterance may span several lines of the log; its continuation lines are indented, and its
# closing quote may be followed by the voice that spoke it.
AUSGABE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: ?\[?\{[^\n]*\}\]?)?\n(?! )"
                     r"|SPEECH DISPATCHER: Speaking '<speak>(.*?)</speak>'", re.S)


def bereinigt(text):
    return re.sub(r"\n +", "\n", text).strip()


def gesprochen():
    """What Orca has spoken so far, one entry an utterance, in order; say-all's chunks (which
    go to speech-dispatcher without a line of their own) marked with a leading '»'."""
    try:
        with open(protokoll, encoding="utf-8", errors="replace") as f:
            inhalt = f.read()
    except FileNotFoundError:
        return []
    liste = []
    for treffer in AUSGABE.finditer(inhalt):
        if treffer.group(1) is not None:
            liste.append(bereinigt(treffer.group(1)))
        else:
            liste.append("»" + bereinigt(html.unescape(re.sub(r"<[^>]*>", "", treffer.group(2)))))
    return liste


def gesagt_seit(stand):
    return [t for t in gesprochen()[stand:] if not t.startswith("»")]


def warte_auf(bedingung, stand, sekunden=15.0, nur_gesagt=True):
    """The first utterance after stand for which bedingung holds, or None after the time."""
    ende = time.monotonic() + sekunden
    while time.monotonic() < ende:
        liste = gesprochen()[stand:]
        for t in liste:
            if nur_gesagt and t.startswith("»"):
                continue
            if bedingung(t):
                return t
        time.sleep(0.1)
    return None


def taste(*tasten):
    stand = len(gesprochen())
    subprocess.run(["xdotool", "key", "--delay", "150", *tasten], check=True, env=umgebung)
    return stand


def knoten(wurzel):
    yield wurzel
    for i in range(wurzel.childCount):
        kind = wurzel.getChildAtIndex(i)
        if kind is not None:
            yield from knoten(kind)


def finde(wurzel, name, rolle=None):
    for k in knoten(wurzel):
        if k.name == name and (rolle is None or k.getRoleName() == rolle):
            return k
    return None


def warte(bedingung, sekunden=10.0):
    ende = time.monotonic() + sekunden
    while time.monotonic() < ende:
        try:
            wert = bedingung()
        except Exception:  # the tree changes while it is read
            wert = None
        if wert:
            return wert
        time.sleep(0.1)
    return None


def text(objekt):
    t = objekt.queryText()
    return t.getText(0, t.characterCount)


def fokus(wurzel):
    for k in knoten(wurzel):
        if k.getState().contains(pyatspi.STATE_FOCUSED):
            return k
    return None


def hoere(was, stand, erwartet, sekunden=15.0):
    """Checks that Orca said exactly erwartet after stand."""
    gehoert = warte_auf(lambda t: t.rstrip(".") == erwartet.rstrip("."), stand, sekunden)
    return pruefe(gehoert is not None, "%s: expected to hear %r, heard %r" % (was, erwartet, gesagt_seit(stand)))


def hoere_enthalten(was, stand, teil, sekunden=15.0):
    gehoert = warte_auf(lambda t: teil in t, stand, sekunden)
    pruefe(gehoert is not None, "%s: expected to hear %r in %r" % (was, teil, gesagt_seit(stand)))
    return gehoert


zivor = None
try:
    if warte_auf(lambda t: "Bildschirmleser an" in t, 0, 30) is None:
        with open(os.path.join(ordner, "orca.err")) as f:
            print(f.read())
        abbruch("Orca did not start and speak (dispatcher running: %s)" % (dienst.poll() is None))

    # The program as a learner starts it: nothing tells Qt about the screen reader but Orca itself.
    # Orca 47 on a busy machine may miss the activation of a window that appears while it still
    # learns of the new program, and then stays silent; a learner who hears nothing starts the
    # program again. The second start must be heard.
    for versuch in range(2):
        stand = len(gesprochen())
        zivor = starte([programm], env=dict(umgebung, QT_QPA_PLATFORM="xcb"))
        if versuch == 1:
            hoere_enthalten("start", stand, "Zeitdiagramm", 30)
        elif warte_auf(lambda t: "Zeitdiagramm" in t, stand, 30) is not None:
            break
        else:
            print("NOTE: Orca said nothing at the start (heard %r); started again" % gesagt_seit(stand), flush=True)
            zivor.terminate()
            zivor.wait(10)
            time.sleep(2)  # until the registry has let go of the first one
    desktop = pyatspi.Registry.getDesktop(0)
    app = warte(lambda: next((desktop.getChildAtIndex(i) for i in range(desktop.childCount)
                              if desktop.getChildAtIndex(i).name == "Zivor"), None), 20)
    if app is None:
        abbruch("the program did not appear on the accessibility bus")
    fenster = warte(lambda: finde(app, "KAVO- Zeitfunktion und Bildebene", "frame"))

    def feld(name):
        # Looked up each time: a field that is hidden is not on the bus.
        gefunden = warte(lambda: finde(fenster, name, "text"))
        return text(gefunden) if gefunden is not None else None

    def werte(kurve):
        return "Amplitude %s, Winkel %s" % (feld("Amplitude " + kurve), feld("Winkel in Grad " + kurve))

    # A Tab round to the phasor diagram; each key step speaks the moved tip's fields.
    hoere_enthalten("Tab to the slider", taste("Tab"), "Frequenzregler")
    # Each diagram names its keys once, with its description.
    hoere_enthalten("Tab to the phasor diagram", taste("Tab"), "Tasten: Pfeile ziehen die markierte Spitze")
    for schritt in ("Right", "shift+Up", "Left"):
        stand = taste(schritt)
        gehoert = warte_auf(lambda t: t.startswith("Amplitude "), stand)
        pruefe(gehoert is not None and gehoert.rstrip(".") == werte("Funktion 1"),
               "%s: heard %r, the fields show %r" % (schritt, gehoert, werte("Funktion 1")))
    hoere("Space, one tip shown", taste("space"), "grüner Zeiger: " + werte("Funktion 1"))

    # With "Gesamt:" (and so "Funktion 2") shown, Space marks the red tip and a step speaks the
    # red phasor and the sum.
    hoere_enthalten("Tab to 'Gesamt:'", taste("Tab", "Tab", "Tab"), "Gesamt anzeigen")
    hoere("'Gesamt:' checked", taste("space"), "ausgewählt")
    time.sleep(1)
    # A read-only field is heard once, whole, after its name, and without a selection.
    for name in ("Frequenz in Hertz", "Amplitude Funktion 1"):
        stand = taste("Tab")
        wert = feld(name)
        hoere_enthalten("Tab to %s" % name, stand, name)
        if hoere("the field %s" % name, stand, wert):
            time.sleep(1)
            gesagt = [g.rstrip(".") for g in gesagt_seit(stand)]
            pruefe(gesagt.count(wert) == 1 and wert[:-1] not in gesagt and not any("ausgewählt" in g for g in gesagt),
                   "Tab to %s (%r): heard %r" % (name, wert, gesagt))
    hoere_enthalten("back to 'Gesamt:'", taste("shift+Tab", "shift+Tab"), "Gesamt anzeigen")
    # The sum is not worked out before a drag with "Gesamt:" shown: its phasor is spoken as it
    # stands, not with the values of a sum never computed.
    stand = taste("shift+Tab", "shift+Tab", "shift+Tab")
    summe = hoere_enthalten("back to the phasor diagram", stand, "Gesamt: Amplitude ")
    pruefe(summe is None or "Gesamt: Amplitude 0," not in summe, "the sum before a drag: %r" % summe)
    hoere("Space, red tip", taste("space"), "roter Zeiger: Amplitude 10, Winkel -45°")
    stand = taste("Down")
    gehoert = warte_auf(lambda t: t.startswith("Amplitude "), stand)
    erwartet = werte("Funktion 2") + "; Gesamt: " + werte("Gesamt")
    pruefe(gehoert is not None and gehoert.rstrip(".") == erwartet,
           "red step with the sum: heard %r, expected %r" % (gehoert, erwartet))

    # The slider speaks the frequency it sets.
    hoere_enthalten("back to the slider", taste("shift+Tab"), "Frequenzregler")
    for _ in range(2):
        stand = taste("Next")
        warte(lambda: feld("Frequenz in Hertz") != "50")
        hz = feld("Frequenz in Hertz")
        # With its unit as a word: Qt 6.8 gives Orca the value's text, older Qt an announcement.
        hoere("slider step to %s Hz" % hz, stand, hz + " Hertz")

    # The exercises: the panel takes the focus, a task speaks its text, and the text can be found
    # again by reviewing the screen.
    hoere_enthalten("Alt+A", taste("alt+a"), "Aufgabe 1 stellen")
    stand = taste("Return")
    aufgabe = warte(lambda: next((k for k in knoten(fenster) if k.getRoleName() == "label"
                                  and k.name.startswith("Stellen Sie")), None))
    pruefe(aufgabe is not None, "no task text in the panel")
    if aufgabe is not None:
        hoere("task 1", stand, aufgabe.name.replace("\n", " "))
        stand = taste("KP_Up")
        gefunden = None
        for _ in range(14):
            gefunden = warte_auf(lambda t: "Stellen Sie" in t and "f(t) =" in t, stand, 1.5)
            if gefunden:
                break
            stand = taste("KP_Prior")
        pruefe(gefunden is not None, "flat review did not reach the task text: %r" % gesagt_seit(stand))
    hoere_enthalten("Tab to 'Lösung'", taste("Tab"), "Lösung bewerten")
    hoere_enthalten("the evaluation", taste("Return"), "Bewertung")
    # Closed, the box leaves the keys on the next task, not on the panel's end button; the task,
    # which labels the panel, is heard once on the way back.
    stand = taste("Return")
    if hoere_enthalten("back from the evaluation", stand, "Aufgabe 2 stellen"):
        gesagt = gesagt_seit(stand)
        pruefe(sum("Stellen Sie" in g for g in gesagt) <= 1 and not any("Aufgaben beenden" in g for g in gesagt),
               "back from the evaluation: heard %r" % gesagt)
    hoere("task 2", taste("Return"), "Geben Sie für den grünen Zeitverlauf Amplitude, Phase und Frequenz ein!")

    # Task 2 without sight: the time cursor reads the hidden curve. From the left end, Ctrl+Right
    # goes from zero crossing to extreme to zero crossing; the peaks give the amplitude, two
    # crossings half a period, the maximum nearest to 0 ms the phase.
    hoere_enthalten("a fine step", taste("Right"), " Millisekunden: grün ")
    taste("Home")
    punkte = []
    # Past the curve's last mark the cursor stays, and names no mark.
    marke = re.compile(r"^(?:(Maximum|Minimum|Nulldurchgang) bei )?(-?[\d,]+) Millisekunden: grün (-?\d+,\d)")
    arten = []
    for _ in range(10):
        stand = taste("ctrl+Right")
        gehoert = warte_auf(lambda t: marke.match(t) is not None, stand)
        if not pruefe(gehoert is not None, "Ctrl+Right: heard %r" % gesagt_seit(stand)):
            break
        art, zeit, wert = marke.match(gehoert).groups()
        if art is None:
            pruefe(punkte and float(zeit.replace(",", ".")) == punkte[-1][0], "a jump named no mark: %r" % gehoert)
            break
        arten.append(art)
        punkte.append((float(zeit.replace(",", ".")), float(wert.replace(",", "."))))
    spitze = max((abs(w) for _, w in punkte), default=0.0)
    # Each jump says where it landed.
    for art, (_, w) in zip(arten, punkte):
        erwartet = "Maximum" if w > 0.8 * spitze else "Minimum" if w < -0.8 * spitze else "Nulldurchgang"
        pruefe(art == erwartet, "a jump to %s said %s" % (w, art))
    nullen = [z for z, w in punkte if abs(w) < 0.2 * spitze]
    maxima = [z for z, w in punkte if w > 0.8 * spitze]
    if pruefe(spitze > 0 and len(nullen) >= 2 and maxima, "the cursor found no marks: %r" % punkte):
        frequenz = round(1000.0 / (2.0 * (nullen[1] - nullen[0])))
        maximum = min(maxima, key=abs)
        phase = round(-360.0 * frequenz * maximum / 1000.0)
        phase = (phase + 180) % 360 - 180
        antwort = {"Amplitude Funktion 1": "%.1f" % spitze, "Winkel in Grad Funktion 1": str(phase),
                   "Frequenz in Hertz": str(frequenz)}
        for name, wert in antwort.items():
            stand = len(gesprochen())
            for _ in range(12):
                if warte_auf(lambda t: t.startswith(name), stand, 1.5):
                    break
                stand = taste("Tab")
            subprocess.run(["xdotool", "type", "--delay", "120", "--", wert], check=True)
        stand = len(gesprochen())
        for _ in range(12):
            if warte_auf(lambda t: "Lösung bewerten" in t, stand, 1.5):
                break
            stand = taste("Tab")
        stand = taste("Return")
        hoere_enthalten("the evaluation of task 2", stand, "Bewertung")
        bewertung = " ".join(gesagt_seit(stand))
        pruefe(all(teil in bewertung for teil in ("Frequenz richtig", "Phase richtig", "Amplitude richtig")),
               "task 2 by ear (%r) scored %r" % (antwort, bewertung))
        # After the last task the keys go back to the time diagram, where it was solved.
        hoere_enthalten("back from the last evaluation", taste("Return"), "Zeitdiagramm")

    # The help page: read whole with say-all, then line by line.
    stand = taste("alt+h")
    hoere_enthalten("Alt+H", stand, "Hilfe zur Aufgabe")
    hoere_enthalten("the page first", stand, "Hilfeseite")
    hilfe = warte(lambda: finde(app, 'Hilfe zur Aufgabe "komplexe Ebene"', "dialog"))
    seite = warte(lambda: finde(hilfe, "Hilfeseite")) if hilfe else None
    if pruefe(seite is not None, "no help page on the bus"):
        zeilen = text(seite).split("\n")
        stand = taste("KP_Add")
        letzte = zeilen[-1].split()[0:3]
        ende = warte_auf(lambda t: t.startswith("»") and t[1:].split()[0:3] == letzte, stand, 90, False)
        pruefe(ende is not None, "say-all did not reach the last line")
        # Every line is read, in the page's order (Orca reads sentence by sentence and speaks
        # some signs by name, so the lines are found by their first words).
        def woerter(t):
            return re.findall(r"\w+", t)
        vorgelesen = woerter(" ".join(t[1:] for t in gesprochen()[stand:] if t.startswith("»")))
        stelle = 0
        for zeile in zeilen:
            anfang = woerter(zeile)[0:4]
            while stelle < len(vorgelesen) and vorgelesen[stelle:stelle + len(anfang)] != anfang:
                stelle += 1
            if not pruefe(stelle < len(vorgelesen), "say-all skipped the line %r" % zeile):
                break
        time.sleep(2)
        # Ctrl+Home goes to the start; Orca speaks its first letter or its first line.
        stand = taste("ctrl+Home")
        pruefe(warte_auf(lambda t: t.strip() and zeilen[0].startswith(t.strip().rstrip(".")), stand) is not None,
               "Ctrl+Home: heard %r" % gesagt_seit(stand))
        lage = hilfe.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        t = seite.queryText()
        for nummer in (1, 2, 3):
            hoere("Down to line %d" % nummer, taste("Down"), zeilen[nummer])
            _, y, _, h = t.getCharacterExtents(t.caretOffset, pyatspi.DESKTOP_COORDS)
            pruefe(lage.y <= y and y + h <= lage.y + lage.height, "line %d is not in view" % nummer)
    # Escape closes the help as it closes any dialog; the keys are back where they were.
    stand = taste("Escape")
    hoere_enthalten("Escape closes the help", stand, "KAVO- Zeitfunktion und Bildebene")
    hoere_enthalten("the focus after the help", stand, "Zeitdiagramm")

    # Alt with a letter never leaves the keyboard on the menu bar.
    menuepunkte = [k for k in knoten(fenster) if k.getRoleName() == "menu item"]
    pruefe(len(menuepunkte) == 3, "menu items: %r" % [k.name for k in menuepunkte])
    menueleiste = next(k for k in knoten(fenster) if k.getRoleName() == "menu bar")
    # The keys come as fast as a practised hand types them: while Orca's answers to Qt lag,
    # Qt delivers its copies of the keys late.
    for runde in range(20):
        stand = len(gesprochen())
        subprocess.run(["xdotool", "key", "alt+a", "alt+h"], check=True)
        hoere_enthalten("round %d: Alt+H" % runde, stand, "Hilfe zur Aufgabe")
        hoere_enthalten("round %d: Alt+F4" % runde, taste("alt+F4"), "KAVO- Zeitfunktion und Bildebene")
        time.sleep(0.4)
        im_menue = [k.name for k in menuepunkte + [menueleiste] if k.getState().contains(pyatspi.STATE_FOCUSED)
                    or k.getState().contains(pyatspi.STATE_SELECTED)]
        gesagt = [g.rstrip(".") for g in gesagt_seit(stand)]
        menue = re.compile(r"^(Beenden|Hilfe|Aufgaben)( ausgegraut)?$|Menüleiste")
        if not pruefe(not im_menue and not any(menue.match(g) for g in gesagt),
                      "round %d: the focus went to the menu bar %r, heard %r" % (runde, im_menue, gesagt)):
            break

    taste("alt+b")
    pruefe(warte(lambda: zivor.poll() is not None, 10) is not None, "Alt+B did not end the program")
finally:
    for p in reversed(prozesse):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
    if fehler:
        ziel = os.environ.get("ZIVOR_ORCA_PROTOKOLL")
        if ziel:
            shutil.copy(protokoll, ziel)
    shutil.rmtree(ordner, ignore_errors=True)

if fehler:
    print("%d checks failed" % len(fehler))
    sys.exit(1)
print("all checks passed")
