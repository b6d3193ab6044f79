#!/usr/bin/env python3
"""Checks the compiled help file Pantrium.chm against the help sources and the
program's own texts.

Usage: check_help.py <Pantrium.chm> <source dir>

1. Extracts the .chm with extract_chmLib (libchm-bin): every file the help
   project lists is inside and equal to its source, so the build compiled the
   current pages.
2. The contents (.hhc) and the index (.hhk) are inside; every link in them and
   in the pages leads to a page of the file (and to an anchor it names).
3. Every page is reachable from the contents.
4. Every menu command and button of the main window has an index entry, and
   every menu command, button, check box, label and dialog caption of the
   program appears in the pages with its exact text (an access key "&X" is
   written <u>X</u>).
Prints "FAIL: ..." for each fault and exits 1 when there was one.
"""
import html
import os
import re
import subprocess
import sys
import tempfile

faults = []


def fail(msg):
    faults.append(msg)
    print("FAIL: " + msg)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def project_files(hhp):
    files, options, section = [], {}, None
    for line in read(hhp).decode("latin-1").splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line
        elif line and section == "[FILES]":
            files.append(line)
        elif "=" in line and section == "[OPTIONS]":
            key, value = line.split("=", 1)
            options[key.strip()] = value.strip()
    return files, options


def sitemap_entries(text):
    """(Name, Local) pairs of a .hhc/.hhk sitemap."""
    entries = []
    for obj in re.findall(r'<OBJECT type="text/sitemap">(.*?)</OBJECT>', text, re.S | re.I):
        params = dict((k.lower(), v) for k, v in
                      re.findall(r'<param name="([^"]+)" value="([^"]*)"', obj, re.I))
        entries.append((html.unescape(params.get("name", "")), params.get("local")))
    return entries


def page_text(raw):
    return raw.decode("latin-1")


def plain(text):
    """The visible text of a page: tags dropped except <u>, entities decoded."""
    text = re.sub(r"<(?!/?u>)[^>]+>", "", text)
    return html.unescape(re.sub(r"\s+", " ", text))


def with_access_key(label):
    """"Save&As" -> "Save<u>A</u>s"; a label without "&" stays as it is."""
    return re.sub(r"&(.)", r"<u>\1</u>", label)


def program_texts(src):
    """Menu items, buttons, check boxes, labels and captions named in ui/, and
    the keys shown beside menu items (after a tab: "&Open\\tCtrl+O")."""
    menu, buttons, others, keys = [], [], [], []
    for folder in ("ui/main", "ui/dialogs"):
        for name in sorted(os.listdir(os.path.join(src, folder))):
            if not name.endswith(".cpp"):
                continue
            code = read(os.path.join(src, folder, name)).decode("latin-1")
            for item in re.findall(r'\bItem\("([^"]+)"', code):
                text, _, key = item.partition("\\t")
                menu.append(text)
                if key:
                    keys.append(key)
            found = re.findall(r'Kind::Button, "([^"]+)"', code)
            (buttons if folder == "ui/main" else others).extend(found)
            others += re.findall(r'Kind::CheckBox, "([^"]+)"', code)
            others += [t for t in re.findall(r'Kind::Label, "([^"]+)"', code) if t.strip()]
            others += re.findall(r'caption = "([^"]+)"', code)
    return menu, buttons, others, keys


def main():
    chm, src = sys.argv[1], sys.argv[2]
    help_src = os.path.join(src, "help")
    if not os.path.isfile(chm):
        fail("no compiled help file at " + chm)
        return
    files, options = project_files(os.path.join(help_src, "pantrium.hhp"))
    with tempfile.TemporaryDirectory(prefix="pantrium-chm-") as out:
        subprocess.run(["extract_chmLib", chm, out], check=True, stdout=subprocess.DEVNULL)
        check_contents(out, files, options, src)


def check_contents(out, files, options, src):
    help_src = os.path.join(src, "help")
    # 1. every listed file, as in the sources
    for name in files + [options["Contents file"], options["Index file"]]:
        inside = os.path.join(out, name)
        if not os.path.isfile(inside):
            fail("%s is missing from the help file" % name)
        elif read(inside) != read(os.path.join(help_src, name)):
            fail("%s in the help file differs from help/%s (stale build?)" % (name, name))
    pages = {n: page_text(read(os.path.join(out, n))) for n in files
             if n.endswith(".html") and os.path.isfile(os.path.join(out, n))}
    if options.get("Default topic") not in pages:
        fail("the default topic is not a page of the help file")

    # 2. links of the contents, the index and the pages
    def check_link(where, target):
        if re.match(r"[a-z]+:", target):
            return
        page, _, anchor = target.partition("#")
        page = page or where
        if not page.endswith(".html"):
            if not os.path.isfile(os.path.join(out, page)):
                fail("%s uses %s, which is not in the help file" % (where, target))
            return
        if page not in pages:
            fail("%s links to %s, which is not in the help file" % (where, target))
        elif anchor and not re.search(r'name="%s"' % re.escape(anchor), pages[page]):
            fail("%s links to %s, which has no anchor %s" % (where, page, anchor))

    contents = sitemap_entries(page_text(read(os.path.join(out, options["Contents file"]))))
    index = sitemap_entries(page_text(read(os.path.join(out, options["Index file"]))))
    if len(index) < 40:
        fail("the index has only %d entries" % len(index))
    for label, entries in (("contents", contents), ("index", index)):
        for name, local in entries:
            if local:
                check_link(label + " entry " + name, local)
            elif label == "index":
                fail("index entry %s leads nowhere" % name)
    for name, text in pages.items():
        if not re.search(r"<title>[^<]+</title>", text, re.I):
            fail(name + " has no title")
        for target in re.findall(r'href="([^"]+)"', text):
            check_link(name, target)

    # 3. every page is in the contents
    in_contents = {local.partition("#")[0] for _, local in contents if local}
    for name in pages:
        if name not in in_contents:
            fail(name + " is not in the contents")

    # 4. the program's commands and texts
    menu, buttons, others, keys = program_texts(src)
    keywords = [name.lower() for name, _ in index]
    every_page = " ".join(plain(t) for t in pages.values())
    for label in menu + buttons:
        key = label.replace("&", "").lower()
        if not any(k == key or k.startswith(key + " ") for k in keywords):
            fail('no index entry for the command "%s"' % label)
    for label in menu + buttons + others:
        shown = with_access_key(label.strip())
        if shown not in every_page:
            fail('the help pages do not show "%s" (as %s)' % (label, shown))
    for key in keys:
        if key not in every_page:
            fail('the help pages do not name the key "%s" of a menu command' % key)
    print("help: %d pages, %d index entries, %d contents entries, %d program texts and %d keys checked"
          % (len(pages), len(index), len(contents), len(menu + buttons + others), len(keys)))


if __name__ == "__main__":
    main()
    sys.exit(1 if faults else 0)
