# The program file's version record, as Windows shows it in the file's
# properties: the version string reads major, ".", minor in two digits, ".",
# revision in four digits ("1.00.0002" for 1.0.2), and the numeric file and
# product versions are major, minor, 0, revision (1,0,0,2).

# Left-pads the decimal NUMBER with zeros to WIDTH digits into OUT.
function(vorelka_zero_pad number width out)
  set(text "${number}")
  string(LENGTH "${text}" length)
  while(length LESS width)
    string(PREPEND text "0")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Sets <prefix>_STRING ("1.00.0002") and <prefix>_NUMBERS ("1,0,0,2") for
# the version MAJOR.MINOR.REVISION. Each part must fit the record's 16 bits.
function(vorelka_version_record major minor revision prefix)
  foreach(part IN ITEMS ${major} ${minor} ${revision})
    if(NOT part MATCHES "^[0-9]+$" OR part GREATER 65535)
      message(FATAL_ERROR "version part '${part}' does not fit a version record (0 to 65535)")
    endif()
  endforeach()
  vorelka_zero_pad(${minor} 2 minor_text)
  vorelka_zero_pad(${revision} 4 revision_text)
  set(${prefix}_STRING "${major}.${minor_text}.${revision_text}" PARENT_SCOPE)
  set(${prefix}_NUMBERS "${major},${minor},0,${revision}" PARENT_SCOPE)
endfunction()
