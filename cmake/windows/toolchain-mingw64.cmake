# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, the posix
# thread model (std::thread and std::mutex need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot and the third-party
# prefix we build (VORELKA_WINDOWS_PREFIX); programs run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} ${VORELKA_WINDOWS_PREFIX} ${VORELKA_WINDOWS_PREFIX}/qt)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORELKA_WINDOWS_PREFIX)

# Qt's build tools (moc, rcc, uic) are the host's own Qt of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# pkg-config answers for the Windows libraries only.
set(ENV{PKG_CONFIG_LIBDIR} "${VORELKA_WINDOWS_PREFIX}/lib/pkgconfig:/usr/${MINGW_TRIPLE}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
