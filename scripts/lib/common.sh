# Shared by scripts/run and scripts/test. Source it; do not run it.
set -euo pipefail

QUILLON_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QUILLON_JOBS=${QUILLON_JOBS:-2}

# Packages the program needs to build and run.
QUILLON_RUN_PACKAGES=(
  g++ cmake make pkg-config
  qt6-base-dev libicu-dev libxcb1-dev qt6-wayland qt6-l10n-tools qt6-translations-l10n
  fonts-liberation2 fonts-wqy-microhei
)
# Packages the tests, benchmarks and the screenshot under a virtual display need on top.
QUILLON_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xclip xdotool imagemagick
  libreoffice-writer-nogui python3
  pandoc python3-docutils asciidoctor
  libx11-dev procps xfce4-clipman dbus-x11 weston
  dpkg-dev file desktop-file-utils appstream groff-base libglib2.0-bin
  chromium chromium-driver python3-selenium
)

# Installs the named Debian packages that are not installed yet.
quillon_install() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# quillon_build BUILD_DIR [cmake options...]
quillon_build() {
  local dir=$1
  shift
  cmake -S "$QUILLON_ROOT" -B "$dir" "$@"
  cmake --build "$dir" -j "$QUILLON_JOBS"
}
