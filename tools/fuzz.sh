#!/usr/bin/env bash
# Fuzzes one target for a while: tools/fuzz.sh fuzz_gear|fuzz_dimension_file [SECONDS]
# Installs Debian's clang and its libFuzzer when missing, builds the targets
# into ./build-fuzz with the sanitizers, and fuzzes from a copy of the seed
# corpus in /tmp (the corpus in the repository stays as it is). An input that
# fails is written to /tmp/corvellan-fuzz/; once fixed, copy it into
# fuzz/regressions/ so the test suite replays it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
target=${1:?usage: tools/fuzz.sh fuzz_gear|fuzz_dimension_file [SECONDS]}
seconds=${2:-600}
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    sudo_=""
    [[ $(id -u) == 0 ]] || sudo_=sudo
    DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -q "$p"
  fi
done
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DCORVELLAN_FUZZ=ON -DCORVELLAN_SANITIZE=ON \
      -DCORVELLAN_TESTS=OFF -DCORVELLAN_BENCH=OFF >/dev/null
cmake --build "$root/build-fuzz" -j "$(nproc)" --target "$target"
work=/tmp/corvellan-fuzz
mkdir -p "$work/corpus-$target"
cp -n "$root/fuzz/corpus/${target#fuzz_}"/* "$work/corpus-$target/" || true
cd "$work"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"
# A dimension file may hold a record more than the layout, to reach the longer files.
"$root/build-fuzz/fuzz/$target" -max_len=1500 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus-$target"
