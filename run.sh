#!/usr/bin/env bash
# Installs what is missing, builds, and starts KORVANE.
#   ./run.sh          English edition
#   ./run.sh de       German edition
#   ./run.sh --demo   with a simulated recorder on a pseudo-terminal
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh

edition=en
demo=0
for arg in "$@"; do
    case "$arg" in
        de|--de) edition=de ;;
        en|--en) edition=en ;;
        --demo) demo=1 ;;
        *) echo "usage: ./run.sh [de] [--demo]" >&2; exit 2 ;;
    esac
done

korvane_install
korvane_build build

program=korvane
[ "$edition" = de ] && program=korvaneg

# The program looks for its data-file template in the current folder.
cd "build/$edition"
if [ "$demo" = 1 ]; then
    if [ ! -x ../../scripts/demo.sh ]; then
        echo "run.sh: the simulated recorder is not part of this build yet (scripts/demo.sh is missing)" >&2
        exit 1
    fi
    exec ../../scripts/demo.sh "$program"
fi
exec "./$program"
