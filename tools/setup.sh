#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Sourced by run.sh and test.sh; quiet and quick when everything is there.
set -euo pipefail

CURVIX_PACKAGES=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev
  python3 python3-numpy python3-scipy
  # matio's matdump, an independent reader of saved MAT files.
  matio-tools
  libwmf-bin poppler-utils fonts-liberation2
  # Installed without recommends: libwmf only recommends its Type 1 fonts, without
  # which wmf2svg and wmf2gd load no font at all.
  fonts-urw-base35
  # An independent reader of small chart text.
  tesseract-ocr tesseract-ocr-eng
  xvfb xauth locales
  # The program on a real desktop: a window manager, input, window frames and pixels;
  # the platform layer asks the window manager for frames through xcb.
  openbox xdotool x11-utils x11-apps libxcb1-dev
)

curvix_install_missing() {
  local missing=()
  for p in "${CURVIX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# A decimal-comma locale, so the tests can show that numbers in files do not
# depend on the user's locale.
curvix_comma_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE.utf8$' && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null ||
    echo "warning: could not make the de_DE.UTF-8 locale (package locales); its tests will fail"
}

# The Release build folder is shared by run.sh and test.sh, so both configure
# it with the same options.
CURVIX_RELEASE_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DCURVIX_TESTS=ON -DCURVIX_BENCH=ON)

# curvix_configure DIR [cmake options...]: quick when nothing changed.
curvix_configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
}

# curvix_build DIR [targets...]
curvix_build() {
  local dir=$1
  shift
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
}
