#!/usr/bin/env bash
# Installs everything the build, the tests and the gallery need on a fresh Debian 12 machine (as root).
set -euo pipefail
packages=(build-essential g++ cmake ninja-build git qtbase5-dev qtbase5-dev-tools libqt5svg5
          libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format valgrind xvfb xauth
          fonts-dejavu-core libmimalloc-dev libgoogle-perftools-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
