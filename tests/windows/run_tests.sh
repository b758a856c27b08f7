#!/usr/bin/env bash
# The Windows build, run under Wine (64-bit) on an X server of its own, in a
# Wine prefix of its own (build-windows/wine-prefix):
#   run_tests.sh BUILD-WINDOWS-FOLDER VERSION
# 1. vorelka-words.exe answers as the Linux build does, byte for byte, on
#    the shipped words.mdb and on Jet 3 and Jet 4 lists with Cyrillic, and
#    what its `build` writes the Linux build reads back exactly;
# 2. the drill, end to end (drill_under_wine.sh);
# 3. the installer installs, the program runs from its Start-menu shortcut,
#    and the uninstaller removes it (installer_under_wine.sh).
set -Eeuo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

if [[ -z "${VORELKA_WINE_UNDER_XVFB:-}" ]]; then
  export VORELKA_WINE_UNDER_XVFB=1
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" "$0" "$@"
fi

root=$(realpath "$1")
version=$2
here=$(dirname "$(realpath "$0")")
source_root=$(realpath "$here/../..")
linux_words=$source_root/build/bin/vorelka-words
stage=$root/stage/Vorelka
work=$root/test-work
export here root version source_root linux_words stage work

# Wine: quiet, its own prefix, and no offer to fetch Mono or Gecko.
export WINEPREFIX=$root/wine-prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$here/wine_basics.sh"
trap 'wineserver -k 2>/dev/null || true' EXIT

rm -rf "$work"
mkdir -p "$work"
step "Wine prefix"
start_wine

# ------------------------------------------------------------ the files
step "vorelka.exe carries its icon and its version record"
llvm-readobj-14 --coff-resources "$stage/vorelka.exe" >"$work/resources.txt"
grep -q 'Type: GROUP_ICON' "$work/resources.txt" && grep -q 'Type: ICON' "$work/resources.txt" ||
  fail "vorelka.exe has no icon"
python3 - "$stage/vorelka.exe" <<'PY' || fail "the version record is not 1.0.0.2, \"1.00.0002\""
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO's signature
file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, at + 8)
assert (file_ms, file_ls) == (product_ms, product_ls) == (0x00010000, 0x00000002)
for key in ("FileVersion", "ProductVersion"):
    text = (key + "\0").encode("utf-16-le")
    start = data.find(text) + len(text)
    start += start % 4  # the value begins on a 32-bit boundary
    assert data[start:start + 18] == "1.00.0002".encode("utf-16-le"), key
PY

# ------------------------------------------------------------ the tool
step "vorelka-words.exe against the Linux build"
# A list with Cyrillic, ё, guillemets and a dash, an empty word and a Null, built by the
# Linux tool in both formats; the folder and one file name are Cyrillic.
data=$work/Данные
mkdir -p "$data"
{
  printf 'Id\tEnglish\tRussian\n'
  printf '%s\n' $'1\thouse\tдом' $'2\thedgehog\tёжик' $'3\tsummary — short\tрезюме «кратко»' $'4\t\tпусто' $'5\tnull\t\\N' \
    $'6\tto read\tЧИТАТЬ'
} >"$data/words.tsv"
"$linux_words" build "$data/words.tsv" -o "$data/jet3.mdb" --format jet3 >/dev/null 2>&1
"$linux_words" build "$data/words.tsv" -o "$data/Слова.mdb" --format jet4 >/dev/null 2>&1

same_output() {  # same_output NAME ARGUMENTS...: the two builds print the same
  local name=$1
  shift
  "$linux_words" "$@" >"$work/$name.linux" 2>&1 || echo "exit $?" >>"$work/$name.linux"
  local windows_arguments=()
  for argument in "$@"; do windows_arguments+=("$(windows_path_of "$argument")"); done
  wine_run 60 "$stage/vorelka-words.exe" "${windows_arguments[@]}" >"$work/$name.windows" 2>&1 ||
    echo "exit $?" >>"$work/$name.windows"
  # A path the tool echoes reads in Windows's form there.
  for argument in "$@"; do unix_paths_in "$work/$name.windows" "$argument"; done
  cmp -s "$work/$name.linux" "$work/$name.windows" ||
    fail "$name: vorelka-words.exe $* printed otherwise:
$(diff "$work/$name.linux" "$work/$name.windows" | head -20)"
}

same_output version --version
for database in "$stage/words.mdb" "$data/jet3.mdb" "$data/Слова.mdb"; do
  name=$(basename "$database" .mdb)
  count=$("$linux_words" count "$database")
  same_output "count-$name" count "$database"
  same_output "list-$name" list "$database"
  same_output "check-$name" check "$database"
  for key in 1 "$count" 0 $((count + 1)); do
    same_output "show-$name-$key-russian" show "$database" "$key" --russian
    same_output "show-$name-$key-english" show "$database" "$key" --english
  done
  step "  $(basename "$database"): $count pairs, the same answers"
done
# What cannot be read is refused alike: no file, a folder, not a database.
same_output missing count "$data/none.mdb"
same_output folder count "$data"
same_output not-a-database count "$data/words.tsv"

step "vorelka-words.exe build, read back by the Linux build"
"$linux_words" list "$data/jet3.mdb" >"$work/expected.tsv"
"$linux_words" check "$data/jet3.mdb" 2>&1 | sed "s|$data/jet3|FILE|" >"$work/expected-check.txt" ||
  true
for format in jet3 jet4; do
  wine_run 60 "$stage/vorelka-words.exe" build "$(windows_path_of "$data/words.tsv")" \
    -o "$(windows_path_of "$data/Построено-$format.mdb")" --format "$format" >/dev/null 2>&1 ||
    fail "build --format $format under Wine failed"
  "$linux_words" list "$data/Построено-$format.mdb" >"$work/built-$format.tsv"
  cmp -s "$work/built-$format.tsv" "$work/expected.tsv" ||
    fail "the $format file built under Wine lists otherwise on Linux"
  # The check finds in it what it finds in the Linux build's (the empty
  # word and the Null), and nothing else.
  "$linux_words" check "$data/Построено-$format.mdb" 2>&1 | sed "s|$data/Построено-$format|FILE|" \
    >"$work/built-check.txt" || true
  cmp -s "$work/built-check.txt" "$work/expected-check.txt" ||
    fail "the $format file built under Wine checks otherwise on Linux"
  step "  $format: the Linux build reads back every row"
done

# ------------------------------------------------------------ the window
"$here/drill_under_wine.sh"
"$here/installer_under_wine.sh"

echo "PASS"
