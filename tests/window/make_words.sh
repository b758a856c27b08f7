#!/usr/bin/env bash
# Writes the window scripts' words.mdb with vorelka-words and prints its
# pairs, one "English<TAB>Russian" line per row:
#   make_words.sh <vorelka-words> <words.mdb> [--empty]
set -euo pipefail
list=$(mktemp --suffix=.tsv)
trap 'rm -f "$list"' EXIT
pairs=$'house\tдом\nwater\tвода\nto read\tчитать\nbook\tкнига\ncity\tгород\nfriend\tдруг\nwindow\tокно\ntree\tдерево'
[[ ${3:-} == --empty ]] && pairs=
printf 'English\tRussian\n%s\n' "$pairs" >"$list"
"$1" build "$list" -o "$2" >/dev/null
[[ -z $pairs ]] || printf '%s\n' "$pairs"
