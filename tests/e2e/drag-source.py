#!/usr/bin/python3
# Test helper for real desktop drops (run with Debian's python3, which has GTK 3):
#   drag-source.py offer X Y PATH...  a small window at X, Y from which the files can be
#       dragged as a text/uri-list, as a file manager offers them. Prints "ready" once shown,
#       "requested" when the target asks for the files, "refused" when the drop is refused,
#       then "ended" and quits.
#   drag-source.py clipboard  prints the clipboard's text.
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402


def say(word):
    print(word, flush=True)


def offer(x, y, paths):
    uris = [GLib.filename_to_uri(p, None) for p in paths]
    window = Gtk.Window(title="source de glisser")
    window.set_default_size(160, 100)
    window.move(x, y)
    box = Gtk.EventBox()
    box.add(Gtk.Label(label="fichiers"))
    box.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
    box.drag_source_add_uri_targets()

    def data_get(_widget, _context, selection, _info, _time):
        selection.set_uris(uris)
        say("requested")

    def failed(_widget, _context, _result):
        say("refused")
        return True  # no animation back to the source

    def ended(_widget, _context):
        say("ended")
        GLib.timeout_add(200, Gtk.main_quit)

    box.connect("drag-data-get", data_get)
    box.connect("drag-failed", failed)
    box.connect("drag-end", ended)
    window.add(box)
    window.connect("destroy", Gtk.main_quit)
    window.connect("map-event", lambda *_: say("ready"))
    window.show_all()
    Gtk.main()


def clipboard():
    text = Gtk.Clipboard.get(Gdk.SELECTION_CLIPBOARD).wait_for_text()
    sys.stdout.write(text or "")


if __name__ == "__main__":
    if sys.argv[1] == "offer":
        offer(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:])
    elif sys.argv[1] == "clipboard":
        clipboard()
    else:
        sys.exit("usage: drag-source.py offer X Y PATH... | clipboard")
