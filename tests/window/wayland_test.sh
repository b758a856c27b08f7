#!/usr/bin/env bash
# The built program under a headless Weston with Qt's Wayland platform: the
# window comes up, its first frame shows the question and not the answer,
# and the program prints nothing to its standard error. Then, at a 12 pt
# desktop font and a scale factor of 1.25, the status bar is drawn whole.
#   wayland_test.sh <vorelka> <vorelka-words>
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

# A session bus for the second run: the desktop font is set as KDE sets it,
# and Qt's KDE theme reads it only under a bus. The first run leaves it out.
if [[ -z ${VORELKA_WAYLAND_BUS:-} ]]; then
  VORELKA_WAYLAND_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

here=$(dirname "$(realpath "$0")")
program=$(realpath "$1")
words_tool=$(realpath "$2")

work=$(mktemp -d)
weston_pid="" pid=""
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  [[ -n $weston_pid ]] && kill "$weston_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  for log in weston.log program.log; do
    if [[ -s $work/$log ]]; then
      echo "-- $log:" >&2
      tail -n 20 "$work/$log" >&2
    fi
  done
  exit 1
}

mkdir -m 700 "$work/runtime"
mkdir "$work/app" "$work/home" "$work/shots" "$work/config"
cp "$program" "$work/app/vorelka"
"$here/make_words.sh" "$words_tool" "$work/app/words.mdb" >/dev/null

# --debug lets weston-screenshooter take its pictures. A plain blue desktop
# without weston's panel, so that a window without decoration is exactly
# what is not blue.
printf '[shell]\nbackground-color=0xff0000ff\npanel-position=none\n' >"$work/weston.ini"
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=wayland-vorelka-test
weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
  --socket="$WAYLAND_DISPLAY" --idle-time=0 --debug >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 200); do
  [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && break
  sleep 0.05
done
[[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] || fail "weston did not start"

# start_program [NAME=value...]: the program in a user's ordinary
# environment, with no session bus unless one is named.
start_program() {
  env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WAYLAND_DISPLAY="$WAYLAND_DISPLAY" QT_QPA_PLATFORM=wayland "$@" \
    "$work/app/vorelka" 2>"$work/program.log" &
  pid=$!
}

# wait_for_picture <check> <what>: takes screenshots until picture_check.py
# <check> passes: "question" on the whole screen, "panels" on the window cut
# out of it. Fails with <what> if no picture passes within ten seconds.
wait_for_picture() {
  local check=$1 what=$2 shot
  for _ in $(seq 40); do
    sleep 0.25
    kill -0 "$pid" 2>/dev/null || fail "the program ended ($what)"
    rm -f "$work/shots"/*.png
    (cd "$work/shots" && weston-screenshooter >/dev/null 2>&1) || continue
    shot=$(ls "$work/shots"/*.png 2>/dev/null | head -n1 || true)
    [[ -n $shot ]] || continue
    if [[ $check == panels ]]; then
      convert "$shot" -trim +repage "$work/picture.png"
    else
      cp "$shot" "$work/picture.png"
    fi
    if /usr/bin/python3 "$here/picture_check.py" "$check" "$work/picture.png" >"$work/check.log"; then
      cat "$work/check.log"
      return
    fi
  done
  fail "$what: $(cat "$work/check.log")"
}

# stop_program <what>: ends the program, which must have printed nothing.
stop_program() {
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  [[ ! -s $work/program.log ]] || fail "the program wrote to its standard error ($1)"
}

start_program
wait_for_picture question "no frame with the question on show"
stop_program "default font"

# 12 pt and a fractional scale, without Qt's own decoration: the window is
# cut out of the screen and its status bar checked as under X11.
printf '[General]\nfont=Sans Serif,12,-1,5,50,0,0,0,0,0\n' >"$work/config/kdeglobals"
start_program DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" XDG_CONFIG_HOME="$work/config" \
  XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true \
  QT_SCALE_FACTOR=1.25 QT_WAYLAND_DISABLE_WINDOWDECORATION=1
wait_for_picture panels "the status bar is cut at 12 pt, scale 1.25"
echo "-- 12 pt, scale 1.25: window $(identify -format '%wx%h' "$work/picture.png")"
stop_program "12 pt, scale 1.25"
echo "PASS"
