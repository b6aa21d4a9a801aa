#!/usr/bin/python3
# What a screen reader gets from the program through the real accessibility bus: the client
# library that screen readers build on (pyatspi) walks the program's tree, and real X input
# (xdotool) moves the green tip by keys, steps the slider by its arrow and opens the help.
# Run by mit_bildschirm.sh --bus:  zugang_bus.py <program>
import math
import os
import struct
import subprocess
import sys

import pyatspi

from zugangshilfe import finde, knoten, pruefe, schluss, text, warte


def xdotool(*argumente):
    subprocess.run(["xdotool", *argumente], check=True)


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def halbe_gerade(x):
    # Nearest whole number, halves to the even neighbour.
    return int(round(x))


programm = sys.argv[1]
umgebung = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8")
prozess = subprocess.Popen([programm], env=umgebung)
try:
    desktop = pyatspi.Registry.getDesktop(0)
    app = warte(lambda: next((desktop.getChildAtIndex(i) for i in range(desktop.childCount)
                              if desktop.getChildAtIndex(i).name == "Zivor"), None), 20)
    if app is None:
        print("FAIL: the program did not appear on the accessibility bus")
        sys.exit(1)
    fenster = warte(lambda: finde(app, "KAVO- Zeitfunktion und Bildebene", "frame"))
    pruefe(fenster is not None, "main window not found")
    warte(lambda: finde(fenster, "Zeigerdiagramm", "chart"))

    # Every control shown has a role a screen reader reads and a name.
    for k in knoten(fenster):
        if not k.getState().contains(pyatspi.STATE_SHOWING):
            continue
        pruefe(k.getRoleName() not in ("filler", "unknown"), "%r has the role %s" % (k.name, k.getRoleName()))
        pruefe(bool(k.name), "a shown %s has no name" % k.getRoleName())

    zeiger = finde(fenster, "Zeigerdiagramm", "chart")
    zeit = finde(fenster, "Zeitdiagramm", "chart")
    griff = finde(fenster, "Spitze des grünen Zeigers")
    pruefe(zeit is not None and "Frequenz 50 Hertz. " in zeit.description, "time diagram description")
    pruefe(griff is not None and griff.description == "Amplitude 10, Winkel 45 Grad",
           "green tip at start: %r" % (griff.description if griff else None))

    # Tab to the phasor diagram (time diagram, slider, phasor diagram) and move the green tip
    # one pixel right and ten pixels up with real keys.
    xdotool("key", "--delay", "100", "Tab", "Tab")
    pruefe(warte(lambda: zeiger.getState().contains(pyatspi.STATE_FOCUSED)) is not None,
           "Tab does not reach the phasor diagram")
    xdotool("key", "--delay", "100", "Right", "shift+Up")
    # The handle's corner starts at the pixel of (67.44, 68.99) and goes to (+1, -10); the
    # values are those of a mouse at that pixel: x = -100 + p 15 / 29.025 (y likewise).
    px = round((67.44 + 100) * 29.025 / 15) + 1
    py = round((100 - 68.99) * 29.025 / 15) - 10
    x = f32(-100 + px * 15 / 29.025)
    y = f32(100 - py * 15 / 29.025)
    amplitude = ("%g" % (halbe_gerade(math.hypot(x, y)) / 10)).replace(".", ",")
    winkel = "%d°" % halbe_gerade(57.6 * math.atan(y / x))
    amplitudenfeld = finde(fenster, "Amplitude Funktion 1", "text")
    winkelfeld = finde(fenster, "Winkel in Grad Funktion 1", "text")
    pruefe(warte(lambda: text(amplitudenfeld) == amplitude) is not None,
           "amplitude after the keys: %r, expected %r" % (text(amplitudenfeld), amplitude))
    pruefe(text(winkelfeld) == winkel, "angle after the keys: %r, expected %r" % (text(winkelfeld), winkel))
    # Spoken, the degree sign is a word.
    erwartet = "Funktion 1: Amplitude %s, Winkel %s Grad" % (amplitude, winkel[:-1])
    pruefe(warte(lambda: zeiger.description.startswith(erwartet + ". Tasten: Pfeile")) is not None,
           "phasor diagram description %r, expected %r" % (zeiger.description, erwartet))

    # Forty clicks on the slider's right arrow: position 1640, which is 48.78 Hz, shown as 49;
    # the slider offers the frequency it sets, in whole hertz, from 25 to 100.
    regler = finde(fenster, "Frequenzregler", "slider")
    lage = regler.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(lage.x + lage.width - 4), str(lage.y + lage.height // 2),
            "click", "--repeat", "40", "--delay", "30", "1")
    frequenzfeld = finde(fenster, "Frequenz in Hertz", "text")
    pruefe(warte(lambda: regler.queryValue().currentValue == 49) is not None,
           "slider at %r after 40 arrow clicks" % regler.queryValue().currentValue)
    pruefe((regler.queryValue().minimumValue, regler.queryValue().maximumValue) == (25, 100),
           "slider range %r..%r" % (regler.queryValue().minimumValue, regler.queryValue().maximumValue))
    pruefe(warte(lambda: text(frequenzfeld) == "49") is not None,
           "frequency after the arrow clicks: %r" % text(frequenzfeld))
    pruefe(warte(lambda: "Frequenz 49 Hertz. " in zeit.description) is not None,
           "time diagram description %r" % zeit.description)

    # The help by its access key; its page reads as text.
    xdotool("key", "alt+h")
    hilfe = warte(lambda: finde(app, 'Hilfe zur Aufgabe "komplexe Ebene"'))
    pruefe(hilfe is not None, "the help window did not open")
    if hilfe is not None:
        pruefe(hilfe.getRoleName() == "dialog", "the help window is a %s" % hilfe.getRoleName())
        seite = warte(lambda: finde(hilfe, "Hilfeseite", "document frame"))
        pruefe(seite is not None, "help page without name or document role")
        pruefe(finde(hilfe, "Hilfeseite verschieben", "scroll bar") is not None, "help scroll bar without name")
        if seite is not None:
            zeilen = text(seite).split("\n")
            pruefe(zeilen[0] == "Harmonische Wechselgrößen als komplexe Zeiger", "first line %r" % zeilen[0])
            pruefe("Bedienung des Programmes:" in zeilen, "no line 'Bedienung des Programmes:'")
            # Every character has a place on the screen, and that place leads back to it: a
            # reader reviewing the screen by position finds the text where it is drawn.
            t = seite.queryText()
            seitenlage = seite.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            for i in range(0, t.characterCount, 7):
                if t.getText(i, i + 1) == "\n":
                    continue
                zx, zy, zb, zh = t.getCharacterExtents(i, pyatspi.DESKTOP_COORDS)
                pruefe(zb > 0 and zh > 0, "character %d has no extent: %r" % (i, (zx, zy, zb, zh)))
                pruefe(seitenlage.x <= zx and zx + zb <= seitenlage.x + seitenlage.width,
                       "character %d lies outside the page: %r" % (i, (zx, zy, zb, zh)))
                zurueck = t.getOffsetAtPoint(zx + zb // 2, zy + zh // 2, pyatspi.DESKTOP_COORDS)
                pruefe(zurueck == i, "the middle of character %d leads to %d" % (i, zurueck))
finally:
    prozess.terminate()
    prozess.wait(10)

schluss()
