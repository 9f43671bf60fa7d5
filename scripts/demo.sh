#!/usr/bin/env bash
# ./run.sh --demo: starts the recorder simulator on a pseudo-terminal, with
# its window and send key, and the program wired to it for this run only.
# Called from build/<edition>/ with the program's name (korvane, korvaneg).
#
# How the program is wired to the simulator: the program has no command
# line or environment configuration; it takes its serial port from its
# settings store only (the port name COMMPORT and, in section "Ports", the
# device each port name stands for). So the demo runs the program, and the
# simulator, with XDG_CONFIG_HOME pointing at a copy of the user's store in
# a temporary folder, and in that copy the port name in use (COMMPORT, or
# COM1 when it names no port) stands for the simulator's device. Nothing
# else in the copy changes. The user's own store is never written; whatever
# is changed during the demo (passwords, settings) goes with the copy when
# the demo ends.
set -euo pipefail

program="${1:?usage: demo.sh <program>}"
recorder=../tools/korvane-recorder
if [ ! -x "./$program" ] || [ ! -x "$recorder" ]; then
    echo "demo.sh: run from build/<edition>/ after a build (./$program and $recorder are needed)" >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "demo.sh: the demo shows two windows and needs a display" >&2
    exit 1
fi

user_store="${XDG_CONFIG_HOME:-$HOME/.config}/KORVANE/KORVANE.ini"
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/korvane-demo.XXXXXX")
simulator_pid=""

cleanup() {
    if [ -n "$simulator_pid" ]; then
        kill "$simulator_pid" 2>/dev/null || true
        wait "$simulator_pid" 2>/dev/null || true
    fi
    rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The copy of the user's settings store (passwords included, so owner only).
umask 077
mkdir -p "$run_dir/config/KORVANE"
store="$run_dir/config/KORVANE/KORVANE.ini"
if [ -f "$user_store" ]; then
    cp "$user_store" "$store"
fi

# The port name the program will use: COMMPORT when it is COM1..COM8; with
# any other name the reading window keeps port number 1, that is COM1.
port=COM1
if [ -f "$store" ]; then
    stored=$(awk '/^\[/ { inSettings = ($0 == "[Settings]") }
                  inSettings && /^COMMPORT=/ { sub(/^COMMPORT=/, ""); gsub(/"/, ""); print; exit }' "$store")
    case "$stored" in
        COM[1-8]) port="$stored" ;;
    esac
fi

# The ECG header in the layout the edition reads: German split, English
# whole bytes.
layout=split
[ "$program" = korvane ] && layout=whole

# The steps, in the edition's language: printed here and shown in the
# simulator's window, which stays visible above the maximised main window.
if [ "$program" = korvaneg ]; then
    steps="1. Anmelden (das Login-Paßwort ist kvtq1, wenn Sie es nicht geändert haben).
2. Datei > Neu, einen neuen Dateinamen eingeben und bestätigen: das Fenster Daten lesen öffnet sich.
3. Im Fenster des Rekorders SEND drücken: die Messwerte kommen einzeln an.
4. Das Fenster Daten lesen schließen und mit Ja antworten: die Messwerte werden gespeichert und aufgelistet.
EKG-Streifen (ohne Datendatei):
5. In der Symbolleiste \"EKG-Welle lesen\" (neben Beenden) drücken: das Fenster EKG-Welle lesen öffnet sich.
6. Im Fenster des Rekorders \"ECG strip\" wählen und SEND drücken: die Kopfwerte erscheinen, die Kurve läuft,
   ab dem fünften Schlag zeigt sich die Herzfrequenz."
    unchanged="Ihre eigenen Einstellungen werden durch diesen Lauf nicht geändert."
    headline="KORVANE-Demo: $port ist für diesen Lauf der simulierte Rekorder"
else
    steps="1. Log in (the login password is kvtq1 unless you changed it).
2. File > New, give a new file name and confirm: the reading window opens.
3. Press SEND in the recorder window: the readings arrive one by one.
4. Close the reading window and answer Yes: the readings are stored and listed.
ECG strip: the English edition has no command that opens the waveform window;
   run ./run.sh de --demo and press the toolbar's ECG button to see a live trace."
    unchanged="Your own settings are not changed by this run."
    headline="KORVANE demo: $port is the simulated recorder for this run"
fi

# The simulator makes the pseudo-terminal, points the port at it in the
# copy, and shows its window with the send key.
export XDG_CONFIG_HOME="$run_dir/config"
"$recorder" --window --on-top --instructions "$steps" --link "$run_dir/recorder" --register-port "$port" \
    --layout "$layout" \
    >"$run_dir/simulator.log" 2>&1 &
simulator_pid=$!
for _ in $(seq 100); do
    grep -q '^link ' "$run_dir/simulator.log" 2>/dev/null && break
    if ! kill -0 "$simulator_pid" 2>/dev/null; then
        echo "demo.sh: the simulator did not start:" >&2
        cat "$run_dir/simulator.log" >&2
        exit 1
    fi
    sleep 0.05
done
if ! grep -q '^link ' "$run_dir/simulator.log"; then
    echo "demo.sh: the simulator did not make its device in time" >&2
    exit 1
fi

echo "$headline ($(sed -n 's/^device //p' "$run_dir/simulator.log"))."
echo "$steps" | sed 's/^/  /'
echo "$unchanged"

status=0
"./$program" || status=$?
exit "$status"
