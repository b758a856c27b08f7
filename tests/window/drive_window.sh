# Driving the drill window from outside, as a user does: finding its
# windows by title, moving along the tab stops and reading a box through
# the clipboard. Sourced by the end-to-end scripts, which define fail.

# The id of the one visible window whose title matches PATTERN (by default
# exactly "Vorelka"); waits for it.
visible_window() {
  local pattern=${1:-^Vorelka\$} ids
  for _ in $(seq 300); do
    ids=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true)
    if [[ -n $ids ]]; then
      [[ $(wc -l <<<"$ids") -eq 1 ]] || fail "more than one window titled $pattern"
      echo "$ids"
      return
    fi
    sleep 0.1
  done
  fail "no window titled $pattern"
}

# Waits until window ID (titled as PATTERN) is no longer on show.
window_gone() {
  local pattern=${2:-^Vorelka\$}
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$pattern" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "window $1 did not close"
}

# Copies the focused widget's text with the keyboard into $text. The
# clipboard holds a marker first: a box with text replaces it, an empty box
# copies nothing, which shows once the program has had time to answer.
readonly CLIPBOARD_MARK="(nothing copied)"
copy_focused_text() {
  printf '%s' "$CLIPBOARD_MARK" | xclip -selection clipboard
  xdotool key ctrl+a ctrl+c
  for _ in $(seq 40); do
    text=$(xclip -o -selection clipboard -target UTF8_STRING 2>/dev/null || true)
    [[ $text != "$CLIPBOARD_MARK" ]] && return
    sleep 0.05
  done
  text=""
}

# Tab stops: 0 Next (focus at start), 1 Show, 2 question, 3 answer. The
# Alt mnemonics press a button without moving the focus.
focus=0
focus_stop() {
  local presses=$((($1 - focus + 4) % 4))
  while ((presses > 0)); do
    xdotool key Tab
    presses=$((presses - 1))
  done
  focus=$1
}
