#!/usr/bin/env bash
# The built program in whole drill sessions on an X server of its own
# (Xvfb, no window manager), driven with the keyboard:
#   session_test.sh <vorelka> <vorelka-words>
#
# 1. Nothing is written: start-up, 200 presses each of Next and Show, both
#    directions from the Settings menu, the About box; then words.mdb has
#    the same bytes, size and modification time, and no file appeared
#    beside it, in HOME or in the XDG folders (all pointed into the test's
#    folder), and no D-Bus process is left behind. Run without a session
#    bus, where libdbus would autolaunch one (dbus-x11 installed), and again
#    with a bus of the test's own. Once more in a bare environment, as after
#    su or a plain X login: no XDG variables at all, so Qt has no runtime
#    folder named and would make one in TMPDIR (pointed into the test's
#    folder and compared too).
# 2. The same with words.mdb and its folder read-only. Root ignores
#    permission bits, so under root the session drops to user nobody with
#    setpriv; any other user runs it as itself.
# 3. A file replaced while the program runs is read by the next press,
#    whether copied over the old one or renamed into place; a file deleted
#    between presses gives the error box for that press, and the program
#    goes on.
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

if [[ -z "${VORELKA_SESSION_UNDER_XVFB:-}" ]]; then
  export VORELKA_SESSION_UNDER_XVFB=1
  # -ac: the session run as nobody cannot read root's X authority file.
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -ac -screen 0 1024x768x24" "$0" "$@"
fi

program=$(realpath "$1")
words_tool=$(realpath "$2")

work=$(mktemp -d)
chmod 755 "$work"
pid=""
cleanup() {
  if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; fi
  if [[ -n ${bus_pid:-} ]]; then kill "$bus_pid" 2>/dev/null || true; fi
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# make_words FILE TAG: 50 pairs "<TAG> N", the Russian with the tag in
# Cyrillic, so that a test can tell one file's words from another's.
make_words() {
  local russian
  case $2 in
    alpha) russian=альфа ;;
    omega) russian=омега ;;
    gamma) russian=гамма ;;
  esac
  {
    printf 'English\tRussian\n'
    for i in $(seq 50); do printf '%s %d\t%s %d\n' "$2" "$i" "$russian" "$i"; done
  } >"$work/$2.tsv"
  "$words_tool" build "$work/$2.tsv" -o "$1" >/dev/null 2>&1 || fail "vorelka-words build $2"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

# Windows titled exactly "Vorelka" on show: the drill and its message boxes.
vorelka_windows() { xdotool search --onlyvisible --name '^Vorelka$' 2>/dev/null || true; }
wait_for_windows() {
  for _ in $(seq 200); do
    [[ $(vorelka_windows | grep -c .) -eq $1 ]] && return 0
    sleep 0.05
  done
  fail "expected $1 window(s) titled Vorelka, saw $(vorelka_windows | grep -c .)"
}

# read_question: the question box's text into $q, copied with the keyboard
# (not in a subshell: the focus position must outlive the call).
source "$(dirname "$(realpath "$0")")/../window/drive_window.sh"
read_question() {
  focus_stop 2
  printf '' | xclip -selection clipboard
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  q=$(timeout 5 xclip -o -selection clipboard -target UTF8_STRING 2>/dev/null || true)
}

# launch <folder> <home> [user]: starts the program copied into <folder>
# with a clean environment whose HOME and XDG folders lie under <home>.
# A session bus address passed to launch; empty: none in the environment.
# bare=1: no XDG variables, and TMPDIR at <home>/tmp.
bus_address="" bare=""
launch() {
  local folder=$1 home=$2 user=${3:-}
  local -a as=() bus=() xdg=()
  [[ -n $bus_address ]] && bus=(DBUS_SESSION_BUS_ADDRESS="$bus_address")
  if [[ -n $user ]]; then
    as=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups --inh-caps=-all)
  fi
  if [[ -n $bare ]]; then
    xdg=(TMPDIR="$home/tmp")
  else
    xdg=(XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" XDG_DATA_HOME="$home/data"
      XDG_STATE_HOME="$home/state" XDG_RUNTIME_DIR="$home/runtime")
  fi
  env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$home" LANG=C.UTF-8 \
    "${xdg[@]}" "${bus[@]}" "${as[@]}" "$folder/vorelka" &
  pid=$!
  wait_for_windows 1
  win=$(vorelka_windows)
  xdotool windowfocus --sync "$win"
  focus=0
  sleep 0.3
}

stop() {
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
}

make_home() {
  mkdir -p "$1"/{config,cache,data,state,runtime,tmp}
  chmod 700 "$1/runtime"
}

# What must not change: the database's bytes, size and time stamp, and the
# lists of files beside it and under the home folder.
snapshot() {
  local folder=$1 home=$2
  stat -c '%s %.9Y' "$folder/words.mdb"
  sha256sum <"$folder/words.mdb"
  (cd "$folder" && find . | sort)
  (cd "$home" && find . | sort)
}

