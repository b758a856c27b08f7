#!/bin/bash
# The bash completion of vorelka-words: what Tab offers after each part of a
# command line, in a folder holding a word list of each kind, a database,
# another file and a subfolder.
#
#   completion_test.sh COMPLETION_FILE
set -uo pipefail

completion=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch list.tsv list.csv words.mdb notes.txt "my words.mdb"
mkdir lists

# shellcheck source=/dev/null
source "$completion" || { echo "FAIL: cannot source $completion"; exit 1; }

failures=0
# expect "WORDS BEFORE THE CURSOR" "WORD AT THE CURSOR" "OFFERS, SORTED, |-SEPARATED"
expect() {
  local -a words
  read -r -a words <<<"$1"
  COMP_WORDS=("${words[@]}" "$2")
  COMP_CWORD=${#words[@]}
  COMPREPLY=()
  _vorelka_words
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | paste -sd'|')
  if [[ $got != "$3" ]]; then
    echo "FAIL: [$1] [$2]: offered '$got', expected '$3'"
    ((failures++))
  fi
}

# Commands and the tool's own options.
expect "vorelka-words" "" "--help|--version|build|check|count|list|show"
expect "vorelka-words" "c" "check|count"
expect "vorelka-words" "--v" "--version"
expect "vorelka-words frob" "" ""

# Each command's options.
expect "vorelka-words build list.tsv" "-" "--dry-run|--english|--english-field|--format|--help|--output|--russian|--russian-field|-o"
expect "vorelka-words build deck.apkg --english-field" "" ""
expect "vorelka-words list" "--" "--help|--table"
expect "vorelka-words check" "--t" "--table"
expect "vorelka-words count" "-" "--help"
expect "vorelka-words show words.mdb 3" "--" "--english|--help|--russian"

# Option values.
expect "vorelka-words build list.tsv --format" "" "jet3|jet4"
expect "vorelka-words build list.tsv --format" "jet3" "jet3"
expect "vorelka-words list --table" "" ""
expect "vorelka-words build list.tsv -o" "" "lists|my words.mdb|words.mdb"

# Files: word lists for build, databases for the others, folders always;
# nothing once the file is given.
expect "vorelka-words build" "" "list.csv|list.tsv|lists|notes.txt"
expect "vorelka-words list" "" "lists|my words.mdb|words.mdb"
expect "vorelka-words check" "my" "my words.mdb"
expect "vorelka-words show --russian" "" "lists|my words.mdb|words.mdb"
expect "vorelka-words list --table Words" "w" "words.mdb"
expect "vorelka-words list words.mdb" "" ""
expect "vorelka-words show words.mdb" "" ""
expect "vorelka-words build list.tsv -o words.mdb" "" ""

((failures == 0)) || exit 1
echo "all completions as expected"
