#!/usr/bin/env bash
# Runs CORVELLAN (or another program) on a virtual X display, waits, and saves
# a picture of the whole screen as PNG.
#
#   tools/screenshot.sh OUT.png [SECONDS] [--keys "KEY ..."] [-- PROGRAM [ARGS...]]
#
# --keys types the keys (xdotool's names: "alt+g", "Down", "Return") one by
# one after the wait, to open a menu or a window for the picture.
# Without a program it runs build/src/app/corvellan (build it first with
# ./run.sh or tools/setup.sh). Xvfb, xauth and ImageMagick's "import" are
# installed from Debian when missing.
set -euo pipefail

usage="usage: tools/screenshot.sh OUT.png [SECONDS] [--keys \"KEY ...\"] [-- PROGRAM [ARGS...]]"
[[ $# -ge 1 ]] || { echo "$usage" >&2; exit 2; }
out=$(realpath -m "$1"); shift
seconds=3
if [[ $# -gt 0 && $1 != "--" && $1 != "--keys" ]]; then seconds=$1; shift; fi
keys=""
if [[ $# -gt 0 && $1 == "--keys" ]]; then
  [[ $# -ge 2 ]] || { echo "$usage" >&2; exit 2; }
  keys=$2; shift 2
fi
[[ $# -gt 0 && $1 == "--" ]] && shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ $# -eq 0 ]]; then set -- "$root/build/src/app/corvellan"; fi

missing=()
command -v xvfb-run >/dev/null || missing+=(xvfb)
command -v xauth >/dev/null || missing+=(xauth)
command -v import >/dev/null || missing+=(imagemagick)
[[ -z $keys ]] || command -v xdotool >/dev/null || missing+=(xdotool)
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo_=""
  [[ $(id -u) == 0 ]] || sudo_=sudo
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_ apt-get install -y -q "${missing[@]}" >/dev/null ||
    { $sudo_ apt-get update -q >/dev/null && $sudo_ apt-get install -y -q "${missing[@]}" >/dev/null; }
fi

# The program runs in the background on the virtual display; after the wait
# the screen is saved and the program ended.
shot='"${@:4}" & pid=$!; sleep "$2"
if [[ -n $3 ]]; then
  # No window manager runs here: give the program'"'"'s window the keyboard.
  win=$(xdotool search --onlyvisible --pid "$pid" | head -n 1)
  [[ -z $win ]] || xdotool windowfocus "$win"
  for k in $3; do xdotool key "$k"; sleep 0.5; done
fi
import -window root "$1"; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; true'
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$shot" shot "$out" "$seconds" "$keys" "$@"
[[ -f $out ]] || { echo "no picture taken" >&2; exit 1; }
echo "saved $out"
