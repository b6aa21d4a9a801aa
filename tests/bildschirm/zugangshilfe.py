# What the tests on the accessibility bus share: checks that collect failures, waiting, walking
# and searching the tree (pyatspi objects), and the screen reader Orca as a blind learner runs it.
# Orca speaks through speech-dispatcher and espeak-ng with its sound sent to a null device, in a
# German locale of the test's own, and writes what it speaks to its debug log, which is read
# while it runs; real keys (xdotool) drive the program it reads.
#
# Used by zugang_bus.py, orca_sitzung.py (the desktop program) and tests/web/orca_chromium.py
# (the browser program in Chromium), all run under mit_bildschirm.sh --bus. Orca runs once per
# user: the lock file /tmp/zivor-orca-<uid>.lock keeps two runs apart.
import fcntl
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

fehler = []


def pruefe(bedingung, text):
    if not bedingung:
        fehler.append(text)
        print("FAIL: " + text, flush=True)
    return bedingung


def abbruch(text):
    fehler.append(text)
    print("FAIL: " + text, flush=True)
    sys.exit(1)


# The session's folder (locale, settings, Orca's log), made by beginne().
ordner = None
protokoll = None
prozesse = []
umgebung = dict(os.environ)


def starte(befehl, **argumente):
    argumente.setdefault("env", umgebung)
    p = subprocess.Popen(befehl, **argumente)
    prozesse.append(p)
    return p


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


def beginne():
    """Sets up the German locale, takes the lock, starts speech-dispatcher and Orca and waits
    until Orca speaks. Fails loudly when any of it cannot start. Returns the session's folder."""
    global ordner, protokoll
    ordner = tempfile.mkdtemp(prefix="zivor-orca.")
    protokoll = os.path.join(ordner, "orca.log")
    for befehl in ("orca", "speech-dispatcher", "localedef", "xdotool", "pgrep"):
        if shutil.which(befehl) is None:
            abbruch("%s is missing" % befehl)
    # A German locale of the test's own, independent of the machine's generated locales.
    locales = os.path.join(ordner, "locale")
    os.makedirs(locales)
    ergebnis = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", os.path.join(locales, "de_DE.UTF-8")],
                              capture_output=True, text=True)
    if not os.path.isdir(os.path.join(locales, "de_DE.UTF-8")):
        abbruch("localedef could not make de_DE.UTF-8 (package locales): " + ergebnis.stderr)
    umgebung.update(LOCPATH=locales, LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8", LANGUAGE="de",
                    XDG_CONFIG_HOME=os.path.join(ordner, "config"), HOME=ordner)

    # speech-dispatcher with espeak-ng, German, its sound going to ALSA's null device.
    sprachdienst = os.path.join(ordner, "config", "speech-dispatcher")
    os.makedirs(sprachdienst)
    with open(os.path.join(sprachdienst, "speechd.conf"), "w") as f:
        f.write('AudioOutputMethod "alsa"\nAudioALSADevice "null"\nDefaultModule espeak-ng\n'
                'DefaultLanguage "de"\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n')

    # Orca runs once per user: another test run waits for this one, and an Orca the user runs
    # anyway (a screen reader on the desktop) is said so.
    global sperre
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
    starte(["/usr/bin/python3", "-c", ZEILENWEISE, "--debug", "--debug-file", protokoll,
            "-u", os.path.join(ordner, "einstellungen")], cwd=ordner,
           stdout=subprocess.DEVNULL, stderr=open(os.path.join(ordner, "orca.err"), "w"))
    if warte_auf(lambda t: "Bildschirmleser an" in t, 0, 30) is None:
        with open(os.path.join(ordner, "orca.err")) as f:
            print(f.read())
        abbruch("Orca did not start and speak (dispatcher running: %s)" % (dienst.poll() is None))
    return ordner


def beende():
    """Stops what was started, keeps Orca's log where ZIVOR_ORCA_PROTOKOLL says when a check
    failed, and exits with the checks' result."""
    for p in reversed(prozesse):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
    if fehler and os.environ.get("ZIVOR_ORCA_PROTOKOLL") and protokoll and os.path.exists(protokoll):
        shutil.copy(protokoll, os.environ["ZIVOR_ORCA_PROTOKOLL"])
    if ordner:
        shutil.rmtree(ordner, ignore_errors=True)
    schluss()


def schluss():
    """Exits with the checks' result."""
    if fehler:
        print("%d checks failed" % len(fehler))
        sys.exit(1)
    print("all checks passed")


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
    except (FileNotFoundError, TypeError):
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


def hoere(was, stand, erwartet, sekunden=15.0):
    """Checks that Orca said exactly erwartet after stand."""
    gehoert = warte_auf(lambda t: t.rstrip(".") == erwartet.rstrip("."), stand, sekunden)
    return pruefe(gehoert is not None, "%s: expected to hear %r, heard %r" % (was, erwartet, gesagt_seit(stand)))


def hoere_enthalten(was, stand, teil, sekunden=15.0):
    gehoert = warte_auf(lambda t: teil in t, stand, sekunden)
    pruefe(gehoert is not None, "%s: expected to hear %r in %r" % (was, teil, gesagt_seit(stand)))
    return gehoert


def winkel_gesprochen(feldtext):
    """An angle field's text as the program speaks it: the degree sign as a word."""
    return feldtext.replace("°", " Grad")


def formel_gesprochen(aufgabe):
    """Task 1's formula as it must be heard, "f(t) = 7*cos(251,2*(t/s)-30°)" in words."""
    teile = re.fullmatch(r"f\(t\) = (\d+)\*cos\(([\d,]+)\*\(t/s\)([+-])(\d+)°\)", aufgabe)
    if teile is None:
        return None
    a, w, zeichen, p = teile.groups()
    return "f von t gleich %s mal Kosinus von %s mal t durch s %s %s Grad" % (
        a, w, "plus" if zeichen == "+" else "minus", p)


def hoere_alles_vorgelesen(zeilen, stand):
    """Checks that say-all, started after stand, reads to the last of zeilen and reads every one
    of them in their order (Orca reads sentence by sentence and speaks some signs by name, so
    the lines are found by their first words)."""
    def woerter(t):
        return re.findall(r"\w+", t)
    letzte = woerter(zeilen[-1])[0:3]
    pruefe(warte_auf(lambda t: t.startswith("»") and woerter(t)[0:3] == letzte, stand, 120, False) is not None,
           "say-all did not reach the last line %r" % zeilen[-1])
    vorgelesen = woerter(" ".join(t[1:] for t in gesprochen()[stand:] if t.startswith("»")))
    stelle = 0
    for zeile in zeilen:
        anfang = woerter(zeile)[0:4]
        while stelle < len(vorgelesen) and vorgelesen[stelle:stelle + len(anfang)] != anfang:
            stelle += 1
        if not pruefe(stelle < len(vorgelesen), "say-all skipped the line %r" % zeile):
            break
