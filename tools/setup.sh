#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds into ./build. Run by run.sh and test.sh.
#
#   tools/setup.sh [TARGET...]
#
# builds the named targets only (run.sh builds just the program), or
# everything. When nothing changed it costs a fraction of a second: one
# package query, no reconfigure (Ninja reruns CMake itself when a
# CMakeLists.txt changes) and a build that finds nothing to do.
set -euo pipefail

packages=(qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgtest-dev libgmock-dev
          libbenchmark-dev libnlopt-cxx-dev libcli11-dev nlohmann-json3-dev libboost-dev cmake ninja-build g++ pkg-config fonts-liberation2 fonts-dejavu-core
          desktop-file-utils shared-mime-info locales poppler-utils)

# One query for all of them: a package dpkg does not know is missing too.
declare -A installed=()
while read -r name status; do
  [[ $status == "install ok installed" ]] && installed[${name%%:*}]=1
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [[ -n ${installed[$p]:-} ]] || missing+=("$p")
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
if [[ ! -f $root/build/build.ninja ]]; then
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
targets=()
[[ $# -gt 0 ]] && targets=(--target "$@")
cmake --build "$root/build" -j "$(nproc)" "${targets[@]}" | { grep -v -e '^ninja: no work to do\.$' -e '^\[0/[0-9]*\] Re-checking globbed directories\.\.\.$' || true; }
