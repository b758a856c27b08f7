# The documents that go with an installed Vorelka: the manual pages, the
# bash completion of vorelka-words, and the Debian copyright file and
# changelog (/usr/share/doc/vorelka). Manual pages and changelog are
# compressed with gzip -n -9, as Debian requires: no name or time stamp in
# the header, so the package's bytes do not depend on when it was built.
find_program(GZIP_PROGRAM gzip REQUIRED)

set(VORELKA_MAINTAINER "Quorlan <vorelka@quorlan.org>")
set(vorelka_docs_dir ${CMAKE_BINARY_DIR}/package-docs)
set(vorelka_resources ${PROJECT_SOURCE_DIR}/resources)

# Copies SOURCE to <docs>/NAME and compresses it there; appends the
# resulting NAME.gz to the list OUTPUTS.
function(vorelka_gzip_doc source name outputs)
  set(plain ${vorelka_docs_dir}/${name})
  add_custom_command(
    OUTPUT ${plain}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND ${GZIP_PROGRAM} -n -9 -f ${plain}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  set(${outputs} ${${outputs}} ${plain}.gz PARENT_SCOPE)
endfunction()

set(vorelka_doc_outputs)
foreach(page vorelka vorelka-words)
  # The page names the program version in its footer.
  configure_file(${vorelka_resources}/man/${page}.1.in ${vorelka_docs_dir}/source/${page}.1 @ONLY)
  vorelka_gzip_doc(${vorelka_docs_dir}/source/${page}.1 ${page}.1 vorelka_doc_outputs)
endforeach()
vorelka_gzip_doc(${vorelka_resources}/debian/changelog changelog vorelka_doc_outputs)

# The copyright file carries the licence text of LICENSE, from its
# permission paragraph on, in the form of a Debian copyright file: every
# line indented by one space, an empty line written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE vorelka_license)
string(FIND "${vorelka_license}" "Permission is hereby granted" vorelka_terms_at)
if(vorelka_terms_at EQUAL -1)
  message(FATAL_ERROR "LICENSE holds no permission paragraph")
endif()
string(SUBSTRING "${vorelka_license}" ${vorelka_terms_at} -1 vorelka_license)
string(STRIP "${vorelka_license}" vorelka_license)
string(REGEX REPLACE "\n\n" "\n.\n" vorelka_license "${vorelka_license}")
string(REGEX REPLACE "\n" "\n " VORELKA_LICENSE_TEXT " ${vorelka_license}")
configure_file(${vorelka_resources}/debian/copyright.in ${vorelka_docs_dir}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

add_custom_target(vorelka_package_docs ALL DEPENDS ${vorelka_doc_outputs})

install(FILES ${vorelka_docs_dir}/vorelka.1.gz ${vorelka_docs_dir}/vorelka-words.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${vorelka_resources}/completion/vorelka-words
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${vorelka_docs_dir}/copyright ${vorelka_docs_dir}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorelka)
