#!/usr/bin/env bash
# The built program under Xvfb at two desktop font sizes (9 and 12 pt, set
# the way a KDE desktop sets them, in kdeglobals), and at 10 pt with a
# fractional scale factor of 1.25: the form grows with the font and the
# status bar's panels are drawn whole.
#   font_size_test.sh <vorelka> <vorelka-words> [folder for the screenshots]
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

if [[ -z "${VORELKA_FONTS_WORK:-}" ]]; then
  VORELKA_FONTS_WORK=$(mktemp -d)
  export VORELKA_FONTS_WORK
  status=0
  # A session bus, as on a desktop: the KDE theme asks for one.
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" \
    dbus-run-session -- "$0" "$@" || status=$?
  rm -rf "$VORELKA_FONTS_WORK"
  exit "$status"
fi

here=$(dirname "$(realpath "$0")")
program=$(realpath "$1")
words_tool=$(realpath "$2")
shots=${3:+$(realpath -m "$3")}
work=$VORELKA_FONTS_WORK
pid=""
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; true' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir "$work/app"
cp "$program" "$work/app/vorelka"
"$here/make_words.sh" "$words_tool" "$work/app/words.mdb" >/dev/null

# shoot <points> [scale]: the window at that desktop font (and scale
# factor) into $work/<name>.png; its size into $size.
shoot() {
  local points=$1 scale=${2:-1} config="$work/config-$1" win=""
  local name=${points}pt${2:+-x$2}
  mkdir -p "$config"
  printf '[General]\nfont=Sans Serif,%s,-1,5,50,0,0,0,0,0\n' "$points" >"$config/kdeglobals"
  QT_SCALE_FACTOR=$scale XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true \
    XDG_CONFIG_HOME="$config" \
    "$work/app/vorelka" 2>>"$work/program.log" &
  pid=$!
  for _ in $(seq 200); do
    win=$(xdotool search --onlyvisible --name '^Vorelka$' 2>/dev/null | head -n1 || true)
    [[ -n $win ]] && break
    sleep 0.05
  done
  [[ -n $win ]] || fail "no window at $points pt"
  sleep 0.5
  size=$(xdotool getwindowgeometry "$win" | awk '/Geometry/ { print $2 }')
  import -window "$win" "$work/$name.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  echo "-- $points pt, scale $scale: window $size"
  /usr/bin/python3 "$here/picture_check.py" panels "$work/$name.png" ||
    fail "the status bar is cut at $points pt, scale $scale"
  if [[ -n $shots ]]; then
    mkdir -p "$shots"
    cp "$work/$name.png" "$shots/screenshot-$name.png"
  fi
}

shoot 9
small=$size
shoot 12
large=$size
((${large%x*} > ${small%x*} && ${large#*x} > ${small#*x})) ||
  fail "the window did not grow with the font: $small at 9 pt, $large at 12 pt"
shoot 10 1.25
echo "PASS"
