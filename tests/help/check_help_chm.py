#!/usr/bin/env python3
"""Checks the built help files KORVANE.chm of both editions.

    check_help_chm.py --edition en <KORVANE.chm> <help/en> [--edition de ...]

For each edition the help file is listed and unpacked with the CHM tools of
libchm-bin (enum_chmLib, extract_chmLib). The check fails when
  - a page (.html) of the edition's help folder is missing from the help file
    or differs from its source (a stale build),
  - the table of contents does not name every page, or names a page that the
    help file does not hold,
  - the index is missing, empty, or points at pages the help file lacks,
  - a link between pages points at nothing,
  - a message of the edition's message catalogue listed below is explained on
    no page.
Messages are compared as a reader sees them: HTML entities decoded, tags
removed and every run of white space (the doubled blanks of the messages
included) taken as one blank. %1, %2 stand for the path or reason that the
program inserts; the page may write anything short there.
"""

import argparse
import html
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile

# The messages the help must explain, per edition, as the program's message
# catalogue has them (key in the catalogue, text).
MESSAGES = {
    "en": [
        # Files a crash or another program left, and readings that could not be stored.
        ("data.reasonInUse", "File In Use by Another Program or Another KORVANE Window , Close It There and Try Again"),
        ("data.reasonCannotRecover", "File Left Unfinished by a Crash and Can not Be Recovered Without Write Access (Check the Permissions of the File and its Folder)"),
        ("frmRead.msgStoreFailed", "Readings Not Stored ! , %1 The %2 Readings Received Are Kept . Store Them in a New Data File ?"),
        ("frmRead.msgReadOnly", "File  %1  Is Read Only , Readings Can not Be Stored in It ! Open or Create Another Data File ."),
        # Commands that need an open data file.
        ("frmMain.msgNotReadyRead", "Must Open or New File to Read BP Data ! , File Not Ready !"),
        ("frmMain.msgNotReadyEdit", "Can not Edit Data ! , File Not Ready !"),
        ("frmMain.msgNotReadyTable", "Can not Open Data Table ! , File Not Ready !"),
        ("frmMain.msgNotReadyWave", "Can not Open Graphic trend data ! , File Not Ready !"),
        ("frmMain.msgNotReadyBar", "Can not Open Data Bar Chart ! , File Not Ready !"),
        ("frmMain.msgNotReadyList", "Can not Open Data List ! , File Not Ready !"),
        ("frmMain.msgNotReadyStatistic", "Can not Open Data Statistic ! , File Not Ready !"),
        ("frmMain.msgNotReadyPrintList", "Print Data List Report Failure ! , File Not Ready !"),
        ("frmMain.msgFileNotReadySave", "Save File Failure ! , File Not Ready !"),
        ("clsbpdata.msgNoFile", "Open Data Table Failure ! , File Not Ready !"),
        ("frmBar.msgNotReady", "Open Data Bar Chart Failure ! , File Not Ready !"),
        # File commands.
        ("frmMain.msgExistsOpenNow", "File  %1  Exists ! , Open Now"),
        ("frmMain.msgNewIsNewFile", "File  %1  Is a New File ! , Create Now"),
        ("frmMain.msgSystemFile", "File %1 Is KORVANE System File , Can not Open !"),
        ("frmMain.msgNewTemplateMissing", "KORVANE System File New.amb Not Found , Change to Correct Path !"),
        ("frmMain.msgExistsOverwrite", "File  %1  Exists ! , OverWrite ?"),
        ("data.msgCannotOpen", "File  %1  Can not Open ! , %2"),
        ("data.msgCannotCreate", "File  %1  Can not Create ! , %2"),
        ("data.msgCannotSave", "File  %1  Can not Save ! , %2"),
        ("data.msgSaveOntoItself", "File  %1  Is the Open File , Can not Save onto Itself !"),
        ("data.reasonMissing", "File Not Found"),
        ("data.reasonNotAFile", "Not a File"),
        ("data.reasonNotADatabase", "Not an AMB Data File"),
        ("data.reasonDamaged", "File Damaged"),
        ("data.reasonNoTable", "Not an AMB Data File (No Table ambpdata)"),
        ("data.reasonOtherEdition", "Made by the Other Edition (German)"),
        ("data.reasonWrongColumns", "Columns of Table ambpdata Do Not Match"),
        ("data.reasonUnreadable", "File Can not Be Read"),
        # Reading, passwords, help.
        ("frmRead.msgCommFailure", " Connecting Install or Communication Setting Incorrect !"),
        ("frmLogin.msgWrongPassword", "Wrong Password , Retry!"),
        ("frmMain.msgNoHelpFile", "No Help File !"),
        ("frmMain.msgNoHelpViewer", "Help File  %1  Can not Open ! , No Help Viewer Could Be Started : %2"),
        # Questions.
        ("frmRead.msgSaveBefore+After", "Save Data to File %1 ? "),
        ("frmList.msgDelete", "Delete Record ?"),
        ("frmLogin.msgChangeTo+End", "Change to %1   ?"),
    ],
    "de": [
        ("data.reasonInUse", "Datei wird von einem anderen Programm oder einem anderen KORVANE-Fenster benutzt , dort schließen und erneut versuchen"),
        ("data.reasonCannotRecover", "Datei nach einem Absturz unvollständig , ohne Schreibrecht nicht wiederherstellbar (Rechte der Datei und ihres Ordners prüfen)"),
        ("frmRead.msgStoreFailed", "Messwerte nicht gespeichert ! , %1 Die %2 empfangenen Messwerte bleiben erhalten . In einer neuen Datendatei speichern ?"),
        ("frmRead.msgReadOnly", "Datei  %1  ist schreibgeschützt , Messwerte können nicht gespeichert werden ! Andere Datendatei öffnen oder neu anlegen ."),
        ("frmMain.msgNotReady*", "Wird das Öffnen Datei !"),
        ("frmMain.msgExistsOpenNow", "Datei  %1  Exists ! , Öffnen"),
        ("frmMain.msgNewIsNewFile", "Datei  %1  , Neu Datei ! , Öffnen"),
        ("frmMain.msgOpenIsNewFile", "Datei %1  ,Neu Datei ! , Öffnen"),
        ("frmMain.msgSystemFile", "Datei %1 ,KORVANE System Datei , Schließen !"),
        ("frmMain.msgNewTemplateMissing", "KORVANE System Datei New.amb Not Found , Change to Correct Path !"),
        ("frmMain.msgOpenTemplateMissing", "KORVANE System File New.amb Not Found , Change to Correct Path !"),
        ("frmMain.msgExistsOverwrite", "Datei  %1 Überschreiben ?"),
        ("data.msgCannotOpen", "Datei  %1  kann nicht geöffnet werden ! , %2"),
        ("data.msgCannotCreate", "Datei  %1  kann nicht erstellt werden ! , %2"),
        ("data.msgCannotSave", "Datei  %1  kann nicht gespeichert werden ! , %2"),
        ("data.msgSaveOntoItself", "Datei  %1  ist die geöffnete Datei , Speichern auf sich selbst nicht möglich !"),
        ("data.reasonMissing", "Datei nicht gefunden"),
        ("data.reasonNotAFile", "Keine Datei"),
        ("data.reasonNotADatabase", "Keine AMB-Datei"),
        ("data.reasonDamaged", "Datei beschädigt"),
        ("data.reasonNoTable", "Keine AMB-Datei (keine Tabelle ambpdata)"),
        ("data.reasonOtherEdition", "Von der anderen Ausgabe (Englisch) erstellt"),
        ("data.reasonWrongColumns", "Spalten der Tabelle ambpdata passen nicht"),
        ("data.reasonUnreadable", "Datei nicht lesbar"),
        ("frmRead.msgCommFailure", " Connecting Install or Communication Setting Incorrect !"),
        ("frmLogin.msgWrongPassword", "X Paßwort , eingeben!"),
        ("frmMain.msgNoHelpFile", "Wird das Öffnen Hilfe Datei !"),
        ("frmMain.msgNoHelpViewer",
         "Hilfedatei  %1  kann nicht geöffnet werden ! , Kein Hilfeprogramm konnte gestartet werden : %2"),
        ("frmRead.msgSaveBefore+After", "Daten Speichern %1 ? "),
        ("frmList.msgDelete", "Protokolle Löschen ?"),
        ("frmLogin.msgChangeTo+End", "Paßwort %1 ändern  ?"),
    ],
}

