#!/usr/bin/python3
# What a blind learner hears: the screen reader Orca, speaking through speech-dispatcher and
# espeak-ng with its sound sent to a null device, listens while real keys (xdotool) drive the
# program through a keyboard-only session. What Orca spoke is read from its debug log (the
# lines "SPEECH OUTPUT: ..." and, for reading a whole page, "SPEECH DISPATCHER: Speaking ...");
# the fields the words must match are read over the accessibility bus.
#
# Run by mit_bildschirm.sh --bus:  orca_sitzung.py <program> <Qt version>
# Fails loudly when Orca, speech-dispatcher or the German locale cannot be set up.
import re
import subprocess
import sys
import time

import pyatspi

from zugangshilfe import (abbruch, beende, beginne, finde, formel_gesprochen, gesagt_seit, gesprochen, hoere,
                          hoere_alles_vorgelesen, hoere_enthalten, knoten, pruefe, starte, taste, text, umgebung,
                          warte, warte_auf, winkel_gesprochen)

programm = sys.argv[1]
qt_version = tuple(int(t) for t in sys.argv[2].split("."))


zivor = None
try:
    beginne()

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
        return "Amplitude %s, Winkel %s" % (feld("Amplitude " + kurve), winkel_gesprochen(feld("Winkel in Grad " + kurve)))

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
    hoere("Space, red tip", taste("space"), "roter Zeiger: Amplitude 10, Winkel -45 Grad")
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
        # The formula in words: Orca drops "=", "*", "/" and "°" at its usual punctuation level.
        satz, formel = aufgabe.name.split("\n")
        pruefe(formel_gesprochen(formel) is not None, "task 1 shows no formula: %r" % aufgabe.name)
        hoere("task 1", stand, "%s %s" % (satz, formel_gesprochen(formel)))
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
        hoere_alles_vorgelesen(zeilen, taste("KP_Add"))
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
    beende()
