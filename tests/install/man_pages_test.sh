#!/bin/bash
# The manual pages: both format without a warning from man, and the page of
# vorelka-words describes every command its usage lists and every option
# each command's --help names, --version included.
#
#   man_pages_test.sh VORELKA_WORDS PAGE_DIR
set -uo pipefail

tool=$1
pages=$2
failures=0
fail() {
  echo "FAIL: $*"
  ((failures++))
}

for page in vorelka.1.gz vorelka-words.1.gz; do
  [[ -s $pages/$page ]] || { fail "no $pages/$page"; continue; }
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$pages/$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page: $warnings"
  # gzip -n: no name or time stamp in the header (bytes 4-7 are the time).
  [[ $(od -An -tx1 -j4 -N4 "$pages/$page" | tr -d ' ') == 00000000 ]] ||
    fail "$page is compressed with a time stamp"
done

text=$(LC_ALL=C MANWIDTH=200 man -l "$pages/vorelka-words.1.gz" 2>/dev/null | col -b)
[[ -n $text ]] || { fail "vorelka-words.1 renders empty"; exit 1; }

usage=$("$tool" --help)
commands=$(sed -n '/^Commands:/,/^$/{s/^  \([a-z][a-z]*\) .*/\1/p}' <<<"$usage")
[[ -n $commands ]] || fail "no commands in the usage: $usage"
for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$usage" | sort -u); do
  grep -qE -- "(^|[ ,])$option( |,|$)" <<<"$text" || fail "the page lacks $option"
done

for command in $commands; do
  # An entry of its own under COMMANDS, and a line in the synopsis.
  grep -qE "^ {7}$command( |$)" <<<"$text" || fail "the page has no entry for $command"
  grep -qE "^ {7}vorelka-words $command( |$)" <<<"$text" || fail "the synopsis lacks $command"
  help=$("$tool" "$command" --help)
  for option in $(grep -oE -- '(^|[ [|,])--?[a-z][a-z-]*' <<<"$help" | grep -oE -- '--?[a-z][a-z-]*' | sort -u); do
    grep -qE -- "(^|[ ,[|])$option( |,|\\]|\\||$)" <<<"$text" ||
      fail "the page lacks $command's option $option"
  done
done

((failures == 0)) || exit 1
echo "both pages format cleanly; vorelka-words.1 covers:" $commands
