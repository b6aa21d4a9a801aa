#!/usr/bin/python3
# What a blind learner hears in the browser: Orca reads Debian's Chromium (headful, its
# accessibility on, a fresh profile with a German interface) showing Zivor from the test's own
# web server, and real keys (xdotool) walk the learner's path: loading, Tab to the slider and its
# steps, the phasor diagram reached from Orca's browse mode and its keys, both tasks with their
# evaluations, the help page read whole and closed with Escape. What Orca spoke is read from its
# debug log (orca_umgebung.py, shared with the desktop's Orca session).
#
# Run by mit_bildschirm.sh --bus:  orca_chromium.py <address of the page>
import os
import re
import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bildschirm"))
from zugangshilfe import (abbruch, beende, beginne, formel_gesprochen, gesagt_seit, gesprochen, hoere,  # noqa: E402
                          hoere_alles_vorgelesen, hoere_enthalten, knoten, pruefe, starte, taste, text, umgebung,
                          warte, warte_auf)

adresse = sys.argv[1]
# An element without a name that takes the focus: Orca names only its role (Qt's own text field,
# a window's canvas).
NAMENLOS = re.compile(r"^(Eingabefeld|Leinwand|Druckknopf|Abschnitt|Anwendung)\b")


def still_namenlos(was, stand):
    namenlos = [t for t in gesagt_seit(stand) if NAMENLOS.match(t)]
    pruefe(not namenlos, "%s: an element without a name took the focus: %r" % (was, gesagt_seit(stand)))


def hoere_bis(was, stand, muster, tasten, mal=12):
    """Presses tasten until Orca says something matching muster."""
    for _ in range(mal):
        if warte_auf(lambda t: re.search(muster, t), stand, 2.0):
            return True
        stand = taste(*tasten)
    return pruefe(False, "%s: never heard %r: %r" % (was, muster, gesagt_seit(stand)))


def chromium_baum():
    desktop = pyatspi.Registry.getDesktop(0)
    return next(a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
                if a is not None and a.name.lower().startswith("chromium"))


