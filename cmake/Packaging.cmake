# A Debian package of the install layout (cmake/Install.cmake): `make
# package`, or `cpack -G DEB` in the build folder.
#
# dpkg-shlibdeps (dpkg-dev) works out the shared-library dependencies of the
# program and the tool: the Qt 6 runtime (libqt6widgets6, libqt6gui6,
# libqt6core6), libmdb3 and the C/C++ runtime. fonts-liberation is named
# by hand: the word boxes ask for Times New Roman, which Liberation Serif
# stands in for, and no library link shows that.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorelka)
set(CPACK_PACKAGE_VENDOR Quorlan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vocabulary drill for learners of Russian")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Vorelka draws a random word pair from its word list (a Jet database, "
  "words.mdb) and shows one word as the question and, on request, the other "
  "as the answer, Russian to English or English to Russian. The package also "
  "holds vorelka-words, which builds a word list from a tab-separated file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER Quorlan)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")

include(CPack)
