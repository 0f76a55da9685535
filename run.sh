#!/usr/bin/env bash
# Installs what is missing, builds, and starts CORVELLAN on its nominal gear.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/tools/setup.sh" corvellan
cd "$root"
exec "$root/build/src/app/corvellan" "$@"