try:
    ordner = beginne()
    if not os.path.exists("/usr/lib/chromium/locales/de.pak"):
        abbruch("Chromium has no German interface (package chromium-l10n)")
    stand = len(gesprochen())
    profil = os.path.join(ordner, "chromium")
    argumente = ["--force-renderer-accessibility", "--user-data-dir=" + profil, "--no-first-run",
                 "--no-default-browser-check", "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--password-store=basic", "--lang=de", "--window-position=0,0",
                 "--window-size=1200,900"]
    if os.getuid() == 0:
        argumente.append("--no-sandbox")
    chromium = starte(["/usr/bin/chromium", *argumente, adresse], env=dict(umgebung, ACCESSIBILITY_ENABLED="1"),
                      stdout=subprocess.DEVNULL, stderr=open(os.path.join(ordner, "chromium.err"), "w"))

    # Loading is said once, and so is the end of it; the bar's steps are not read out.
    bereit = warte_auf(lambda t: "Zivor ist bereit" in t, stand, 90)
    if bereit is None:
        with open(os.path.join(ordner, "chromium.err")) as f:
            print(f.read()[-3000:])
        abbruch("Orca did not say that Zivor is ready: %r" % gesagt_seit(stand))
    beim_laden = gesagt_seit(stand)
    beim_laden = beim_laden[:beim_laden.index(bereit) + 1]
    # Orca reads a page that has loaded from its top and moves the page's focus as it reads; a
    # learner silences it (Ctrl) before going on.
    ruhe = time.monotonic() + 30
    while time.monotonic() < ruhe:
        gehoert = len(gesprochen())
        time.sleep(2)
        if len(gesprochen()) == gehoert:
            break
    taste("Control_L")
    pruefe(sum("Zivor wird geladen" in t for t in beim_laden) == 1 and sum("bereit" in t for t in beim_laden) == 1
           and not any(re.search(r"\d+ ?%|Prozent|Ladefortschritt|Statusleiste", t) for t in beim_laden),
           "loading: heard %r" % beim_laden)
    time.sleep(2)

    # The first Tab goes from the time diagram to the slider, which every step speaks in hertz.
    stand = taste("Tab")
    hoere_enthalten("Tab to the slider", stand, "Frequenzregler")
    still_namenlos("the first Tab", stand)
    for schritt in ("Right", "Right", "Next"):
        stand = taste(schritt)
        pruefe(warte_auf(lambda t: re.fullmatch(r"\d+ Hertz", t.strip()), stand) is not None,
               "slider step %s: heard %r" % (schritt, gesagt_seit(stand)))

    # From Orca's browse mode, Tab to the phasor diagram: its keys reach Zivor all the same.
    taste("Insert+a")
    time.sleep(1)
    stand = taste("Tab")
    hoere_enthalten("Tab to the phasor diagram", stand, "Tasten: Pfeile ziehen die markierte Spitze")
    for schritt in ("Right", "shift+Up", "Left"):
        stand = taste(schritt)
        pruefe(warte_auf(lambda t: re.fullmatch(r"Amplitude \d+(,\d)?, Winkel -?\d+ Grad", t.strip()), stand)
               is not None, "%s in the phasor diagram: heard %r" % (schritt, gesagt_seit(stand)))
    hoere_enthalten("Space names the marked tip", taste("space"), "grüner Zeiger: Amplitude ")

    # Task 1: its formula in words, then the evaluation, all its lines.
    hoere_enthalten("Alt+A", taste("alt+a"), "Aufgabe 1 stellen")
    stand = taste("Return")
    # The formula in words, as the task panel shows it.
    aufgabe = warte(lambda: next((k.name for k in knoten(chromium_baum()) if k.name.startswith("Stellen Sie")
                                  and "f(t) =" in k.name), None))
    if pruefe(aufgabe is not None, "no task text in Chromium's tree"):
        formel = re.search(r"f\(t\) = \S+", aufgabe).group(0)
        pruefe(formel_gesprochen(formel) is not None, "task 1 shows no formula: %r" % aufgabe)
        hoere_enthalten("task 1", stand, "folgende Zeitfunktion ein: %s" % formel_gesprochen(formel))
    hoere_enthalten("Tab to 'Lösung'", taste("Tab"), "Lösung bewerten")
    stand = taste("Return")
    for teil in ("Bewertung", "Frequenz ", "Phase ", "Amplitude ", " für die Aufgabe", " Gesamt"):
        hoere_enthalten("the evaluation of task 1", stand, teil)
    stand = taste("Return")
    hoere_enthalten("back from the evaluation", stand, "Aufgabe 2 stellen")
    still_namenlos("back from the evaluation", stand)

    # Task 2: an answer typed into its field, and its evaluation.
    hoere("task 2", taste("Return"), "Geben Sie für den grünen Zeitverlauf Amplitude, Phase und Frequenz ein!")
    hoere_bis("Tab to the amplitude field", len(gesprochen()), r"^Amplitude Funktion 1", ("Tab",))
    subprocess.run(["xdotool", "type", "--delay", "120", "5"], check=True, env=umgebung)
    hoere_bis("Tab to 'Lösung'", len(gesprochen()), r"Lösung bewerten", ("Tab",))
    stand = taste("Return")
    for teil in ("Bewertung", "Frequenz ", "Phase falsch", "Amplitude ", " Gesamt"):
        hoere_enthalten("the evaluation of task 2", stand, teil)
    stand = taste("Return")
    hoere_enthalten("back from the last evaluation", stand, "Zeitdiagramm")
    still_namenlos("back from the last evaluation", stand)

    # The help: the page first, read whole by say-all; Escape gives the keys back.
    stand = taste("alt+h")
    erstes = warte_auf(lambda t: re.search(r"Hilfeseite|Bildlaufleiste|nicht verfügbar|Leinwand", t), stand)
    pruefe(erstes is not None and "Hilfeseite" in erstes and "Bildlaufleiste" not in erstes,
           "Alt+H: heard %r" % gesagt_seit(stand))
    time.sleep(2)
    pruefe(not any("nicht verfügbar" in t for t in gesagt_seit(stand)), "Alt+H: heard %r" % gesagt_seit(stand))
    seite = warte(lambda: next((k for k in knoten(chromium_baum())
                                if k.name == "Hilfeseite" and "Text" in pyatspi.listInterfaces(k)), None), 20)
    if pruefe(seite is not None, "no help page in Chromium's tree"):
        zeilen = [z for z in text(seite).split("\n") if z.strip()]
        hoere_alles_vorgelesen(zeilen, taste("KP_Add"))
    time.sleep(1)
    stand = taste("Escape")
    hoere_enthalten("Escape closes the help", stand, "Zeitdiagramm")
    still_namenlos("Escape from the help", stand)
    pruefe(chromium.poll() is None, "Chromium ended")
    # What a learner heard on this path, for whoever reads the test's output.
    print("Orca:\n  " + "\n  ".join(gesagt_seit(0)), flush=True)
finally:
    beende()
