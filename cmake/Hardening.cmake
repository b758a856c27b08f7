# The hardening Debian gives every package it builds (dpkg-buildflags on
# bookworm), with immediate binding on top: the stack protector, glibc's
# checked string and memory functions, and a read-only relocation table.
#
# Only the plain build, which makes the package. The sanitizer builds have
# stronger checks of their own, and the checked functions would stand
# between ASan and the faults it reports. The checked functions need an
# optimizer, so a Debug build goes without them.
#
# Windows: MinGW's linker makes the program relocatable with a
# non-executable stack by default (ASLR and DEP), and its stack protector
# and checked functions would need libssp's DLL beside the program.
if(NOT VORELKA_SANITIZE AND NOT WIN32)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
    "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
