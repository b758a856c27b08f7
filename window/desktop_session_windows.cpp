// Windows has no runtime folder to make and no session bus to launch: the
// program's start-up guards for free desktops have nothing to do here.
#include "window/runtime_folder.h"
#include "window/session_bus.h"

namespace vorelka::window {

bool IsUsableRuntimeFolder(const char*) {
  return true;
}

bool RuntimeFolderWouldBeMade() {
  return false;
}

void KeepFromMakingRuntimeFolder() {}

bool SessionBusWouldAutolaunch() {
  return false;
}

void KeepFromLaunchingSessionBus() {}

}  // namespace vorelka::window
