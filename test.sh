#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the same code
# built with the sanitizers runs the tests without windows, the fuzz replays
# and a smoke run of every window (tools/sanitize.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/tools/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure --timeout 300 -j "$(nproc)"
"$root/tools/sanitize.sh"
