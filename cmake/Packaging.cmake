# A Debian package of the install layout (cmake/Install.cmake): `make
# package`, or `cpack -G DEB` in the build folder. lintian accepts it without
# an error or a warning; the package test holds it to that.
#
# dpkg-shlibdeps (dpkg-dev) works out the shared-library dependencies of the
# program and the tool: the Qt 6 runtime (libqt6widgets6, libqt6gui6,
# libqt6core6), glibc and the C/C++ runtime. The fonts are named by hand,
# as no library link shows them:
#   fonts-liberation   the word boxes ask for Times New Roman, which
#                      Liberation Serif stands in for;
#   fonts-dejavu-core  the labels, buttons and menus use the desktop's
#                      sans-serif face, and fontconfig's own rules put DejaVu
#                      Sans first for it. Without it a system that has only
#                      the Liberation faces answers sans-serif with Liberation
#                      Mono. A fontconfig rule of our own would instead change
#                      the face every program on the system gets.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorelka)
set(CPACK_PACKAGE_VENDOR Quorlan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vocabulary drill for learners of Russian")
# The control file shows these lines as they are; Debian wants them shorter
# than 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Vorelka draws a random word pair from its word list (a Jet database,\n"
  "words.mdb) and shows one word as the question and, on request, the other\n"
  "as the answer, Russian to English or English to Russian.\n"
  "\n"
  "The package also holds vorelka-words, which builds a word database from\n"
  "a tab-separated list, and lists, checks and reads word databases.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VORELKA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")

include(CPack)
