#!/usr/bin/env bash
# The built program as a screen reader sees it: on an X server of its own
# (Xvfb), with a private session bus and the accessibility bus behind it,
# accessible_tree.py dumps the tree and checks names, roles and relations.
#   accessibility_test.sh <vorelka> <vorelka-words>
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

if [[ -z "${VORELKA_A11Y_WORK:-}" ]]; then
  # A home of its own: the accessibility bus starts dconf, which may write
  # there.
  VORELKA_A11Y_WORK=$(mktemp -d)
  export VORELKA_A11Y_WORK HOME=$VORELKA_A11Y_WORK/home XDG_RUNTIME_DIR=$VORELKA_A11Y_WORK/runtime
  mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
  status=0
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" \
    dbus-run-session -- "$0" "$@" || status=$?
  rm -rf "$VORELKA_A11Y_WORK"
  exit "$status"
fi

here=$(dirname "$(realpath "$0")")
program=$(realpath "$1")
words_tool=$(realpath "$2")
work=$VORELKA_A11Y_WORK

mkdir "$work/app"
cp "$program" "$work/app/vorelka"
"$here/make_words.sh" "$words_tool" "$work/app/words.mdb" >/dev/null
# Debian's own Python: the AT-SPI bindings are its packages.
/usr/bin/python3 "$here/accessible_tree.py" "$work/app/vorelka"
