# The program file's Windows version record, compiled from the generated
# resource script with llvm-rc and read back from the .res file.
#
#   cmake -DRC=llvm-rc -DSCRIPT=vorelka.rc -DICON_DIR=... -DWORK=... \
#         -DVERSION=1.0.2 -DMODULES=<cmake folder> -P check_version_record.cmake
list(APPEND CMAKE_MODULE_PATH ${MODULES})
include(VersionRecord)

function(fail text)
  message(FATAL_ERROR "${text}")
endfunction()

# The string form: two digits of minor, four of revision.
foreach(case "1.0.2=1.00.0002" "2.15.317=2.15.0317" "10.99.9999=10.99.9999")
  string(REPLACE "=" ";" case "${case}")
  list(GET case 0 version)
  list(GET case 1 expected)
  string(REPLACE "." ";" parts "${version}")
  vorelka_version_record(${parts} record)
  if(NOT record_STRING STREQUAL expected)
    fail("version ${version} reads '${record_STRING}', expected '${expected}'")
  endif()
endforeach()

# Hex of a 32-bit number as it lies in the file (little-endian).
function(le32 value out)
  math(EXPR b0 "${value} & 0xFF" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR b1 "(${value} >> 8) & 0xFF" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR b2 "(${value} >> 16) & 0xFF" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR b3 "(${value} >> 24) & 0xFF" OUTPUT_FORMAT HEXADECIMAL)
  set(hex "")
  foreach(byte ${b0} ${b1} ${b2} ${b3})
    string(SUBSTRING "${byte}" 2 -1 digits)
    vorelka_zero_pad(${digits} 2 digits)
    string(APPEND hex "${digits}")
  endforeach()
  string(TOLOWER "${hex}" hex)
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# Hex of TEXT in UTF-16LE (ASCII text only).
function(utf16 text out)
  string(HEX "${text}" ascii)
  string(REGEX REPLACE "(..)" "\\100" hex "${ascii}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

if(NOT RC)
  fail("llvm-rc was not found (Debian package llvm-14)")
endif()
file(MAKE_DIRECTORY ${WORK})
set(res ${WORK}/vorelka.res)
file(REMOVE ${res})
# llvm-rc takes an argument that starts with a slash for an option, so a
# script under /check/... would read as /C (code page); "--" ends the options.
execute_process(
  COMMAND ${RC} /no-preprocess /I ${ICON_DIR} /FO ${res} -- ${SCRIPT}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT EXISTS ${res})
  fail("${RC} could not compile ${SCRIPT}:\n${out}")
endif()
file(READ ${res} bytes HEX)

# VS_FIXEDFILEINFO: the signature 0xFEEF04BD, the structure version, then
# file version high and low words, product version high and low words.
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 revision)
math(EXPR high "(${major} << 16) | ${minor}")
math(EXPR low "${revision}")
le32(${high} high_hex)
le32(${low} low_hex)
string(FIND "${bytes}" "bd04effe" at)
if(at EQUAL -1)
  fail("${res} holds no fixed version information")
endif()
math(EXPR numbers_at "${at} + 16")
string(SUBSTRING "${bytes}" ${numbers_at} 32 numbers)
if(NOT numbers STREQUAL "${high_hex}${low_hex}${high_hex}${low_hex}")
  fail("file and product versions are ${numbers}, expected ${major}.${minor}.0.${revision} twice")
endif()

# The string table: FileVersion and ProductVersion read as the version record.
vorelka_version_record(${major} ${minor} ${revision} record)
utf16("${record_STRING}" value_hex)
foreach(key FileVersion ProductVersion)
  utf16("${key}" key_hex)
  string(REGEX MATCH "${key_hex}(0000)+${value_hex}0000" found "${bytes}")
  if(NOT found)
    fail("${key} does not read ${record_STRING}")
  endif()
endforeach()
message(STATUS "version record ${major},${minor},0,${revision}, strings ${record_STRING}")
