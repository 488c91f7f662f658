#!/bin/sh
# Installs the Debian packages the build and the tests need, only those missing.
set -eu
PACKAGES="cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev libgl-dev \
qt6-base-dev qt6-serialport-dev qt6-translations-l10n fonts-noto-cjk fonts-liberation2 fontconfig xvfb xauth socat"
missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing:$missing"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
