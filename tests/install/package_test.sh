#!/bin/bash
# Builds the Debian package of a build folder and checks it with lintian,
# which must find no error and no warning. Then unpacks it into a temporary
# root and starts the packaged program through its bin link, from another
# working folder, on a virtual X server. The main window must come up on the
# packaged word list, with no message box.
#
#   package_test.sh BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail

build=$1
version=$2
source=$3
readonly kWaitSteps=150         # tenths of a second to wait for a window

work=$(mktemp -d)
pid=
cleanup() {
  if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# --- the package --------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/pkg/vorelka_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || { ls "$work/pkg"; fail "no $deb"; }

[[ $(dpkg-deb -f "$deb" Package) == vorelka ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation fonts-dejavu-core; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done
# The engine reads Jet files itself: libmdb does not come along.
for dep in libmdb3; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" && fail "Depends names $dep"
done
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ $maintainer =~ ^[^\<]+\ \<[^@\ ]+@[^@\ ]+\.[a-z]+\>$ ]] || fail "Maintainer '$maintainer' is not 'name <address>'"

# lintian's verdict, with the informational tags shown too.
echo "lintian $(lintian --version | sed 's/^Lintian v//'):"
lintian_status=0
lintian -I --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
sed 's/^/  /' "$work/lintian.log"
((lintian_status == 0)) || fail "lintian finds errors or warnings"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/lib/vorelka/vorelka usr/bin/vorelka-words; do
  [[ -x $root/$file && ! -L $root/$file ]] || fail "$file is not an executable file"
done
# Built and stripped as Debian builds its own binaries: with the stack
# protector, relocations made read-only and bound at start, and no .comment.
for file in usr/lib/vorelka/vorelka usr/bin/vorelka-words; do
  elf=$(readelf -lSdW --dyn-syms "$root/$file")
  grep -q GNU_RELRO <<<"$elf" || fail "$file has no read-only relocations"
  grep -q BIND_NOW <<<"$elf" || fail "$file is not bound at start"
  grep -q __stack_chk_fail <<<"$elf" || fail "$file has no stack protector"
  ! grep -q ' \.comment ' <<<"$elf" || fail "$file keeps its .comment section"
done
[[ -s $root/usr/lib/vorelka/words.mdb ]] || fail "no word list beside the program"
[[ -L $root/usr/bin/vorelka ]] || fail "usr/bin/vorelka is not a link"
[[ $(readlink "$root/usr/bin/vorelka") == ../lib/vorelka/vorelka ]] || fail "the link is not relative"
for file in usr/share/applications/vorelka.desktop \
  usr/share/icons/hicolor/16x16/apps/vorelka.png \
  usr/share/icons/hicolor/32x32/apps/vorelka.png \
  usr/share/metainfo/org.vorelka.Vorelka.metainfo.xml \
  usr/share/man/man1/vorelka.1.gz usr/share/man/man1/vorelka-words.1.gz \
  usr/share/bash-completion/completions/vorelka-words \
  usr/share/doc/vorelka/copyright usr/share/doc/vorelka/changelog.gz; do
  [[ -s $root/$file ]] || fail "no $file"
done

# The changelog's newest entry is this version.
doc=$root/usr/share/doc/vorelka
gzip -dc "$doc/changelog.gz" >"$work/changelog"
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$version" ]] ||
  fail "the changelog's newest entry is not $version"
# The copyright file's licence text, undone from its indented form, is the
# permission paragraph of LICENSE onwards, word for word.
sed -n '/^License: MIT$/,$p' "$doc/copyright" | sed '1,/^License: MIT$/d' |
  sed -n '/^ /!q; s/^ //; s/^\.$//; p' >"$work/license.packaged"
sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE" >"$work/license.source"
diff -u "$work/license.source" "$work/license.packaged" || fail "the copyright file's licence differs from LICENSE"

# --- the packaged program -----------------------------------------------
# Prints the ids of the visible windows titled exactly "Vorelka".
cat >"$work/windows.sh" <<'SCRIPT'
xdotool search --onlyvisible --name '^Vorelka$' 2>/dev/null || true
SCRIPT

# Runs PROGRAM from an empty folder; prints "main" when the drill window
# alone is up after a settling second, else what is on screen.
cat >"$work/start.sh" <<SCRIPT
set -u
cd "$work/elsewhere"
"\$1" >"$work/program.log" 2>&1 &
echo \$! >"$work/pid"
for _ in \$(seq $kWaitSteps); do
  [ -n "\$(bash "$work/windows.sh")" ] && break
  kill -0 \$(cat "$work/pid") 2>/dev/null || break
  sleep 0.1
done
sleep 1
ids=\$(bash "$work/windows.sh")
if ! kill -0 \$(cat "$work/pid") 2>/dev/null; then
  echo "ended"
elif [ \$(echo "\$ids" | grep -c .) -ne 1 ]; then
  echo "windows: \$(echo \$ids)"
else
  # Only the drill window has a Help menu with an About box; its size
  # follows the desktop's font, so it cannot tell the window apart.
  xdotool windowfocus --sync \$ids 2>/dev/null || true
  xdotool key --delay 100 alt+h a 2>/dev/null
  about=
  for _ in \$(seq 30); do
    about=\$(xdotool search --onlyvisible --name '^About' 2>/dev/null | head -n1)
    [ -n "\$about" ] && break
    sleep 0.1
  done
  if [ -n "\$about" ]; then
    echo main
    import -window root "$work/screen.png" 2>/dev/null || true
    xdotool windowfocus --sync "\$about" key Escape 2>/dev/null || true
  else
    echo "a window without the Help menu's About box"
  fi
fi
# Enter dismisses any message box in the way; then the program goes.
for _ in 1 2 3; do xdotool key Return 2>/dev/null; sleep 0.2; done
kill \$(cat "$work/pid") 2>/dev/null || true
SCRIPT
mkdir -p "$work/elsewhere"

outcome=$(xvfb-run -a -s "-noreset" bash "$work/start.sh" "$root/usr/bin/vorelka")
[[ $outcome == main ]] || { cat "$work/program.log"; fail "through the link: $outcome"; }
echo "through the link: the drill window came up"

# The same program without its folder's word list must not bring up the
# drill window: the run above really read the packaged words.mdb.
mkdir -p "$work/lonely"
cp "$root/usr/lib/vorelka/vorelka" "$work/lonely/"
outcome=$(xvfb-run -a -s "-noreset" bash "$work/start.sh" "$work/lonely/vorelka")
[[ $outcome != main ]] || fail "the program came up without a word list"
echo "without a word list: $outcome"
