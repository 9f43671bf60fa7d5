# Shared by run.sh and test.sh: install what is missing, configure, build.
# Sourced, not run.

KORVANE_PACKAGES="cmake g++ ninja-build qt6-base-dev libqt6sql6-sqlite qt6-serialport-dev \
qt6-charts-dev poppler-utils fonts-dejavu-core fonts-liberation2 xvfb sqlite3 libsqlite3-dev \
libgtest-dev libbenchmark-dev clang libclang-rt-14-dev attr fp-utils libchm-bin xchm ccache"

korvane_install() {
    local missing=()
    for p in $KORVANE_PACKAGES; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq || return 1
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" || return 1
}

korvane_build() {
    local dir="$1"; shift
    if [ ! -f "$dir/build.ninja" ]; then
        local launcher=()
        # Rebuilds of a fresh clone reuse the objects of earlier builds.
        command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" || return 1
    fi
    cmake --build "$dir" -j "$(nproc)"
}
