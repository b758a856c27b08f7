# Install layout.
#
#   <prefix>/lib/vorelka/vorelka       the program
#   <prefix>/lib/vorelka/words.mdb     its word list, which it opens beside itself
#   <prefix>/bin/vorelka               relative link to ../lib/vorelka/vorelka
#   <prefix>/bin/vorelka-words         the word-list tool
#   <prefix>/share/applications/vorelka.desktop
#   <prefix>/share/icons/hicolor/{16x16,32x32}/apps/vorelka.png
#   <prefix>/share/metainfo/org.vorelka.Vorelka.metainfo.xml
#   <prefix>/share/man/man1/{vorelka,vorelka-words}.1.gz
#   <prefix>/share/bash-completion/completions/vorelka-words
#   <prefix>/share/doc/vorelka/{copyright,changelog.gz}
#
# The program's folder is where /proc/self/exe points, and the kernel
# resolves links there, so the program started through bin/vorelka still
# finds lib/vorelka/words.mdb. The program folder is lib/vorelka rather than
# CMAKE_INSTALL_LIBDIR, which on Debian names the multiarch library folder.
include(GNUInstallDirs)

set(VORELKA_PROGRAM_DIR lib/vorelka)
set(VORELKA_APP_ID org.vorelka.Vorelka)

install(TARGETS vorelka RUNTIME DESTINATION ${VORELKA_PROGRAM_DIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/words.mdb DESTINATION ${VORELKA_PROGRAM_DIR})

# The link is made in the build tree and installed as a link (install
# copies links as links), so it honours DESTDIR and lands in packages.
file(RELATIVE_PATH vorelka_link_target
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
  ${CMAKE_INSTALL_PREFIX}/${VORELKA_PROGRAM_DIR}/vorelka)
set(vorelka_link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${vorelka_link_dir})
file(CREATE_LINK ${vorelka_link_target} ${vorelka_link_dir}/vorelka SYMBOLIC)
install(FILES ${vorelka_link_dir}/vorelka DESTINATION ${CMAKE_INSTALL_BINDIR})

install(TARGETS vorelka-words RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A stripping install (the package's) also drops the .comment section, as
# Debian's dh_strip does: it names the compilers and nothing the program uses.
set(vorelka_binaries ${VORELKA_PROGRAM_DIR}/vorelka ${CMAKE_INSTALL_BINDIR}/vorelka-words)
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(binary ${vorelka_binaries})
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

install(FILES ${PROJECT_SOURCE_DIR}/resources/vorelka.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32)
  install(FILES ${VORELKA_ICON_DIR}/vorelka-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME vorelka.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/vorelka.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  RENAME ${VORELKA_APP_ID}.metainfo.xml)

include(PackageDocs)
