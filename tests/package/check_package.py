#!/usr/bin/env python3
"""Builds the Debian package with CPack and checks what a practice installs.

The package holds exactly the expected files; its dependencies come from
dpkg-shlibdeps plus the SQLite plug-in; both desktop entries pass
desktop-file-validate and speak their edition's language; the installed
programs (unpacked into a scratch root) print their version block and,
started from their launcher's folder, find their template (and can make a
data file from it) and help file, also as a user who may not write there,
and refuse the other edition's template; lintian reports no error.
"""
import argparse
import configparser
import os
import shutil
import subprocess
import sys
import tempfile

EXPECTED_FILES = {
    "usr/bin/korvane",
    "usr/bin/korvaneg",
    "usr/bin/korvane-recorder",
    "usr/share/applications/korvane.desktop",
    "usr/share/applications/korvaneg.desktop",
    "usr/share/doc/korvane/changelog.gz",
    "usr/share/doc/korvane/copyright",
    "usr/share/icons/hicolor/scalable/apps/korvane.svg",
    "usr/share/korvane/en/new.amb",
    "usr/share/korvane/en/KORVANE.chm",
    "usr/share/korvane/de/new.amb",
    "usr/share/korvane/de/KORVANE.chm",
    "usr/share/man/man1/korvane.1.gz",
    "usr/share/man/man1/korvaneg.1.gz",
    "usr/share/man/man1/korvane-recorder.1.gz",
}

# What dpkg-shlibdeps must have found, and what it cannot see.
EXPECTED_DEPENDS = ["libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6",
                    "libqt6sql6", "libqt6serialport6", "libqt6charts6", "libqt6printsupport6",
                    "libqt6sql6-sqlite"]


def version_text(description, comments, internal_name, program):
    """What `program --version` prints: the edition's whole version block."""
    fields = [("ProductName", "KORVANE"), ("FileDescription", description), ("Comments", comments),
              ("InternalName", internal_name), ("OriginalFilename", program), ("CompanyName", "KORVANE"),
              ("LegalCopyright", "KORVANE"), ("LegalTrademarks", "KORVANE"),
              ("FileVersion", "1.20 (1.20.0.0)"), ("ProductVersion", "1.20 (1.20.0.0)"),
              ("Language", "US English, Unicode")]
    return f"KORVANE 1.20\n{description}\n{comments}\n" + "".join(f"{k}: {v}\n" for k, v in fields)


EDITIONS = {
    "korvane": {
        "folder": "/usr/share/korvane/en",
        "Name": "KORVANE (English)",
        "GenericName": "Blood Pressure Data Check",
        "Comment": "Read an ambulatory blood-pressure recorder, and list, chart and print its readings",
        "version": version_text("Blood Pressure Data Check ", "English Version", "KORVANE", "korvane"),
    },
    "korvaneg": {
        "folder": "/usr/share/korvane/de",
        "Name": "KORVANE (Deutsch)",
        "GenericName": "Blutdruckdaten Auswertung",
        "Comment": "Langzeit-Blutdruckrekorder auslesen, Messwerte auflisten, als Grafik zeigen und drucken",
        "version": version_text("Blutdruckdaten Auswertung", "Deutsche Version", "KORVANEG", "korvaneg"),
    },
}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def build_package(build_dir, out_dir):
    result = run(["cpack", "--config", os.path.join(build_dir, "CPackConfig.cmake"), "-B", out_dir],
                 cwd=build_dir)
    if result.returncode != 0:
        sys.exit("cpack failed:\n" + result.stdout + result.stderr)
    arch = run(["dpkg", "--print-architecture"]).stdout.strip()
    deb = os.path.join(out_dir, f"korvane_1.20_{arch}.deb")
    if not os.path.isfile(deb):
        sys.exit(f"no {os.path.basename(deb)} in {os.listdir(out_dir)}")
    return deb


def check_contents(deb):
    listing = run(["dpkg-deb", "-c", deb]).stdout.splitlines()
    files = set()
    for line in listing:
        kind, path = line[0], line.split(None, 5)[5].split(" -> ")[0]
        if kind != "d":
            files.add(path.removeprefix("./"))
    check(files == EXPECTED_FILES,
          f"package files: missing {sorted(EXPECTED_FILES - files)}, extra {sorted(files - EXPECTED_FILES)}")

    fields = {name: run(["dpkg-deb", "-f", deb, name]).stdout.strip()
              for name in ("Package", "Version", "Depends")}
    check(fields["Package"] == "korvane" and fields["Version"] == "1.20", f"package fields {fields}")
    depends = {alternative.split()[0] for alternative in fields["Depends"].replace("|", ",").split(",")}
    missing = [name for name in EXPECTED_DEPENDS if name not in depends]
    check(not missing, f"Depends lacks {missing}: {fields['Depends']}")