drill_session() {
  step "200 presses of Next and Show"
  xdotool key --delay 5 $(for _ in $(seq 200); do printf 'alt+n alt+w '; done)
  step "English to Russian, then back, from the Settings menu"
  xdotool key --delay 50 alt+s e
  xdotool key --delay 5 $(for _ in $(seq 20); do printf 'alt+n alt+w '; done)
  xdotool key --delay 50 alt+s r
  xdotool key --delay 5 $(for _ in $(seq 20); do printf 'alt+n alt+w '; done)
  step "Help > About, then Escape"
  xdotool key --delay 50 alt+h a
  local about=""
  for _ in $(seq 100); do
    about=$(xdotool search --onlyvisible --name '^About' 2>/dev/null | head -n1 || true)
    [[ -n $about ]] && break
    sleep 0.05
  done
  [[ -n $about ]] || fail "no About box"
  xdotool windowfocus --sync "$about"
  xdotool key Escape
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^About' >/dev/null 2>&1 || break
    sleep 0.05
  done
  xdotool search --onlyvisible --name '^About' >/dev/null 2>&1 && fail "the About box stayed open"
  xdotool windowfocus --sync "$win"
  read_question
  [[ -n $q ]] || fail "no question on show after the session"
  kill -0 "$pid" || fail "the program ended during the session"
}

# D-Bus processes started with the program's environment (an autolaunched
# bus inherits its HOME): none may outlive the program.
no_bus_left_behind() {
  local home=$1 p
  sleep 0.3
  for p in $(pgrep -x dbus-launch || true) $(pgrep -x dbus-daemon || true); do
    # Other users' processes cannot be read, and cannot be the program's.
    if { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qxF "HOME=$home"; then
      ps -o pid=,args= -p "$p" >&2 || true
      kill "$p" 2>/dev/null || true
      fail "a D-Bus process outlived the program"
    fi
  done
}

# session_writes_nothing <folder> <home> <what> [user]: a whole drill session
# leaves the folder and the home as they were, and no bus behind.
session_writes_nothing() {
  local folder=$1 home=$2 what=$3 user=${4:-} before after
  before=$(snapshot "$folder" "$home")
  launch "$folder" "$home" "$user"
  drill_session
  stop
  after=$(snapshot "$folder" "$home")
  [[ $before == "$after" ]] || fail "$what changed something: $(diff <(echo "$before") <(echo "$after"))"
  no_bus_left_behind "$home"
}

# ------------------------------------------------------------ nothing written
app="$work/app" home="$work/home"
mkdir "$app"
cp "$program" "$app/vorelka"
make_words "$app/words.mdb" alpha
make_home "$home"

step "session over a writable folder, no session bus"
sleep 1.1 # a write within the same second would still move the time stamp
session_writes_nothing "$app" "$home" "the session"

step "session over a writable folder, with a session bus"
bus_pid=""
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus-address" &
bus_pid=$!
for _ in $(seq 100); do
  [[ -s $work/bus-address ]] && break
  sleep 0.05
done
bus_address=$(head -n1 "$work/bus-address")
[[ -n $bus_address ]] || fail "the test's own session bus did not start"
sleep 1.1
session_writes_nothing "$app" "$home" "the session with a bus"
kill "$bus_pid"
wait "$bus_pid" 2>/dev/null || true
bus_pid="" bus_address=""
no_bus_left_behind "$home"

step "session over a writable folder, no XDG variables, no session bus"
bare=1
sleep 1.1
session_writes_nothing "$app" "$home" "the session in a bare environment"
bare=""

# ------------------------------------------------------------ read-only
reader=""
((EUID != 0)) || reader=nobody
step "session over a read-only folder${reader:+, as $reader}"
ro="$work/ro" ro_home="$work/ro_home"
mkdir "$ro"
cp "$program" "$ro/vorelka"
make_words "$ro/words.mdb" alpha
chmod 0444 "$ro/words.mdb"
chmod 0555 "$ro"
make_home "$ro_home"
[[ -z $reader ]] || chown -R "$reader": "$ro_home"
session_writes_nothing "$ro" "$ro_home" "the read-only session" "$reader"

# ------------------------------------------------------- replaced and deleted
step "a file replaced while the program runs"
launch "$app" "$home"
read_question
[[ $q == альфа* ]] || fail "first question '$q' is not from the first file"
make_words "$work/omega.mdb" omega
cp "$work/omega.mdb" "$app/words.mdb" # copied over: the same file, new bytes
xdotool key alt+n
sleep 0.3
read_question
[[ $q == омега* ]] || fail "after a copy over the file, Next showed '$q'"
make_words "$work/gamma.mdb" gamma
mv "$work/gamma.mdb" "$app/words.mdb" # renamed into place: a new file
xdotool key alt+n
sleep 0.3
read_question
[[ $q == гамма* ]] || fail "after a rename into place, Next showed '$q'"

step "a file deleted between presses"
rm "$app/words.mdb"
xdotool key alt+n
wait_for_windows 2 # the drill and the error box
box=$(vorelka_windows | grep -vx "$win")
xdotool windowfocus --sync "$box"
xdotool key Return
wait_for_windows 1
kill -0 "$pid" || fail "the program ended after the error box"
cp "$work/omega.mdb" "$app/words.mdb"
xdotool windowfocus --sync "$win"
xdotool key alt+n
sleep 0.3
read_question
[[ $q == омега* ]] || fail "after the file came back, Next showed '$q'"
stop
echo "PASS"
