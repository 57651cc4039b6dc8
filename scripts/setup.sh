#!/usr/bin/env bash
# Installs everything the build, the tests and the gallery need on a fresh Debian 12 machine (as root).
set -euo pipefail
packages=(build-essential g++ cmake ninja-build git qtbase5-dev qtbase5-dev-tools libqt5svg5
          libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format valgrind xvfb xauth
          fonts-dejavu-core qtbase5-examples
          libmimalloc-dev libgoogle-perftools-dev)
packages+=(qt6-base-dev qt6-base-dev-tools libqt6svg6) # the Qt 6 build
packages+=(clang-14 libclang-rt-14-dev) # the fuzz targets (scripts/fuzz.sh)
# 32-bit builds: -m32 (multilib) and 32-bit Windows (MinGW-w64; its tests run under Wine, whose 32-bit
# half is an i386 package: the architecture is added before the package lists are read).
packages+=(g++-multilib g++-mingw-w64-i686 wine wine32)
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
