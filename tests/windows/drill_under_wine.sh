#!/usr/bin/env bash
# The drill under Wine, driven with the keyboard as a user drives it: run
# from a folder named in Cyrillic, it reads the words.mdb beside it (never
# the current folder's), answers Next, Show and the direction menu, opens
# the shell's About box, and ends after its boxes when words.mdb is missing
# or damaged. Screenshots of the window and the About box go to
# build-windows/screenshots. Run by run_tests.sh, which sets up Wine.
set -Eeuo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
source "$here/wine_basics.sh"
source "$source_root/tests/window/drive_window.sh"

app=$work/Программы/Vorelka
pictures=$root/screenshots
rm -rf "$app" "$pictures"
mkdir -p "$(dirname "$app")" "$pictures" "$work/elsewhere"
cp -r "$stage" "$app"
"$source_root/tests/window/make_words.sh" "$linux_words" "$app/words.mdb" >"$work/pairs.tsv"
# The current folder holds a words.mdb with no pairs: read, it would stop
# the drill at once.
"$source_root/tests/window/make_words.sh" "$linux_words" "$work/elsewhere/words.mdb" --empty

pid=""
launch() {
  (cd "$work/elsewhere" && exec wine "$app/vorelka.exe" >>"$work/program.log" 2>&1) &
  pid=$!
}
ends_by_itself() {
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || {
      wait "$pid" || fail "the program ended with status $?"
      pid=""
      return
    }
    sleep 0.1
  done
  fail "the program did not end"
}

read_box() {  # read_box STOP: the text of box STOP, waiting for one that is filled
  for _ in $(seq 10); do
    focus_stop "$1"
    copy_focused_text
    [[ -n $text ]] && return
    sleep 0.2
  done
  text=""
}
russian_of() { awk -F'\t' -v e="$1" '$1 == e { print $2; exit }' "$work/pairs.tsv"; }
english_of() { awk -F'\t' -v r="$1" '$2 == r { print $1; exit }' "$work/pairs.tsv"; }
is_word() { cut -f"$1" "$work/pairs.tsv" | grep -qxF -- "$2"; }

# ------------------------------------------------------------ the drill
step "the drill from a Cyrillic folder, started elsewhere"
launch
win=$(visible_window '^Vorelka$')
xdotool windowfocus --sync "$win" || true
sleep 1
# What the boxes hold is seen, too: the Linux suite's check of the picture.
picture_check() { python3 "$source_root/tests/window/picture_check.py" "$@" >/dev/null; }
import -window "$win" "$work/first.png"
picture_check question "$work/first.png" || fail "the first card does not show as a question alone"
read_box 2
question=$text
is_word 2 "$question" || fail "first question '$question' is not a Russian word of the list"
step "  first question: $question"

step "Alt+N changes the card, Alt+W shows its answer"
before=$question
for _ in $(seq 15); do
  xdotool key alt+n
  sleep 0.3
  read_box 2
  question=$text
  [[ $question != "$before" ]] && break
done
[[ $question != "$before" ]] || fail "Alt+N never changed the question"
is_word 2 "$question" || fail "question '$question' is not a Russian word of the list"
focus_stop 3
copy_focused_text
[[ -z $text ]] || fail "the answer box holds '$text' after Next"
xdotool key alt+w
sleep 0.3
read_box 3
[[ $text == "$(english_of "$question")" ]] || fail "Alt+W showed '$text' for '$question'"
step "  $question: $text"
focus_stop 0
sleep 0.3
import -window "$win" "$pictures/drill.png"
picture_check shown "$pictures/drill.png" || fail "the answer does not show after Show"

step "Settings > English to Russian clears the card, then asks in English"
xdotool key alt+s
sleep 0.3
xdotool key e
sleep 0.5
for stop in 2 3; do
  focus_stop "$stop"
  copy_focused_text
  [[ -z $text ]] || fail "box $stop holds '$text' after the direction changed"
done
xdotool key alt+n
sleep 0.3
read_box 2
question=$text
is_word 1 "$question" || fail "after the direction menu, '$question' is not an English word"
xdotool key alt+w
sleep 0.3
read_box 3
[[ $text == "$(russian_of "$question")" ]] || fail "Alt+W showed '$text' for '$question'"
step "  $question: $text"

step "Help > About opens the shell's About box"
xdotool key alt+h
sleep 0.3
xdotool key a
about=$(visible_window '^About Vorelka$')
sleep 1
import -window "$about" "$pictures/about.png"
xdotool windowfocus --sync "$about" || true
xdotool key Return
window_gone "$about" '^About Vorelka$'
step "  'About Vorelka', closed with Enter"

step "Alt+F4 closes the window and ends the program"
xdotool windowfocus --sync "$win" || true
xdotool key alt+F4
ends_by_itself

# ------------------------------------------------------ no usable words.mdb
# Each box is copied with Ctrl+C, as Windows's message boxes allow, so its
# text can be read.
box_text() {  # box_text PICTURE: dismisses the box on show, its text into $text
  local box
  box=$(visible_window '^Vorelka$')
  xdotool windowfocus --sync "$box" || true
  sleep 0.5
  import -window "$box" "$1"
  printf '%s' "$CLIPBOARD_MARK" | xclip -selection clipboard
  xdotool key ctrl+c
  sleep 0.3
  text=$(xclip -o -selection clipboard -target UTF8_STRING 2>/dev/null || true)
  xdotool key Return
  window_gone "$box" '^Vorelka$'
}
two_boxes_then_end() {  # two_boxes_then_end NAME ERROR-TEXT
  launch
  box_text "$work/$1-1.png"
  [[ $text == *"$2"* ]] || fail "the first box says '$text'"
  box_text "$work/$1-2.png"
  [[ $text == *"No records found.  Invalid database."* ]] || fail "the second box says '$text'"
  ends_by_itself
  ! same_picture "$work/$1-1.png" "$work/$1-2.png" || fail "the two boxes look the same"
}
# The same but for a few pixels: Wine dots the focus rectangle in step with
# the screen, so a box placed elsewhere dots it from another pixel.
same_picture() {
  local differing
  differing=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  [[ $differing =~ ^[0-9]+$ ]] && ((differing <= 16))
}

step "a missing words.mdb: the error, the stop, the end"
rm "$app/words.mdb"
two_boxes_then_end missing "3024 - Could not find file"

step "a damaged words.mdb: the error, the stop, the end"
head -c 4096 /dev/urandom >"$app/words.mdb"
two_boxes_then_end damaged "3343 - "
same_picture "$work/missing-2.png" "$work/damaged-2.png" || fail "the stop box differs between the two cases"
