// libmdb's C header. Debian's 1.0 header includes <glib.h> inside its own
// extern "C" block, which glib's C++ parts do not survive: glib comes first.
#pragma once

// clang-format off
#include <glib.h>
#include <mdbtools.h>
// clang-format on
