#!/usr/bin/env bash
# Draws the README's tour pictures into docs/ with the program's own render
# command: the main window running with the steam display, the pivot paths,
# the four valve diagrams, the valve events window, the cut-off chart, the
# indicator diagram and the performance chart. Builds the program first when
# it is not there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/src/app/corvellan
[[ -x $bin ]] || "$root/tools/setup.sh"
docs=$root/docs
mkdir -p "$docs"

# The gear a little notched up in forward gear, a third of a turn on.
"$bin" render mechanism --steam --angle 120 --revarm -1.2 -o "$docs/main-window.png"
"$bin" render mechanism --paths --pivots 2,3,5,6,7,11 --angle 120 --revarm -1.2 \
  -o "$docs/pivot-paths.png"
for diagram in sine oval steam; do
  "$bin" render "$diagram" -o "$docs/$diagram.png"
done
"$bin" render ports --mode B -o "$docs/ports.png"

"$bin" render events -o "$docs/events.png"
"$bin" render cutoffs --dims "$root/examples/five-inch-gauge.dco" \
  --compare "$root/examples/five-inch-gauge-balanced.dco" -o "$docs/cutoffs.png"
# The steam in the cylinder at the default conditions.
"$bin" render indicator -o "$docs/indicator.png"
"$bin" render performance -o "$docs/performance.png"
echo "pictures in $docs"
