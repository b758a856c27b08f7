#include "window/session_bus.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace vorelka::window {
namespace {

constexpr char kAddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";

// libdbus's own fallback before it autolaunches: the per-user bus socket,
// used only when it is a socket and belongs to the user.
bool UserBusSocketExists() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || *runtime == '\0') return false;
  const std::string path = std::string(runtime) + "/bus";
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return false;
  return S_ISSOCK(info.st_mode) && info.st_uid == getuid();
}

}  // namespace

bool SessionBusWouldAutolaunch() {
  return std::getenv(kAddressVariable) == nullptr && !UserBusSocketExists();
}

void KeepFromLaunchingSessionBus() {
  if (SessionBusWouldAutolaunch()) setenv(kAddressVariable, kNoSessionBusAddress, 1);
}

}  // namespace vorelka::window
