#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev zlib1g-dev libqt6svg6 qt6-translations-l10n qt6-l10n-tools
  qt6-qpa-plugins libgl-dev libxcb1-dev libxcb-shm0-dev libxcb-xkb-dev qt6-wayland
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont fluidsynth
  fonts-ipafont-gothic fontconfig libfontconfig-dev
  kdegames-card-data-kf5
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick faketime weston
  desktop-file-utils appstream dpkg-dev file procps lintian locales
  at-spi2-core dbus-daemon python3-pyatspi
  orca speech-dispatcher
)

# The end-to-end test also plays on an English and on a Japanese desktop;
# without their locales Xlib cannot encode the window titles it looks for.
locales_wanted=(en_US ja_JP)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for l in "${locales_wanted[@]}"; do
  if ! locale -a | grep -qx "$l.utf8"; then
    echo "setup: generating the locale $l.UTF-8"
    $SUDO localedef -i "$l" -c -f UTF-8 "$l.UTF-8"
  fi
done
