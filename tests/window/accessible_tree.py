#!/usr/bin/env python3
"""The running program as a screen reader sees it over AT-SPI.

    accessible_tree.py <program>

Starts the program, finds it on the accessibility bus, dumps its tree and
checks names, roles and relations at start, after Next and after a switch
of direction (Settings > English to Russian). Needs a session bus with the
accessibility bus reachable (dbus-run-session, at-spi2-core) and an X
display.
"""
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def pump(seconds):
    """Lets AT-SPI deliver its events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def walk(node, depth=0):
    yield node, depth
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def relations(node):
    found = []
    for relation in node.get_relation_set() or []:
        kind = relation.get_relation_type().value_nick
        for i in range(relation.get_n_targets()):
            found.append((kind, relation.get_target(i).get_name()))
    return found


def dump(app, title):
    print(f"---- {title}")
    for node, depth in walk(app):
        extra = "".join(f" [{kind} '{name}']" for kind, name in relations(node))
        print(f"{'  ' * depth}{node.get_role_name()} '{node.get_name()}'{extra}")


def find(app, role, name=None, pattern=None):
    for node, _ in walk(app):
        if node.get_role_name() != role:
            continue
        if name is not None and node.get_name() != name:
            continue
        if pattern is not None and not re.fullmatch(pattern, node.get_name()):
            continue
        return node
    return None


def find_application(pid):
    desktop = Atspi.get_desktop(0)
    for _ in range(200):
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == pid:
                # The window appears once Qt has registered it.
                if find(app, "frame") is not None:
                    return app
        time.sleep(0.05)
    return None


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "80", *keys], check=True)


def check_boxes(app, question_language, answer_language, question_label, answer_label):
    for role_name, language, label in (
        ("Question", question_language, question_label),
        ("Answer", answer_language, answer_label),
    ):
        name = f"{role_name}, {language}"
        box = find(app, "text", name)
        check(box is not None, f"no text box named '{name}'")
        if box is not None:
            check(("labelled-by", label) in relations(box),
                  f"'{name}' is not labelled by '{label}': {relations(box)}")
        caption = find(app, "label", label)
        check(caption is not None and ("label-for", name) in relations(caption),
              f"label '{label}' is not the label for '{name}'")


def main():
    program = sys.argv[1]
    # What a desktop does when a screen reader starts: turn accessibility on
    # (this also starts the accessibility bus).
    Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
        GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
        None, Gio.DBusCallFlags.NONE, -1, None)
    Atspi.init()
    process = subprocess.Popen([program])
    try:
        app = find_application(process.pid)
        check(app is not None, "the program never appeared on the accessibility bus")
        if app is None:
            return
        dump(app, "at start")
        check_boxes(app, "Russian", "English", "Russian:", "English:")
        check(find(app, "push button", "Next") is not None, "no button named Next")
        check(find(app, "push button", "Show") is not None, "no button named Show")
        bar = find(app, "status bar")
        check(bar is not None, "no node with the status-bar role")
        panel1 = find(app, "label", pattern=r"\d+/\d+")
        check(panel1 is not None and panel1.get_description() != "",
              "no panel reading key/count, with a description of what it counts")
        check(find(app, "label", "Russian -> English") is not None, "no panel reading the direction")
        if bar is not None and panel1 is not None:
            check(panel1.get_parent() == bar, "the key/count panel is not inside the status bar")

        # Next: panel 1 reads the new key, and says so with a name change.
        changes = []

        def on_change(event):
            changes.append(event.source.get_name())

        listener = Atspi.EventListener.new(on_change)
        listener.register("object:property-change:accessible-name")
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Vorelka$",
                        "windowfocus", "--sync"], check=True, stdout=subprocess.DEVNULL)
        before = panel1.get_name() if panel1 else ""
        for _ in range(10):
            key("alt+n")
            pump(0.4)
            now = find(app, "label", pattern=r"\d+/\d+")
            if now is not None and now.get_name() != before:
                break
        now = find(app, "label", pattern=r"\d+/\d+")
        check(now is not None and now.get_name() != before, "panel 1 did not change on Next")
        if now is not None:
            check(now.get_name() in changes,
                  f"no name-change event for '{now.get_name()}' (saw {changes})")
        dump(app, "after Next")

        key("alt+s", "e")
        pump(0.6)
        dump(app, "after Settings > English to Russian")
        check_boxes(app, "English", "Russian", "English", "Russian")
        check(find(app, "label", "English -> Russian") is not None, "panel 2 kept the old direction")
        listener.deregister("object:property-change:accessible-name")
    finally:
        process.terminate()
        process.wait(timeout=10)


if __name__ == "__main__":
    main()
    if failures:
        sys.exit(1)
    print("PASS")
