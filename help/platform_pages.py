#!/usr/bin/env python3
"""Writes the help pages for one system: the pages of help/ share one text,
and what differs between Windows and Linux is marked as an element of class
"windows" or "linux" (<span class="linux">...</span>, also <p>, <div>, <li>,
<tr>). The pages for a system keep that system's parts (their markup removed)
and drop the other system's parts. The Windows help file is compiled from
the sources as they are, where help.css hides the Linux parts.

Usage: platform_pages.py <windows|linux> <source dir> <output dir>
Exits 1 (and names the page) when a marked element is not closed.
"""
import os
import re
import shutil
import sys

SYSTEMS = ("windows", "linux")
OPEN = re.compile(r'<(span|p|div|li|tr)\s+class="(%s)">' % "|".join(SYSTEMS))


def element_end(text, tag, start):
    """Index just past the end tag that closes the element whose start tag
    ends at start, counting nested elements of the same tag; -1 if none."""
    depth = 1
    tags = re.compile(r"<(/?)%s\b[^>]*>" % tag)
    for m in tags.finditer(text, start):
        depth += -1 if m.group(1) else 1
        if depth == 0:
            return m.end(), m.start()
    return -1, -1


def for_system(text, system):
    out, at = [], 0
    while True:
        m = OPEN.search(text, at)
        if not m:
            out.append(text[at:])
            return "".join(out)
        tag, which = m.group(1), m.group(2)
        end, inner_end = element_end(text, tag, m.end())
        if end < 0:
            raise ValueError(f'<{tag} class="{which}"> is not closed')
        out.append(text[at:m.start()])
        if which == system:
            # The element's content stays; a block keeps its element without the class.
            inner = for_system(text[m.end():inner_end], system)
            out.append(inner if tag == "span" else f"<{tag}>{inner}</{tag}>")
        at = end


def main(argv):
    if len(argv) != 4 or argv[1] not in SYSTEMS:
        print(__doc__)
        return 2
    system, source, target = argv[1], argv[2], argv[3]
    os.makedirs(target, exist_ok=True)
    for name in os.listdir(target):  # pages no longer in the sources
        if name.endswith((".html", ".css")) and not os.path.exists(os.path.join(source, name)):
            os.remove(os.path.join(target, name))
    for name in sorted(os.listdir(source)):
        path = os.path.join(source, name)
        if name.endswith(".css"):
            shutil.copyfile(path, os.path.join(target, name))
        elif name.endswith(".html"):
            with open(path, encoding="utf-8") as f:
                text = f.read()
            try:
                text = for_system(text, system)
            except ValueError as e:
                print(f"{path}: {e}")
                return 1
            with open(os.path.join(target, name), "w", encoding="utf-8") as f:
                f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
