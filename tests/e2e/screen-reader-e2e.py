"""The real window read through the accessibility bus as a screen reader reads it (run by
screen-reader-e2e.sh, which starts the program with a list and a subject loaded).
Usage: screen-reader-e2e.py <portable folder>"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen_reader as sr  # noqa: E402

FOLDER = sys.argv[1]
ANNE = "Anne <anne@exemple.test>"
BRUNO = "Bruno Martin <bruno.martin@exemple.test>"
SUBJECT_CAPTION = "Choisisez ou créez un Objet pour l'EMAIL"

# Every control of the window as the program builds it at start: role, name, the states it
# must have and those it must not. The message field has the focus (a subject was loaded).
CONTROLS = [
    ("frame", "Ferravel : Ostrande 2020 : (v {version})", {"active"}, set()),
    ("panel", "EMAILS.TXT", set(), set()),
    ("text", "Chercher", {"focusable", "editable"}, {"focused"}),
    ("push button", "Suivant", {"focusable"}, set()),
    ("list", "EMAILS.TXT", {"focusable"}, set()),
    ("list item", ANNE, {"selectable"}, {"selected", "checked"}),
    ("list item", BRUNO, {"selectable"}, {"selected", "checked"}),
    ("push button", "Envoyer", {"focusable"}, set()),
    ("panel", SUBJECT_CAPTION, set(), set()),
    ("combo box", SUBJECT_CAPTION, {"expanded"}, set()),
    ("text", SUBJECT_CAPTION, {"editable"}, set()),
    ("list", "Liste des objets", set(), set()),
    ("list item", "Devis", {"selected"}, set()),
    ("list item", "Relance", set(), {"selected"}),
    ("panel", "Rédigez votre message", set(), set()),
    ("panel", "Messages", set(), set()),
    ("text", "Messages", {"editable", "focused"}, set()),
    ("push button", "Enregistrer le message", set(), set()),
    ("panel", "Signatures", set(), set()),
    ("text", "Signatures", {"editable"}, {"focused"}),
    ("list", "Modèles de signature", {"focusable"}, set()),
    ("list item", "Devis.SIGNX", {"selectable"}, set()),
    ("list item", "Modele.SIGNX", {"selectable"}, set()),
    ("push button", "Enregistrer la signature", set(), set()),
    ("separator", "Largeur de la colonne des destinataires", set(), set()),
    ("separator", "Hauteur des signatures", set(), set()),
    ("menu item", "Fichier", set(), set()),
]

# Roles that a user reaches or reads: each needs a name. Containers (fillers, split panes,
# frames of panels, scroll bars, menus' separators) are only walked through.
NAMED_ROLES = {"push button", "text", "list", "list item", "combo box", "menu item", "panel", "label",
               "check box", "radio button", "page tab", "dialog", "alert"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def line(window, name):
    return sr.find(window, name, "list item")


def where(node):
    """A node as a sighted reader would point at it: its role, its hint, and where it sits."""
    chain = []
    parent = node.parent
    while parent is not None and sr.role(parent) != "application":
        chain.append(f'{sr.role(parent)} "{parent.name}"' if parent.name else sr.role(parent))
        parent = parent.parent
    hint = f' (hint "{node.description}")' if node.description else ""
    return f"[{sr.role(node)}]{hint} in " + " < ".join(chain)


def nameless_or_unknown(window):
    """The reachable nodes that a screen reader could not announce."""
    found = []
    for node, _ in sr.walk(window):
        role = sr.role(node)
        state = sr.states(node)
        if role == "unknown":
            found.append(f"role unknown: {where(node)}")
        if role == "frame" and node != window:
            found.append(f"a window inside the window: {where(node)}")
        reachable = "showing" in state and (role in NAMED_ROLES or "focusable" in state)
        if reachable and role != "scroll bar" and not node.name.strip():
            found.append(f"no name: {where(node)}")
    return found


def snapshot(window, lines):
    """What a screen reader hears of the recipient column: each line's marks, the chosen line,
    the current recipient (the pane's name) and the send button's name."""
    marks = {name: sr.states(line(window, name)) & {"checked", "selected"} for name in lines}
    send = next(n for n, _ in sr.walk(window) if sr.role(n) == "push button" and n.name.startswith("Envoyer"))
    return marks, send.parent.name, send.name


events = []


def listen(event):
    try:
        events.append((event.type, sr.role(event.source), event.source.name, event.detail1))
    except Exception:  # about a box already closed: nothing left to read
        pass


def heard(kind, role, name_start):
    return any(t.startswith(kind) and r == role and n.startswith(name_start) for t, r, n, _ in events)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def main():
    app = sr.application()
    version = os.environ["FERRAVEL_VERSION"]
    window = sr.wait_until(lambda: next((app.getChildAtIndex(i) for i in range(app.childCount)
                                         if sr.role(app.getChildAtIndex(i)) == "frame"), None), "the main window")
    # The window as built at start.
    sr.wait_until(lambda: any("focused" in sr.states(n) for n, _ in sr.walk(window)), "a focused control")
    for role, name, wanted, unwanted in CONTROLS:
        name = name.format(version=version)
        try:
            node = window if role == "frame" else sr.find(window, name, role, timeout=1)
        except sr.NotFound:
            check(False, f"missing: [{role}] \"{name}\"")
            continue
        check(node.name == name, f"[{role}] named \"{node.name}\", expected \"{name}\"")
        state = sr.states(node)
        check(wanted <= state, f"[{role}] \"{name}\" lacks {sorted(wanted - state)}")
        check(not (unwanted & state), f"[{role}] \"{name}\" has {sorted(unwanted & state)}")
    problems = nameless_or_unknown(window)
    check(not problems, "controls a screen reader cannot announce:\n  " + "\n  ".join(problems))

    for kind in ("object:property-change:accessible-name", "object:state-changed:checked",
                 "object:state-changed:focused", "window:activate"):
        sr.pyatspi.Registry.registerEventListener(listen, kind)

    # A click on Anne's box, then the accessibility action on Bruno's: the same outcome.
    anne = line(window, ANNE)
    extents = anne.queryComponent().getExtents(sr.pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(extents.x + 8), str(extents.y + extents.height // 2), "click", "1")
    sr.wait_until(lambda: {"checked", "selected"} <= sr.states(line(window, ANNE)), "Anne ticked by the click")
    after_click = snapshot(window, [ANNE, BRUNO])
    check(after_click == ({ANNE: {"checked", "selected"}, BRUNO: set()}, "anne@exemple.test",
                          "Envoyer à\r\n\r\nanne@exemple.test"), f"after the click: {after_click}")
    events.clear()
    sr.do_action(line(window, BRUNO), "Toggle")
    sr.wait_until(lambda: {"checked", "selected"} <= sr.states(line(window, BRUNO)), "Bruno ticked by the action")
    after_action = snapshot(window, [ANNE, BRUNO])
    check(after_action == ({ANNE: {"checked"}, BRUNO: {"checked", "selected"}}, "bruno.martin@exemple.test",
                           "Envoyer à\r\n\r\nbruno.martin@exemple.test"), f"after the action: {after_action}")
    # Each change announced.
    sr.wait_until(lambda: heard("object:state-changed:checked", "list item", BRUNO), "Bruno's mark announced", 5)
    for role, start in (("panel", "bruno.martin@exemple.test"), ("push button", "Envoyer à")):
        check(heard("object:property-change:accessible-name", role, start),
              f"no name change announced for [{role}] \"{start}…\"; heard {events}")

    # The boxes, read back exactly: a warning, a confirmation, an error.
    sr.focus(window, "Chercher", "text")
    xdotool("key", "--clearmodifiers", "Escape")  # no line chosen any more
    sr.wait_until(lambda: "selected" not in sr.states(line(window, BRUNO)), "the choice reset")
    events.clear()
    sr.press(window, "Envoyer à\r\n\r\nbruno.martin@exemple.test")
    box = sr.wait_for_dialog(app, "Avertissement")
    check(sr.dialog_text(box) == "Vous devez sélectionner un destinataire = liste EMAIL",
          f"the warning reads \"{sr.dialog_text(box)}\"")
    check(sr.default_button(box) == "OK", f"the warning's default button: {sr.default_button(box)}")
    sr.wait_until(lambda: heard("window:activate", "dialog", "Avertissement"), "the warning announced", 5)
    sr.press(box, "OK")
    sr.wait_no_dialog(app)

    sr.focus(window, "EMAILS.TXT", "list")
    xdotool("key", "--clearmodifiers", "ctrl+Delete")
    box = sr.wait_for_dialog(app, "Confirmer")
    sr.wait_until(lambda: heard("window:activate", "dialog", "Confirmer"), "the confirmation announced", 5)
    check(sr.dialog_text(box) == "Supprimer la ou les lignes pointées ?", f"the confirmation reads \"{sr.dialog_text(box)}\"")
    check(sr.default_button(box) == "OK", f"the confirmation's default button: {sr.default_button(box)}")
    buttons = [n.name for n, _ in sr.walk(box) if sr.role(n) == "push button"]
    check(buttons == ["OK", "Annuler"], f"the confirmation's buttons: {buttons}")
    sr.press(box, "Annuler")
    sr.wait_no_dialog(app)

    # Moving in the list with the keyboard: the line reached is announced with the focus.
    sr.focus(window, "EMAILS.TXT", "list")
    events.clear()
    xdotool("key", "--clearmodifiers", "Down")
    reached = sr.wait_until(lambda: next((n for n in (ANNE, BRUNO) if {"focused", "selected"} <= sr.states(line(window, n))),
                                         None), "a line reached by Down")
    sr.wait_until(lambda: any(t == "object:state-changed:focused" and r == "list item" and n == reached and d == 1
                              for t, r, n, d in events), f"the focus on \"{reached}\" announced", 5)

    # The input box: its field is named by its prompt and holds the chosen line.
    xdotool("key", "--clearmodifiers", "F2")
    box = sr.wait_for_dialog(app, "Corriger")
    field = sr.find(box, "EMAIL", "text")
    check("focused" in sr.states(field), "the input box's field has not the focus")
    value = field.queryText().getText(0, -1)
    check(value == reached, f"the input box's field holds \"{value}\"")
    check(sr.default_button(box) == "OK", f"the input box's default button: {sr.default_button(box)}")
    sr.press(box, "Annuler")
    sr.wait_no_dialog(app)

    # The configuration cannot be written (a folder took its name): the error box.
    ini = os.path.join(FOLDER, "Ferravel.INI")
    os.remove(ini)
    os.mkdir(ini)
    sr.focus(window, "Messages", "text")
    xdotool("key", "--clearmodifiers", "ctrl+w")
    box = sr.wait_until(lambda: next(iter(sr.dialogs(app)), None), "the error box")
    check(box.name == "Ferravel", f"the error box's title: \"{box.name}\"")
    sr.wait_until(lambda: heard("window:activate", sr.role(box), "Ferravel"), "the error box announced", 5)
    check(sr.dialog_text(box) == f"Impossible d'écrire dans {ini}.", f"the error reads \"{sr.dialog_text(box)}\"")
    sr.press(box, "OK")
    sr.wait_no_dialog(app)
    os.rmdir(ini)

    if failures:
        print("FAIL:\n" + "\n".join(failures), file=sys.stderr)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except sr.NotFound as missing:
        print(f"FAIL: not found on the accessibility bus: {missing}", file=sys.stderr)
        if failures:
            print("\n".join(failures), file=sys.stderr)
        sys.exit(1)