PLACEHOLDER = re.compile(r"%\d")


def normalise(text):
    """One blank for every run of white space (no-break spaces included)."""
    return re.sub(r"\s+", " ", text).strip()


def message_pattern(message):
    """A pattern that finds the message in normalised page text."""
    pieces = [re.escape(normalise(p)) for p in PLACEHOLDER.split(message)]
    between = r" ?.{1,80}? ?"
    return re.compile(between.join(pieces))


class PageText(html.parser.HTMLParser):
    """The visible text of a page, and the targets of its links."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.links = []
        self._skip = 0

    def handle_starttag(self, tag, attrs):
        if tag in ("style", "script", "head"):
            self._skip += 1
        for name, value in attrs:
            if value and ((tag == "a" and name == "href") or name == "src"
                          or (tag == "link" and name == "href")):
                self.links.append(value)

    def handle_endtag(self, tag):
        if tag in ("style", "script", "head") and self._skip:
            self._skip -= 1

    def handle_data(self, data):
        if not self._skip:
            self.parts.append(data)

    def text(self):
        return normalise(" ".join(self.parts))


class SiteMap(html.parser.HTMLParser):
    """Entries (Name, Local) of a table of contents (.hhc) or index (.hhk)."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.entries = []
        self._current = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "object" and (a.get("type") or "").lower() == "text/sitemap":
            self._current = {}
        elif tag == "param" and self._current is not None:
            self._current[(a.get("name") or "").lower()] = a.get("value") or ""

    def handle_endtag(self, tag):
        if tag == "object" and self._current is not None:
            self.entries.append((self._current.get("name", ""), self._current.get("local", "")))
            self._current = None


