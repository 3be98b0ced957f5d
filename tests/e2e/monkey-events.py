#!/usr/bin/env python3
# Writes a storm of random user actions for the main window as xdotool commands, one action per
# line, from a fixed seed: keys (letters, editing keys, the list's shortcuts, Tab, Enter and
# Escape, which also answer the boxes the storm opens), left, right and double clicks in the
# client area, drags of the two splitters, and the "Fichier" menu opened and closed. It never
# quits the program: no Ctrl+Q, no Alt, no click on the menu bar except to open and close
# "Fichier" at once. It never opens a file chooser either, where keys would rename or delete
# the files the test checks: no Ctrl+O, no item of "Fichier" (its save is Ctrl+W), and every
# context menu is closed as soon as it opens (the message fields' menus start with
# "Charger un fichier…"; the list's items have their own keys here).
# Usage: monkey-events.py SEED COUNT ORIGIN_X ORIGIN_Y > events
import random
import sys

seed, count, ox, oy = (int(a) for a in sys.argv[1:5])
rng = random.Random(seed)
WIDTH, HEIGHT, MENU = 839, 488, 22  # client area, menu bar at its top (96 dpi layout)
COLUMNS_HANDLE = (282, 250)         # the splitter between the list and the documents
DOCUMENTS_HANDLE = (650, 384)       # the splitter between the message and the signature
FICHIER = (17, 10)

letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789@.-_<>"
# xdotool's key command takes key names; it stops a whole batch at "." or "-" and ignores "@".
KEY_NAMES = {"@": "at", ".": "period", "-": "minus", "_": "underscore", "<": "less", ">": "greater"}
named = ["Tab", "shift+Tab", "Return", "Return", "Escape", "Escape", "BackSpace", "Delete",
         "Up", "Down", "Left", "Right", "Home", "End", "Prior", "Next", "space", "F2", "F5",
         "ctrl+f", "ctrl+t", "ctrl+m", "ctrl+n", "ctrl+s", "ctrl+w", "ctrl+Delete", "ctrl+a",
         "ctrl+c", "ctrl+v", "ctrl+x", "ctrl+z", "eacute", "egrave", "ccedilla", "agrave"]


def point():
    return ox + rng.randrange(2, WIDTH - 2), oy + rng.randrange(MENU, HEIGHT - 2)


def at(p):
    return f"mousemove {p[0]} {p[1]}"


def drag(start, end):
    return [f"mousemove {ox + start[0]} {oy + start[1]}", "mousedown 1",
            f"mousemove {end[0]} {end[1]}", "sleep 0.02", "mouseup 1"]


out = []
for _ in range(count):
    r = rng.random()
    if r < 0.45:
        if rng.random() < 0.5:
            letter = rng.choice(letters)
            out.append("key --delay 2 " + KEY_NAMES.get(letter, letter))
        else:
            out.append("key --delay 2 " + rng.choice(named))
    elif r < 0.55:
        # "--": a text starting with "-" is no option.
        out.append("type --delay 2 -- " + "".join(rng.choice(letters) for _ in range(rng.randrange(1, 8))))
    elif r < 0.80:
        out += [at(point()), "click 1"]
    elif r < 0.86:
        out += [at(point()), "click 3", "sleep 0.05", "key Escape"]
    elif r < 0.89:
        out += [at(point()), "click --repeat 2 --delay 40 1"]
    elif r < 0.95:
        handle = rng.choice([COLUMNS_HANDLE, DOCUMENTS_HANDLE])
        end = point()
        out += drag(handle, end)
        out += drag((end[0] - ox, end[1] - oy), (ox + handle[0], oy + handle[1]))  # and back
    else:
        # Closed by a second click: Escape would leave the menu bar in keyboard mode, where Up
        # opens "Fichier" again and a "Q" then picks "&Quitter".
        out += [f"mousemove {ox + FICHIER[0]} {oy + FICHIER[1]}", "click 1", "sleep 0.05", "click 1"]
    out.append("#")  # the end of one action
print("\n".join(out))
