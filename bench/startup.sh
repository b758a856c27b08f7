#!/bin/bash
# Start-up time of the drill, from process start to the first question shown,
# measured from outside the program on a virtual X display.
#
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build, 30)
#
# Each run starts BUILD_DIR/bin/vorelka under startup_probe, which watches the
# X server: "mapped" is when the window titled Vorelka appears, "painted" when
# its first frame (the question word included: the drill fills it before the
# window is shown) has reached the screen. The program then gets SIGTERM. One
# warm-up run comes first, so that every timed run starts with the files in
# the page cache and the font cache built, as a second start does for a user.
set -euo pipefail

build=${1:-build}
runs=${2:-30}
program=$build/bin/vorelka
probe=$build/bench/startup_probe

for file in "$program" "$probe" "$build/bin/words.mdb"; do
  if [ ! -e "$file" ]; then
    echo "missing $file: build the project first (cmake --build $build)" >&2
    exit 2
  fi
done

# A display of our own, on a high number no one else is likely to pick: -br
# gives a plain black root, so an unpainted window is all one colour, and
# -noreset keeps it from resetting (and refusing clients) between runs. The
# server writes its number to fd 3 once it accepts connections.
work=$(mktemp -d)
xvfb=
trap 'if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
for _ in $(seq 20); do
  number=$((1000 + RANDOM % 30000))
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
  : >"$work/display"
  Xvfb ":$number" -displayfd 3 -screen 0 1280x1024x24 -br -noreset -nolisten tcp \
    3>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 200); do
    [ -s "$work/display" ] || ! kill -0 "$xvfb" 2>/dev/null && break
    sleep 0.02
  done
  [ -s "$work/display" ] && break
  kill "$xvfb" 2>/dev/null || true
  xvfb=
done
if [ -z "$xvfb" ]; then
  echo "Xvfb did not start" >&2
  exit 2
fi
export DISPLAY=:$number
export XDG_RUNTIME_DIR=$work
unset SESSION_MANAGER

"$probe" Vorelka "$program" >/dev/null  # warm-up

mapped=()
painted=()
for _ in $(seq "$runs"); do
  read -r m p < <("$probe" Vorelka "$program")
  mapped+=("$m")
  painted+=("$p")
done

stats() {
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
          printf "median %7.1f ms   min %7.1f ms   max %7.1f ms", m, v[1], v[NR] }'
}
echo "start-up of $program, $runs runs on $(nproc) cores:"
echo "  window mapped:        $(stats "${mapped[@]}")"
echo "  first frame painted:  $(stats "${painted[@]}")"
