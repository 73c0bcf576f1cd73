#!/usr/bin/env bash
# Installs every Debian package that building, testing and the default data need.
# Idempotent and quiet on success: packages already present are not touched.
set -euo pipefail

packages=(
  # build
  cmake g++ ninja-build make pkg-config
  # GUI (and Qt's own German texts: standard buttons, file dialogs)
  qt6-base-dev libqt6opengl6-dev qt6-translations-l10n
  # 3D
  libgl-dev libglu1-mesa-dev
  # HTTP (and the certificates that HTTPS downloads are checked against)
  libcurl4-openssl-dev ca-certificates
  # tests (locales: the German numeric locale of the locale-independence tests)
  libgtest-dev libgmock-dev xvfb xauth x11-utils python3-sgp4 locales
  # the export editor's print test reads its PDF back
  poppler-utils
  # the map labels' font, metric-compatible with the one the maps were laid out for
  fonts-liberation2
  # benchmarks
  libbenchmark-dev valgrind xdotool x11-apps
  # fuzzing
  clang libclang-rt-14-dev
  # default data
  xplanet-images openuniverse-common tzdata gmt gmt-gshhg-low
  # picture files: SVG drawing for metafiles, EMF and WMF converters, a font for WMF text,
  # and netpbm's converters for the reader tests
  qt6-svg-dev libemf2svg-dev libwmf-dev fonts-dejavu-core netpbm
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The tests check that a German numeric locale (decimal comma) does not leak into files.
ensure_german_locale() {
  locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && return 0
  command -v localedef >/dev/null 2>&1 || return 0
  $sudo localedef -i de_DE -c -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 ||
    echo "setup-deps: could not generate de_DE.UTF-8; its tests will fail" >&2
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  ensure_german_locale
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { $sudo apt-get update -q && $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "setup-deps: could not install: ${missing[*]}" >&2
  exit 1
fi
ensure_german_locale