def desktop_entry(root, program):
    path = os.path.join(root, "usr/share/applications", program + ".desktop")
    validation = run(["desktop-file-validate", path])
    check(validation.returncode == 0 and not validation.stdout.strip(),
          f"desktop-file-validate {program}.desktop: {validation.stdout}{validation.stderr}")
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    return parser["Desktop Entry"]


def check_launcher(root, program, edition):
    entry = desktop_entry(root, program)
    for key in ("Name", "GenericName", "Comment"):
        check(entry.get(key) == edition[key], f"{program}.desktop {key}={entry.get(key)!r}")
    check(entry.get("Exec") == program, f"{program}.desktop Exec={entry.get('Exec')!r}")
    check(entry.get("Path") == edition["folder"], f"{program}.desktop Path={entry.get('Path')!r}")
    check("MedicalSoftware" in entry.get("Categories", "").split(";"), f"{program}.desktop Categories")
    icon = os.path.join(root, "usr/share/icons/hicolor/scalable/apps", entry.get("Icon", "") + ".svg")
    check(os.path.isfile(icon), f"{program}.desktop Icon={entry.get('Icon')!r} has no icon file")

    program_path = os.path.join(root, "usr/bin", entry["Exec"])
    # The version needs no window system at all.
    plain = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    version = run([program_path, "--version"], env=plain)
    check(version.returncode == 0 and version.stdout == edition["version"],
          f"{program} --version gave {version.returncode} {version.stdout!r}")

    # Started as the launcher starts it: in its Path folder.
    folder = os.path.join(root, entry["Path"].lstrip("/"))
    headless = dict(plain, QT_QPA_PLATFORM="offscreen")
    started = run([program_path, "--check-install"], cwd=folder, env=headless)
    expected = [f"template: {folder}/new.amb", f"help file: {folder}/KORVANE.chm"]
    if program == "korvaneg":
        expected.append("Qt translations: /usr/share/qt6/translations/qtbase_de.qm")
    check(started.returncode == 0 and started.stdout.splitlines() == expected,
          f"{program} --check-install in {folder}: {started.returncode} {started.stdout!r} {started.stderr!r}")

    # Elsewhere it says what it misses; in the other edition's folder, the
    # template is of the wrong edition.
    elsewhere = run([program_path, "--check-install"], cwd=root, env=headless)
    check(elsewhere.returncode == 1 and "new.amb - " in elsewhere.stdout and "KORVANE.chm - " in elsewhere.stdout,
          f"{program} --check-install outside its folder: {elsewhere.returncode} {elsewhere.stdout!r}")
    other = next(e["folder"] for p, e in EDITIONS.items() if p != program)
    crossed = run([program_path, "--check-install"], cwd=os.path.join(root, other.lstrip("/")), env=headless)
    check(crossed.returncode == 1 and "new.amb - " in crossed.stdout and "KORVANE.chm - " not in crossed.stdout,
          f"{program} --check-install in {other}: {crossed.returncode} {crossed.stdout!r}")

    # A user who may not write to the installed folder still finds a usable template.
    if os.geteuid() == 0 and shutil.which("setpriv"):
        home = tempfile.mkdtemp()
        os.chmod(home, 0o777)
        user = run(["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                    program_path, "--check-install"],
                   cwd=folder, env=dict(headless, HOME=home, XDG_RUNTIME_DIR=home, XDG_CONFIG_HOME=home))
        check(user.returncode == 0, f"{program} --check-install as nobody: {user.stdout!r} {user.stderr!r}")
        shutil.rmtree(home)


def check_lintian(deb):
    result = run(["lintian", "--fail-on", "error", deb])
    print(result.stdout, end="")
    check(result.returncode == 0, "lintian reports errors")


def main():
    arguments = argparse.ArgumentParser()
    arguments.add_argument("build_dir")
    options = arguments.parse_args()

    scratch = tempfile.mkdtemp(prefix="korvane-package.")
    try:
        os.chmod(scratch, 0o755)  # the unprivileged run must reach the root
        deb = build_package(os.path.abspath(options.build_dir), os.path.join(scratch, "out"))
        check_contents(deb)
        root = os.path.join(scratch, "root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        for program, edition in EDITIONS.items():
            check_launcher(root, program, edition)
        check_lintian(deb)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    if failures:
        sys.exit(f"{len(failures)} check(s) failed")
    print("package checks passed")


if __name__ == "__main__":
    main()
