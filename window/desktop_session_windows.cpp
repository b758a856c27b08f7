// Windows has no runtime folder to make and no session bus to launch: the
// start-up guards the program's entry calls for free desktops have nothing
// to do here.
#include "window/runtime_folder.h"
#include "window/session_bus.h"

namespace vorelka::window {

void KeepFromMakingRuntimeFolder() {}

void KeepFromLaunchingSessionBus() {}

}  // namespace vorelka::window
