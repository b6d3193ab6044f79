#!/usr/bin/python3
"""Reads the Qt program's windows the way a screen reader (Orca) does: through
at-spi, on a private session bus, under Xvfb. Checks the names, roles and
states of the main window's controls and rows and of the item editor.

Usage (inside dbus-run-session): screen_reader_check.py <pantrium-qt> <work folder>
"""
import os
import socket
import struct
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DEADLINE = 20.0  # seconds for each state waited for
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def pump():
    """Delivers the at-spi events that have arrived."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(find, what):
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        pump()
        try:
            found = find()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.1)
    sys.exit("FAIL: no %s within %.0f s" % (what, DEADLINE))


def packed(month, day, year):
    return day | (month << 5) | ((year - 2000) << 9)


def text20(text):
    return text.encode("latin-1")[:20].ljust(20, b" ")


def write_list(path):
    # category, name, unit, price, units, flags (1 to buy, 4 auto list), last purchase
    items = [(1, "Batteries", "4-pack", 6.0, 1.0, 1, None),
             (1, "Bulbs", "2-pack", 3.5, 2.5, 5, (10, 3, 2026, 1.0)),
             (2, "Cheddar", "8 oz block", 2.99, 0.0, 0, (9, 19, 2026, 1.0))]
    out = b"Pantrium 1.50" + struct.pack("<ii", len(items), 2)
    out += b"".join(struct.pack("<i", i + 1) for i in range(len(items)))
    for catg, name, unit, price, units, flags, last in items:
        dates = [packed(*last[:3])] + [0] * 4 if last else [0] * 5
        bought = [last[3]] + [0.0] * 4 if last else [0.0] * 5
        out += (struct.pack("<B", catg) + text20(name) + text20(unit) + struct.pack("<ff", price, units)
                + struct.pack("<5H", *dates) + struct.pack("<5f", *bought) + struct.pack("<B", flags))
    out += text20("household") + text20("dairy")
    with open(path, "wb") as f:
        f.write(out)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def states(node):
    return node.getState()


def showing(node):
    return states(node).contains(pyatspi.STATE_SHOWING)


def find(root, role, name=None):
    for node in walk(root):
        if node.getRole() == role and (name is None or node.name == name) and showing(node):
            return node
    return None


def tree_text(root, depth=0, out=None):
    out = [] if out is None else out
    if depth == 0 or showing(root):
        extra = " [checked]" if states(root).contains(pyatspi.STATE_CHECKED) else ""
        out.append("%s%s %r%s" % ("  " * depth, root.getRoleName(), root.name, extra))
        for i in range(root.childCount):
            child = root.getChildAtIndex(i)
            if child is not None:
                tree_text(child, depth + 1, out)
    return out


def main():
    program, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    for name in os.listdir(work):
        os.remove(os.path.join(work, name))
    write_list(os.path.join(work, "my Pantrium.ptm"))

    procs = []
    try:
        rfd, wfd = os.pipe()
        # No reset when the last client leaves: the bus launcher's visit must
        # not close the display under the program starting.
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(wfd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                                 "-noreset"],
                                pass_fds=(wfd,), stderr=subprocess.DEVNULL)
        procs.append(xvfb)
        os.close(wfd)
        display = os.read(rfd, 16).decode().strip()
        check(display != "", "Xvfb started")

        def accepts():
            with socket.socket(socket.AF_UNIX) as s:
                return s.connect_ex("/tmp/.X11-unix/X" + display) == 0
        wait_for(accepts, "display :%s taking connections" % display)
        env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ["DISPLAY"] = env["DISPLAY"]
        procs.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env))
        program_proc = subprocess.Popen([program], cwd=work, env=env)
        procs.append(program_proc)

        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: next((a for a in desktop if a is not None and a.name == "Pantrium"), None),
                       "application Pantrium on the accessibility bus")
        frame = wait_for(lambda: find(app, pyatspi.ROLE_FRAME), "main window read as a frame")
        rows = wait_for(lambda: find(frame, pyatspi.ROLE_LIST, "Grocery items"), "list named Grocery items")
        wait_for(lambda: rows.childCount == 3, "three rows")
        print("\n".join(tree_text(app)), flush=True)

        check(frame.name.startswith("my Pantrium"), "the frame is named by its caption: %r" % frame.name)
        words = [rows.getChildAtIndex(i).name for i in range(rows.childCount)]
        check(words == ["Batteries, 4-pack, to buy, 1 unit, 6.00",
                        "Bulbs, 2-pack, to buy, auto list, last buy 10-03-26, 2.5 units, 8.75",
                        "Cheddar, 8 oz block, last buy 09-19-26"], "rows read as words: %r" % words)
        checked = [states(rows.getChildAtIndex(i)).contains(pyatspi.STATE_CHECKED) for i in range(rows.childCount)]
        check(checked == [True, True, False], "rows to buy are checked: %r" % checked)
        check(find(frame, pyatspi.ROLE_TEXT, "Units to buy") is not None, "the units box is a text named Units to buy")
        status = find(frame, pyatspi.ROLE_STATUS_BAR)
        check(status is not None, "the status bar reads as one")
        parts = [status.getChildAtIndex(i) for i in range(status.childCount)] if status else []
        check([p.getRole() for p in parts] == [pyatspi.ROLE_LABEL] * 4, "its four parts are labels")
        texts = [p.name.rstrip() for p in parts]  # a category name keeps its padding
        check(texts == ["Catg: household", "", "Items to buy:  2", "Total cost: 14.75"], "status parts: %r" % texts)
        decorations = [n for n in walk(frame) if n.getRole() == pyatspi.ROLE_FRAME and n != frame and showing(n)]
        check(not decorations, "the list's focus frame is not offered")
        nameless = [n for n in walk(frame) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(n) and not n.name]
        check(not nameless, "no nameless button is offered")
        new_item = find(frame, pyatspi.ROLE_PUSH_BUTTON, "New Item")
        check(new_item is not None, "the New Item button reads as its text")

        # The item editor: a dialog whose fields are named by their labels.
        new_item.queryAction().doAction(0)
        editor = wait_for(lambda: find(app, pyatspi.ROLE_DIALOG, "Add Item"), "item editor read as a dialog")
        wait_for(lambda: find(editor, pyatspi.ROLE_TEXT, "Grocery item:"), "the name field")
        print("\n".join(tree_text(editor)), flush=True)
        for name in ("Grocery item:", "Unit Descr:", "Price/unit:"):
            check(find(editor, pyatspi.ROLE_TEXT, name) is not None, "editor field named %r" % name)
        combo = find(editor, pyatspi.ROLE_COMBO_BOX)
        labelled = [r.getTarget(i).name for r in (combo.getRelationSet() if combo else [])
                    if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]
        check(labelled == ["Category:"], "the category box is labelled by 'Category:': %r" % labelled)
        check(find(editor, pyatspi.ROLE_CHECK_BOX, "Special one time buy - no history kept") is not None,
              "the special-buy check box reads as its text")
        find(editor, pyatspi.ROLE_PUSH_BUTTON, "Cancel").queryAction().doAction(0)
        wait_for(lambda: find(app, pyatspi.ROLE_DIALOG, "Add Item") is None, "the editor closing")

        # "Don't buy" on the selected row: its new words, its check mark and
        # the new totals are announced.
        heard = []
        pyatspi.Registry.registerEventListener(
            lambda e: heard.append((e.type, e.source.name if e.source else "", e.detail1)),
            "object:property-change:accessible-name", "object:state-changed:checked")
        task = find(frame, pyatspi.ROLE_MENU_ITEM, "Task")
        dont_buy = wait_for(lambda: next((n for n in walk(task) if n.getRole() == pyatspi.ROLE_MENU_ITEM
                                          and n.name in ("Buy", "Don't buy")), None), "the Task menu's Buy item")
        dont_buy.queryAction().doAction(0)
        wait_for(lambda: rows.getChildAtIndex(0).name == "Batteries, 4-pack", "the row's new words")
        wait_for(lambda: any(t.startswith("object:property-change:accessible-name") and n == "Batteries, 4-pack"
                             for t, n, _ in heard), "the row's new name announced")
        wait_for(lambda: any(t.startswith("object:state-changed:checked") and n == "Batteries, 4-pack" and d == 0
                             for t, n, d in heard), "the row's check mark announced as cleared")
        check(not states(rows.getChildAtIndex(0)).contains(pyatspi.STATE_CHECKED), "the row reads as unchecked")
        wait_for(lambda: any(n == "Total cost: 8.75" for t, n, _ in heard), "the new total cost announced")
        print("heard: %r" % [h for h in heard if h[1]], flush=True)
        check(True, "row and status changes are announced")
        check(program_proc.poll() is None, "the program still runs")
    finally:
        for p in reversed(procs):
            p.terminate()
        for p in reversed(procs):
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
    if failures:
        sys.exit("FAIL: %d check(s)" % len(failures))
    print("screen reader check passed")


if __name__ == "__main__":
    main()
