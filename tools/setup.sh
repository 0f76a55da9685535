#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds into ./build. Run by run.sh and test.sh.
set -euo pipefail

packages=(qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgtest-dev libgmock-dev
          libbenchmark-dev libnlopt-cxx-dev libcli11-dev nlohmann-json3-dev libboost-dev cmake ninja-build g++ pkg-config fonts-liberation2 fonts-dejavu-core
          desktop-file-utils shared-mime-info locales poppler-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo_=""
  [[ $(id -u) == 0 ]] || sudo_=sudo
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_ apt-get update -q
  $sudo_ apt-get install -y -q "${missing[@]}"
fi

# The tests read numbers under a locale whose decimal mark is a comma.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  sudo_=""
  [[ $(id -u) == 0 ]] || sudo_=sudo
  $sudo_ localedef -i de_DE -c -f UTF-8 de_DE.UTF-8 || true
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$(nproc)"