def parse_sitemap(data):
    parser = SiteMap()
    parser.feed(data.decode("utf-8"))
    parser.close()
    return parser.entries


def project_options(hhp_path):
    options = {}
    with open(hhp_path, encoding="utf-8") as f:
        section = None
        for line in f:
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1].upper()
            elif section == "OPTIONS" and "=" in line:
                key, value = line.split("=", 1)
                options[key.strip().lower()] = value.strip()
    return options


def list_chm(tool, chm):
    """Names of the files (not the internal objects) that the help file holds."""
    out = subprocess.run([tool, chm], check=True, capture_output=True, text=True,
                         errors="replace").stdout
    names = set()
    for line in out.splitlines():
        m = re.search(r"\bnormal file\s+/(.+)$", line)
        if m:
            names.add(m.group(1).strip())
    return names


def local_target(link):
    """The file a link points at inside the help file, or None for outside links."""
    if re.match(r"^[a-zA-Z][a-zA-Z0-9+.-]*:", link) or link.startswith("#"):
        return None
    return link.split("#", 1)[0]


def check_edition(edition, chm, pages_dir, tools):
    errors = []

    def fail(text):
        errors.append("[%s] %s" % (edition, text))

    if not os.path.isfile(chm):
        fail("help file %s is missing: build the target korvane-help-%s" % (chm, edition))
        return errors
    sources = sorted(f for f in os.listdir(pages_dir) if f.endswith(".html"))
    if not sources:
        fail("no pages in %s" % pages_dir)
        return errors
    options = project_options(os.path.join(pages_dir, "KORVANE.hhp"))
    toc_name = options.get("contents file", "")
    index_name = options.get("index file", "")
    default_topic = options.get("default topic", "")

    held = list_chm(tools["enum"], chm)
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([tools["extract"], chm, tmp], check=True, capture_output=True)

        def read(name):
            path = os.path.join(tmp, name)
            if not os.path.isfile(path):
                return None
            with open(path, "rb") as f:
                return f.read()

        # Every page is in the help file, as it is in the sources.
        for page in sources:
            if page not in held:
                fail("page %s is not in the help file" % page)
                continue
            with open(os.path.join(pages_dir, page), "rb") as f:
                if read(page) != f.read():
                    fail("page %s in the help file differs from its source: rebuild" % page)
        if default_topic not in held:
            fail("start page %r is not in the help file" % default_topic)

        # The table of contents names every page, and only pages it holds.
        toc = read(toc_name) if toc_name else None
        if toc is None:
            fail("table of contents %r is not in the help file" % toc_name)
        else:
            entries = parse_sitemap(toc)
            named = {}
            for name, local in entries:
                target = local_target(local) if local else None
                if not name.strip():
                    fail("table of contents has an entry without a name (%s)" % local)
                if target:
                    named.setdefault(target, name)
                    if target not in held:
                        fail("table of contents entry %r points at %s, which the help file lacks"
                             % (name, target))
            for page in sources:
                if page not in named:
                    fail("table of contents does not name page %s" % page)

        # The index is there and leads to pages the help file holds.
        index = read(index_name) if index_name else None
        if index is None:
            fail("index %r is not in the help file" % index_name)
        else:
            entries = parse_sitemap(index)
            if not entries:
                fail("index %s has no entries" % index_name)
            for name, local in entries:
                target = local_target(local)
                if not name.strip() or not target:
                    fail("index entry %r has no name or no page" % ((name, local),))
                elif target not in held:
                    fail("index entry %r points at %s, which the help file lacks" % (name, target))

        # Links between pages, and the text of every page.
        texts = {}
        for page in sources:
            data = read(page)
            if data is None:
                continue
            parser = PageText()
            parser.feed(data.decode("utf-8"))
            parser.close()
            texts[page] = parser.text()
            for link in parser.links:
                target = local_target(link)
                if target and target not in held:
                    fail("page %s links to %s, which the help file lacks" % (page, target))

    # Every message of the catalogue list is explained on some page.
    for key, message in MESSAGES[edition]:
        pattern = message_pattern(message)
        if not any(pattern.search(t) for t in texts.values()):
            fail("no page mentions the message %s: %r" % (key, message))

    if not errors:
        print("[%s] %s: %d pages, all in the table of contents; index with entries; "
              "%d messages explained" % (edition, chm, len(sources), len(MESSAGES[edition])))
    return errors


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--edition", nargs=3, action="append", required=True,
                        metavar=("EDITION", "CHM", "PAGES_DIR"))
    args = parser.parse_args()

    tools = {"enum": shutil.which("enum_chmLib"), "extract": shutil.which("extract_chmLib")}
    if not tools["enum"] or not tools["extract"]:
        print("enum_chmLib and extract_chmLib are missing: install the Debian package libchm-bin")
        return 1

    errors = []
    for edition, chm, pages_dir in args.edition:
        if edition not in MESSAGES:
            errors.append("unknown edition %r" % edition)
            continue
        errors += check_edition(edition, chm, pages_dir, tools)
    for e in errors:
        print("FAIL " + e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
