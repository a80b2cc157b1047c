# Shared by the scripts in this folder: installs missing Debian packages and builds a preset.
set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_root"

# The packages every build needs; scripts add their own. nlohmann/json writes the FHIR record.
build_packages=(g++ cmake ninja-build nlohmann-json3-dev)
# Qt 6 for the widget, its Designer plugin and the demo, with fonts for drawing without a display.
qt_packages=(qt6-base-dev qt6-tools-dev libqt6opengl6-dev qt6-qpa-plugins fonts-liberation2
    fonts-dejavu-core)
# Debian's emscripten for the WebAssembly build, esbuild to bundle the element's module, node to
# run its programs and tests, and Chromium and Firefox ESR for the web element's browser tests,
# which run in both. npm installs those tests' puppeteer-core; some builds of node bring their own
# npm, so Debian's is added only where there is none.
web_packages=(emscripten nodejs chromium firefox-esr esbuild)
command -v npm >/dev/null || web_packages+=(npm)
# MinGW-w64 for Ruvo.ocx (widl is in mingw-w64-tools); 64-bit Wine, with the OLE interface
# definitions of libwine-dev, and Xvfb to run its tests. Never wine32: this kernel cannot run it.
# python3 finishes the type library; NSIS makes the installer.
windows_packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine64
    libwine-dev xvfb xauth xdotool python3 nsis)

# ensure_packages NAME...: installs those of the named Debian packages that are missing, as root
# or through sudo.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install ${missing[*]}" >&2; exit 1; }
        as_root=(sudo)
    fi
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build PRESET [CMAKE_ARGS...]: configures and builds a preset of CMakePresets.json.
build() {
    local preset=$1
    shift
    cmake --preset "$preset" "$@" >/dev/null
    cmake --build --preset "$preset"
}
