#!/usr/bin/env python3
"""The help pages made for each system from the one set of sources in help/
(help/platform_pages.py): the same pages for both, each speaking of its own
system only, with no system marks left; and a mark that is not closed stops
the build with the page's name.

Usage: help_pages_check.py <source dir> <scratch dir inside the build folder>
Prints "FAIL: ..." for each fault and exits 1 when there was one.
"""
import os
import shutil
import subprocess
import sys

faults = []


def fail(msg):
    faults.append(msg)
    print("FAIL: " + msg)


def make(script, system, source, target):
    return subprocess.run([sys.executable, script, system, source, target], capture_output=True, text=True)


def pages(folder):
    out = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".html"):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                out[name] = f.read()
    return out


# What only one system's pages may say.
ONLY = {
    "windows": ["Pantrium.chm", "Start-menu", "C:\\Lists", "registry", "Windows dialogs"],
    "linux": ["/usr/share/pantrium/help", "/home/", "desktop's menu", "pantrium-qt"],
}


def main(argv):
    source, scratch = argv[1], argv[2]
    script = os.path.join(source, "help", "platform_pages.py")
    shutil.rmtree(scratch, ignore_errors=True)
    made = {}
    for system in ("windows", "linux"):
        target = os.path.join(scratch, system)
        result = make(script, system, os.path.join(source, "help"), target)
        if result.returncode != 0:
            fail(f"the {system} pages were not made: {result.stdout}{result.stderr}")
            continue
        made[system] = pages(target)
    if len(made) == 2:
        if made["windows"].keys() != made["linux"].keys():
            fail("the two systems get different pages")
        if not os.path.exists(os.path.join(scratch, "linux", "help.css")):
            fail("the style sheet is not beside the Linux pages")
        for system, other in (("windows", "linux"), ("linux", "windows")):
            text = "".join(made[system].values())
            for mark in ('class="windows"', 'class="linux"'):
                if mark in text:
                    fail(f"the {system} pages keep the mark {mark}")
            for phrase in ONLY[other]:
                if phrase in text:
                    fail(f"the {system} pages speak of {phrase!r}, which belongs to {other}")
            for phrase in ONLY[system]:
                if phrase not in text:
                    fail(f"the {system} pages lack {phrase!r}")
        # A part inside another element keeps what surrounds it.
        if "<pre>/home/anna/Lists/home.ptm</pre>" not in made["linux"]["settings_files.html"]:
            fail("an inline part is not unwrapped in place")

    # An unclosed mark is an error that names the page; a page removed from
    # the sources leaves the made pages.
    broken_src = os.path.join(scratch, "broken-src")
    os.makedirs(broken_src)
    with open(os.path.join(broken_src, "bad.html"), "w") as f:
        f.write('<p>one <span class="linux">two <span class="ui">x</span></p>')
    result = make(script, "linux", broken_src, os.path.join(scratch, "broken"))
    if result.returncode == 0 or "bad.html" not in result.stdout:
        fail("an unclosed mark is not reported with its page")
    os.remove(os.path.join(broken_src, "bad.html"))
    with open(os.path.join(broken_src, "good.html"), "w") as f:
        f.write('<p><span class="windows">W</span><span class="linux">L <span class="ui">u</span></span></p>')
    stale = os.path.join(scratch, "broken", "old.html")
    os.makedirs(os.path.dirname(stale), exist_ok=True)
    open(stale, "w").close()
    result = make(script, "linux", broken_src, os.path.join(scratch, "broken"))
    with open(os.path.join(scratch, "broken", "good.html")) as f:
        if f.read() != '<p>L <span class="ui">u</span></p>':
            fail("nested elements inside a part are not kept whole")
    if os.path.exists(stale):
        fail("a page no longer in the sources stays among the made pages")

    shutil.rmtree(scratch, ignore_errors=True)
    print(f"{'FAIL' if faults else 'PASS'}: help pages per system, {len(faults)} fault(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
