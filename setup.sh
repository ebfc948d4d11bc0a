#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need; does nothing
# when they are all present. Sourced by run.sh and test.sh.
PACKAGES=(cmake make g++ pkg-config qt6-base-dev libqt6opengl6-dev libgl-dev
          libpng-dev libjpeg-dev libtiff-dev zlib1g-dev libgtest-dev
          libcurl4-openssl-dev
          clang libclang-rt-14-dev fonts-dejavu-core fonts-dejavu fonts-liberation fonts-wine fontconfig xvfb xauth)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
