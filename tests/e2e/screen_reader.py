"""The running program read and driven through the desktop's accessibility bus, as a screen
reader does (Debian's /usr/bin/python3 with python3-pyatspi, on the private bus that
start_accessibility_bus in program-lib.sh sets up).

As a module:
    app = application("Ferravel")          # waits until the program is on the bus
    focus(app, "Chercher", "text")         # gives the keyboard focus to a control
    press(app, "Envoyer")                  # presses a push button (or any node with "Press")
    box = wait_for_dialog(app, "Confirmer")
    dialog_text(box), press(box, "OK")
From a shell (exit status 0 when done, 1 with a message otherwise):
    screen_reader.py find NAME [ROLE]      # waits until the control is on screen
    screen_reader.py focus NAME [ROLE]
    screen_reader.py press NAME [ROLE]
    screen_reader.py toggle NAME [ROLE]    # ticks or unticks a line's box, as a click on it
    screen_reader.py dialog TITLE          # waits for the box, prints its text
    screen_reader.py dump                  # prints the window as a screen reader walks it
ROLE is the bus's role name ("push button", "text", "list", "list item", ...). Every wait is
bounded (TIMEOUT seconds, 20 unless FERRAVEL_SCREEN_READER_TIMEOUT says otherwise).
"""

import os
import sys
import time

import pyatspi
from gi.repository import GLib

APPLICATION = "Ferravel"
TIMEOUT = float(os.environ.get("FERRAVEL_SCREEN_READER_TIMEOUT", "20"))


class NotFound(Exception):
    pass


def pump():
    """Delivers the bus's pending events to the listeners."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_until(predicate, what, timeout=None):
    """Polls predicate (events delivered meanwhile) until it gives a true value, returned;
    raises NotFound naming what after the timeout."""
    deadline = time.monotonic() + (TIMEOUT if timeout is None else timeout)
    while True:
        pump()
        try:
            value = predicate()
        except Exception:  # a node that went away while it was read
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise NotFound(what)
        time.sleep(0.1)


def application(name=APPLICATION, timeout=None):
    def found():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name and app.childCount > 0:
                return app
        return None

    return wait_until(found, f"the application {name} on the accessibility bus", timeout)


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def role(node):
    return node.getRoleName()


def walk(node, depth=0, limit=40):
    """Every node under node (node first), with its depth. Lists are walked to their first
    `limit` lines only: a long list is not read line by line."""
    yield node, depth
    count = node.childCount
    if role(node) == "list":
        count = min(count, limit)
    for i in range(count):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1, limit)


def find(root, name, role_name=None, timeout=None, showing=True):
    """The first node under root with this name (and role), waited for."""

    def match():
        for node, _ in walk(root):
            if node.name == name and (role_name is None or role(node) == role_name):
                if not showing or "showing" in states(node):
                    return node
        return None

    what = f'"{name}"' + (f" ({role_name})" if role_name else "")
    return wait_until(match, what, timeout)


def action_names(node):
    try:
        actions = node.queryAction()
    except NotImplementedError:
        return []
    return [actions.getName(i) for i in range(actions.nActions)]


def do_action(node, action):
    names = action_names(node)
    if action not in names:
        raise NotFound(f'the action {action} of "{node.name}" (it has {names})')
    node.queryAction().doAction(names.index(action))


def focus(root, name, role_name=None, timeout=None):
    """Gives the keyboard focus to the control, as a screen reader's user does, and waits
    until it has it."""
    node = find(root, name, role_name, timeout)
    if "focused" not in states(node):
        node.queryComponent().grabFocus()
    wait_until(lambda: "focused" in states(node), f'the focus in "{name}"', timeout)
    return node


def press(root, name, role_name="push button", timeout=None):
    """Presses the button (the action "Press", as a click or Space does)."""
    node = find(root, name, role_name, timeout)
    do_action(node, "Press")
    return node


def dialogs(app):
    return [app.getChildAtIndex(i) for i in range(app.childCount)
            if app.getChildAtIndex(i) is not None and role(app.getChildAtIndex(i)) in ("dialog", "alert")]


def wait_for_dialog(app, title, timeout=None):
    return wait_until(lambda: next((d for d in dialogs(app) if d.name == title), None),
                      f'the box "{title}"', timeout)


def wait_no_dialog(app, timeout=None):
    wait_until(lambda: not dialogs(app), "every box closed", timeout)


def dialog_text(box):
    """The box's message: its labels' text, in order (the buttons excluded)."""
    return "\n".join(node.name for node, _ in walk(box) if role(node) == "label" and node.name)


def default_button(box):
    for node, _ in walk(box):
        if role(node) == "push button" and "is default" in states(node):
            return node.name
    return None


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        app = application()
        command, args = argv[1], argv[2:]
        if command == "find":
            find(app, *args)
        elif command == "focus":
            focus(app, *args)
        elif command == "toggle":
            do_action(find(app, *args), "Toggle")
        elif command == "press":
            press(app, *args)
        elif command == "dialog":
            print(dialog_text(wait_for_dialog(app, args[0])))
        elif command == "dump":
            for node, depth in walk(app):
                print("  " * depth + f'[{role(node)}] "{node.name}" {sorted(states(node))} {action_names(node)}')
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except NotFound as missing:
        print(f"not found on the accessibility bus: {missing}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
