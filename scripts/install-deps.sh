#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages the build, the tests and the
# program need, skipping those already installed. Run as root.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libnlopt-cxx-dev
          libxcb1-dev libgtest-dev libbenchmark-dev fonts-liberation fonts-dejavu-core xvfb xauth openbox
          x11-utils clang libclang-rt-14-dev poppler-utils desktop-file-utils appstream dpkg-dev
          libdxflib-dev python3-ezdxf)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
