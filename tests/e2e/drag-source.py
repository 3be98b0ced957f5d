#!/usr/bin/python3
# Test helper for real desktop drops (run with Debian's python3, which has GTK 3):
#   drag-source.py offer X Y PATH...  a small window at X, Y from which the files can be
#       dragged as a text/uri-list, as a file manager offers them. Prints "ready" once shown,
#       "requested" when the target asks for the files, "refused" when the drop is refused,
#       then "ended" and quits. During the drag, "over WINDOW ACTION" each time the drop target
#       (its X window, 0 for none) or the action it answered (0 for none) changes, so that the
#       drag is released only over the right target, once it has answered.
#   drag-source.py clipboard  prints the clipboard's text.
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("GdkX11", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GdkX11, GLib, Gtk  # noqa: E402,F401 (GdkX11 gives windows their X id)


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
    # GDK answers the target's messages itself: the drag's state is watched instead.
    def watch(context):
        last = None

        def poll():
            nonlocal last
            target = context.get_dest_window()
            now = f"over {target.get_xid() if target else 0} {int(context.get_selected_action())}"
            if now != last:
                say(now)
                last = now
            return True

        return GLib.timeout_add(10, poll)

    box.connect("drag-begin", lambda _widget, context: watch(context))
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
