// The program never starts a D-Bus session bus of its own.
//
// Qt reaches for the session bus at start-up (the accessibility bridge and
// the menu-bar check). With no bus named in the environment and none at the
// user's standard socket, libdbus would autolaunch one through dbus-launch:
// that writes under ~/.dbus and leaves a daemon running after the program
// ends. The program writes nothing and leaves nothing behind, so in that case
// the environment is told, before Qt starts, that there is no bus to reach;
// the accessibility bridge then simply stays off.
#pragma once

namespace vorelka::window {

// The address written into DBUS_SESSION_BUS_ADDRESS when there is no bus:
// a transport libdbus does not know, so every connection attempt fails at
// once, quietly, and nothing is launched.
inline constexpr char kNoSessionBusAddress[] = "disabled:";

// True when libdbus, asked for the session bus, would have to autolaunch
// one: DBUS_SESSION_BUS_ADDRESS is unset and $XDG_RUNTIME_DIR/bus is not a
// socket owned by this user.
bool SessionBusWouldAutolaunch();

// Run before QApplication: when SessionBusWouldAutolaunch(), sets
// DBUS_SESSION_BUS_ADDRESS to kNoSessionBusAddress. Otherwise leaves the
// environment as it is.
void KeepFromLaunchingSessionBus();

}  // namespace vorelka::window
