# What the Wine scripts share: steps and failures, Windows paths of Unix
# files, and Wine started, run and waited for with time limits. Sourced.

step() { echo "-- $*"; }
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Z: is the Unix root in every Wine prefix.
windows_path_of() {
  if [[ $1 == /* ]]; then
    local path=${1//\//\\}
    echo "Z:$path"
  else
    echo "$1"
  fi
}

# Writes FILE back with each Windows form of PATH in its Unix form.
unix_paths_in() {
  [[ $2 == /* ]] || return 0
  python3 - "$1" "$(windows_path_of "$2")" "$2" <<'PY'
import sys
path, windows, unix = sys.argv[1:]
text = open(path, encoding="utf-8", errors="surrogateescape").read()
open(path, "w", encoding="utf-8", errors="surrogateescape").write(text.replace(windows, unix))
PY
}

# wine_run SECONDS PROGRAM ARGUMENTS...: runs a Windows program to its end.
wine_run() {
  local seconds=$1
  shift
  timeout --kill-after=5 "$seconds" wine "$@"
}

# Makes the prefix on first use and starts Wine's server and services
# before any test runs, their output going nowhere: started by a test they
# would hold its output open. The server stays until the end of the run.
# Window frames are Wine's own drawing of Windows's: no window manager runs
# here.
start_wine() {
  wineserver -k 2>/dev/null || true  # one left from an earlier run
  wineserver -w 2>/dev/null || true
  mkdir -p "$WINEPREFIX"  # the server runs in the prefix, made below on first use
  wineserver -p
  timeout 600 wineboot >/dev/null 2>&1 </dev/null || fail "wineboot could not make the prefix"
  wine_run 120 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
    >/dev/null 2>&1 </dev/null || fail "could not set Wine's window frames"
  # Windows has Times New Roman, the word boxes' face; Wine has none, and
  # the face it gives for the name draws no Latin letters. Liberation Serif
  # has its metrics (and is what the Linux package uses).
  wine_run 120 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ \
    /d 'Liberation Serif' /f >/dev/null 2>&1 </dev/null || fail "could not name the serif face"
}

# Waits until no process runs the Windows program NAME (a file name such as
# vorelka.exe), at most SECONDS; false if one is still running then.
program_ends() {
  local name=$1 tenths=$(($2 * 10))
  for _ in $(seq "$tenths"); do
    pgrep -f -- "$name" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}
