#!/usr/bin/env bash
# The built program, end to end, on an X server of its own (Xvfb, no window
# manager), driven with the keyboard:
#   end_to_end.sh <vorelka> <vorelka-words> [screenshot.png]
# make_words.sh writes a words.mdb and prints its pairs ("English<TAB>Russian").
# The program is copied into a temporary folder: it reads words.mdb beside
# itself.
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

if [[ -z "${VORELKA_E2E_UNDER_XVFB:-}" ]]; then
  export VORELKA_E2E_UNDER_XVFB=1
  # A server number of its own: other suites may start Xvfb at the same time.
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" "$0" "$@"
fi

here=$(dirname "$(realpath "$0")")
source "$here/drive_window.sh"
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

program=$(realpath "$1")
words_tool=$(realpath "$2")
screenshot=${3:+$(realpath -m "$3")}

work=$(mktemp -d)
pid=""
cleanup() {
  if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [[ -s $work/program.log ]]; then
    echo "-- the program's standard error:" >&2
    cat "$work/program.log" >&2
  fi
  exit 1
}
step() { echo "-- $*"; }

# The keys of the mnemonics, as the US layout names them.
KEY_N=n KEY_W=w

launch() {
  "$work/app/vorelka" 2>>"$work/program.log" &
  pid=$!
}

# Waits for the program to end by itself and checks it ended with status 0.
ends_with_status_0() {
  local status=0
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || status=$?
      pid=""
      [[ $status == 0 ]] || fail "exit status $status after the stop"
      return
    fi
    sleep 0.05
  done
  fail "the program did not end"
}

mkdir "$work/app"
cp "$program" "$work/app/vorelka"

# ---------------------------------------------------------------- the drill
step "drill over a words.mdb beside the program"
"$here/make_words.sh" "$words_tool" "$work/app/words.mdb" >"$work/pairs.tsv"
launch
win=$(visible_window)
[[ $(xdotool getwindowname "$win") == "Vorelka" ]] || fail "caption is not Vorelka"
xdotool windowfocus --sync "$win"
sleep 0.2

read_question() { focus_stop 2 && copy_focused_text && question=$text; }
read_answer() { focus_stop 3 && copy_focused_text && answer=$text; }
# Every pair of the list has words: an empty read means the program has
# not caught up yet (a button clicks 100 ms after its key).
read_filled_question() {
  for _ in $(seq 10); do
    read_question
    [[ -n $question ]] && return
  done
  fail "the question box stayed empty"
}
read_filled_answer() {
  for _ in $(seq 10); do
    read_answer
    [[ -n $answer ]] && return
  done
  fail "the answer box stayed empty"
}
english_of() { awk -F'\t' -v r="$1" '$2 == r { print $1; exit }' "$work/pairs.tsv"; }
is_russian_word() { cut -f2 "$work/pairs.tsv" | grep -qxF -- "$1"; }

# Presses Alt+N until the question changes (keys repeat at random).
next_changes_question() {
  local before=$question
  for _ in $(seq 15); do
    xdotool key "alt+$KEY_N"
    sleep 0.25
    read_filled_question
    if [[ $question != "$before" ]]; then
      is_russian_word "$question" || fail "question '$question' is not a Russian word of the list"
      return
    fi
  done
  fail "Alt+N never changed the question from '$before'"
}

# Alt+W shows the English word of the question on show.
show_answers_question() {
  xdotool key "alt+$KEY_W"
  sleep 0.25
  read_filled_answer
  [[ $answer == "$(english_of "$question")" ]] || fail "Alt+W showed '$answer' for '$question'"
}

read_filled_question
is_russian_word "$question" || fail "first question '$question' is not a Russian word of the list"
step "first question: $question"

next_changes_question
step "Alt+N: $question"
read_answer
[[ -z $answer ]] || fail "answer box not empty after Next"
show_answers_question
step "Alt+W: $answer"

if [[ -n $screenshot ]]; then
  mkdir -p "$(dirname "$screenshot")"
  focus_stop 0
  sleep 0.3
  import -window "$win" "$screenshot"
  step "screenshot: $screenshot"
fi

step "layouts us,ru with the ru group active"
# xdotool presses a key of another group with that group locked for the
# press: Cyrillic_te is the N key, Cyrillic_tse the W key, Cyrillic_ef the A
# key, each reported by the X server with the ru group active.
setxkbmap -layout us,ru
focus_stop 3
xdotool key ctrl+a Cyrillic_ef # replaces the selected answer
sleep 0.2
read_answer
[[ $answer == "ф" ]] || fail "the A key under ru typed '$answer'"
KEY_N=Cyrillic_te KEY_W=Cyrillic_tse
next_changes_question
step "Alt+N under ru: $question"
show_answers_question
step "Alt+W under ru: $answer"
setxkbmap -layout us

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""

# ------------------------------------------------- no words.mdb beside it
# Message boxes are told apart by their pictures: the stop box of an empty
# table must look exactly like the second box of a missing file, and unlike
# the first one, the store's error report.

# Captures the box on show into $1, then dismisses it with Enter.
dismiss_box() {
  local picture=$1 box
  box=$(visible_window)
  [[ $(xdotool getwindowname "$box") == "Vorelka" ]] || fail "box caption is not Vorelka"
  xdotool windowfocus --sync "$box"
  sleep 0.3
  import -window "$box" "$picture"
  xdotool key Return
  window_gone "$box"
}
same_picture() {
  local differing
  differing=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  [[ $differing == 0 ]]
}

step "missing words.mdb: the store's error, then the invalid-database stop"
rm "$work/app/words.mdb"
launch
dismiss_box "$work/missing-1.png"
kill -0 "$pid" 2>/dev/null || fail "the program ended after the first box"
dismiss_box "$work/missing-2.png"
ends_with_status_0
! same_picture "$work/missing-1.png" "$work/missing-2.png" || fail "the two boxes look the same"

step "empty Words table: the stop alone"
"$here/make_words.sh" "$words_tool" "$work/app/words.mdb" --empty >/dev/null
launch
dismiss_box "$work/empty.png"
ends_with_status_0
same_picture "$work/empty.png" "$work/missing-2.png" || fail "the stop box differs between the two cases"

echo "PASS"
