#!/usr/bin/python3
"""Reaches the running Ferravel window through the accessibility bus, as a screen reader does.

  atspi-control.py expect-item TEXT   a list item named TEXT is shown
  atspi-control.py expect-name TEXT   something on screen is named TEXT (a pane by its caption)
  atspi-control.py toggle TEXT        the list item TEXT is ticked or unticked (its "Toggle")
  atspi-control.py press NAME         the push button whose name starts with NAME is pressed

Each waits up to ten seconds for what it needs (a loaded machine is slow to update the bus)
and exits with 1, saying what it did not find or what refused, when it never appears.
"""
import sys
import time

import pyatspi

TIMEOUT = 10.0


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Ferravel":
            return app
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(predicate):
    deadline = time.monotonic() + TIMEOUT
    while True:
        app = application()
        if app is not None:
            for node in walk(app):
                if predicate(node):
                    return node
        if time.monotonic() > deadline:
            return None
        time.sleep(0.2)


def is_item(node, text):
    return node.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_CHECK_BOX) and node.name == text


def is_button(node, text):
    return node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name.startswith(text)


def is_named(node, text):
    return node.name == text and node.getState().contains(pyatspi.STATE_SHOWING)


def do_action(node, name):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if name not in names or not action.doAction(names.index(name)):
        print(f"{node.getRoleName()} {node.name!r} refused the action {name!r} (it has {names})", file=sys.stderr)
        return False
    return True


def main(argv):
    commands = {
        "expect-item": (is_item, None),
        "expect-name": (is_named, None),
        "toggle": (is_item, "Toggle"),
        "press": (is_button, "Press"),
    }
    if len(argv) != 3 or argv[1] not in commands:
        print(__doc__, file=sys.stderr)
        return 2
    (matches, action), text = commands[argv[1]], argv[2]
    found = find(lambda node: matches(node, text))
    if found is None:
        print(f"{argv[1]}: nothing on the bus matches {text!r}", file=sys.stderr)
        return 1
    return 0 if action is None or do_action(found, action) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
