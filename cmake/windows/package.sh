#!/bin/bash
# Gathers the Windows build into a folder that runs wherever it is put, and
# makes the two things handed to a Windows user from it:
#   build-windows/Vorelka-<version>-win64.zip     the folder Vorelka\, zipped
#   build-windows/Vorelka-<version>-setup.exe     an NSIS installer
# The DLLs are found by walking the import tables of the programs and of
# the Qt plugins they load, so nothing is listed by hand but the plugins.
#
#   package.sh BUILD-WINDOWS-FOLDER VERSION
set -euo pipefail

root=$(cd "$1" && pwd)
version=$2
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)
triple=x86_64-w64-mingw32
prefix=$root/third-party/prefix
bin=$root/vorelka/bin
stage=$root/stage/Vorelka
dll_folders=("$prefix/qt/bin" "$prefix/bin" "/usr/$triple/lib" "/usr/lib/gcc/$triple/12-posix")

zip_file=$root/Vorelka-$version-win64.zip
setup_file=$root/Vorelka-$version-setup.exe
# Nothing to do when both are newer than everything they are made of.
if [[ -e $zip_file && -e $setup_file ]] &&
  [[ -z $(find "$bin" "$prefix" "$here" "$source_root/resources/windows" "$source_root/LICENSE" \
    -newer "$zip_file" -print -quit) ]]; then
  echo "$zip_file and $setup_file are up to date"
  exit 0
fi

rm -rf "$root/stage"
mkdir -p "$stage/platforms" "$stage/styles"
cp "$bin/vorelka.exe" "$bin/vorelka-words.exe" "$bin/words.mdb" "$stage/"
cp "$prefix/qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$prefix/qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$source_root/LICENSE" "$stage/LICENSE.txt"
cp "$source_root/resources/windows/README.txt" "$stage/README.txt"
# Windows's own tools read these with CR LF line ends.
sed -i 's/$/\r/' "$stage/LICENSE.txt" "$stage/README.txt"
mkdir -p "$stage/licences"
cp -r "$prefix/licences/." "$stage/licences/"
mkdir -p "$stage/licences/zlib" "$stage/licences/mingw-w64"
cp /usr/share/doc/libz-mingw-w64/copyright "$stage/licences/zlib/copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$stage/licences/mingw-w64/copyright.txt"

# Copies every DLL that a file in the stage imports and that is one of ours
# to ship (the system's own DLLs are in none of dll_folders), until no new
# one turns up.
imports_of() { "$triple-objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
while :; do
  added=0
  while IFS= read -r -d '' file; do
    for dll in $(imports_of "$file"); do
      [ -e "$stage/$dll" ] && continue
      for folder in "${dll_folders[@]}"; do
        if [ -e "$folder/$dll" ]; then
          cp "$folder/$dll" "$stage/"
          added=1
          break
        fi
      done
    done
  done < <(find "$stage" \( -name '*.exe' -o -name '*.dll' \) -print0)
  [ "$added" = 0 ] && break
done
"$triple-strip" --strip-unneeded "$stage"/*.dll "$stage"/*/*.dll "$stage"/*.exe

rm -f "$zip_file"
(cd "$root/stage" && zip -q -r -X -9 "$zip_file" Vorelka)

# The installer lists each file it installs, so that the uninstaller removes
# exactly those and never a folder's other contents.
files_nsh=$root/stage/files.nsh
uninstall_nsh=$root/stage/uninstall_files.nsh
: >"$files_nsh"
: >"$uninstall_nsh"
(cd "$stage" && find . -type d ! -name . | sed 's|^\./||' | sort) | while read -r folder; do
  echo "CreateDirectory \"\$INSTDIR\\${folder//\//\\}\"" >>"$files_nsh"
done
(cd "$stage" && find . -type f | sed 's|^\./||' | sort) | while read -r file; do
  windows_name=${file//\//\\}
  folder=$(dirname "$file")
  if [ "$folder" = . ]; then folder=; else folder="\\${folder//\//\\}"; fi
  echo "SetOutPath \"\$INSTDIR$folder\"" >>"$files_nsh"
  echo "File \"$stage/$file\"" >>"$files_nsh"
  echo "Delete \"\$INSTDIR\\$windows_name\"" >>"$uninstall_nsh"
done
(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | sort -r) | while read -r folder; do
  echo "RMDir \"\$INSTDIR\\${folder//\//\\}\"" >>"$uninstall_nsh"
done
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -NOCD -DVERSION="$version" -DFILES="$files_nsh" -DUNINSTALL_FILES="$uninstall_nsh" \
  -DSIZE_KB="$size_kb" -DICON="$root/vorelka/resources/icons/vorelka.ico" \
  -DOUT="$setup_file" "$source_root/resources/windows/vorelka.nsi"

echo "Made $zip_file ($(du -k "$zip_file" | cut -f1) KiB)"
echo "Made $setup_file ($(du -k "$setup_file" | cut -f1) KiB)"
