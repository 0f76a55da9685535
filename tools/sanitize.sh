#!/usr/bin/env bash
# The sanitizer run of ./test.sh: builds into ./build-asan with AddressSanitizer
# and UndefinedBehaviorSanitizer (CORVELLAN_SANITIZE=ON), only what its tests
# need, and runs the tests without windows, the fuzz replays and the smoke
# and short soak of the whole program. Any sanitizer report fails its test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-asan"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVELLAN_SANITIZE=ON -DCORVELLAN_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target corvellan tests_model tests_analysis tests_steam tests_cli tests_view \
      tests_diagrams tests_platform replay_dimension_file replay_gear tests_soak
export QT_QPA_PLATFORM=offscreen
# No leak check at exit: Qt's font caches (Qt, FreeType, HarfBuzz, fontconfig)
# live until then and are reported through frames that cannot be unwound, so
# the report would say nothing about this program. Memory that grows while
# the program runs is what matters; the soak measures it.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1"
ctest --test-dir "$build" --output-on-failure --timeout 600 -j "$(nproc)" \
      -L '^(model|analysis|steam|cli|view|diagrams|platform|fuzz|soak)$'
