#!/usr/bin/python3
# A WebKitGTK window of the test's own, which Debian's WebKitWebDriver starts in place of its
# MiniBrowser: under automation MiniBrowser's session prints none of the page's console
# messages, so that page errors stayed invisible; this window writes them to its output, where
# make test-web finds them ("CONSOLE ... ERROR"). German, as a school's browsers are.
#
# Started by WebKitWebDriver as  webkitfenster.py --automation
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import Gtk, WebKit2  # noqa: E402

if "--automation" not in sys.argv:
    sys.exit("webkitfenster.py: only for WebKitWebDriver, which starts it with --automation")

kontext = WebKit2.WebContext.get_default()
kontext.set_automation_allowed(True)
kontext.set_preferred_languages(["de-DE", "de"])


def neue_ansicht(sitzung):
    ansicht = WebKit2.WebView(web_context=kontext, is_controlled_by_automation=True)
    ansicht.get_settings().set_enable_write_console_messages_to_stdout(True)
    fenster = Gtk.Window(title="Zivor in WebKitGTK")
    fenster.set_default_size(1000, 760)
    fenster.add(ansicht)
    fenster.show_all()
    return ansicht


def gestartet(kontext, sitzung):
    info = WebKit2.ApplicationInfo()
    info.set_name("webkitfenster")
    info.set_version(1, 0, 0)
    sitzung.set_application_info(info)
    sitzung.connect("create-web-view", neue_ansicht)


kontext.connect("automation-started", gestartet)
# Without a window of its own the program would end at once; the driver's session makes them.
Gtk.main()
