// The program never autolaunches a session bus: with no bus to reach, the
// environment is told so before Qt starts; a bus that exists is left alone.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "tests/window/scoped_variable.h"
#include "window/session_bus.h"

namespace vorelka::window {
namespace {

constexpr char kAddress[] = "DBUS_SESSION_BUS_ADDRESS";
constexpr char kRuntime[] = "XDG_RUNTIME_DIR";

TEST(SessionBus, AddressIsDisabledExactlyWhenNoBusIsNamedOrAtTheUserSocket) {
  QTemporaryDir empty, with_file, with_socket;
  std::ofstream(with_file.filePath("bus").toStdString()) << "not a socket";
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, with_socket.filePath("bus").toUtf8().constData(),
               sizeof(address.sun_path) - 1);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

  const struct {
    std::optional<std::string> address, runtime;
    bool autolaunch;
  } cases[] = {
      {std::nullopt, empty.path().toStdString(), true},
      {std::nullopt, std::nullopt, true},
      {std::nullopt, with_file.path().toStdString(), true},
      {std::nullopt, with_socket.path().toStdString(), false},
      {"", std::nullopt, false},
  };
  for (const auto& c : cases) {
    ScopedVariable bus(kAddress, c.address);
    ScopedVariable runtime(kRuntime, c.runtime);
    const auto where = c.address.value_or("(unset)") + ", " + c.runtime.value_or("(unset)");
    EXPECT_EQ(SessionBusWouldAutolaunch(), c.autolaunch) << where;
    KeepFromLaunchingSessionBus();
    EXPECT_EQ(Variable(kAddress),
              c.autolaunch ? std::optional<std::string>(kNoSessionBusAddress) : c.address)
        << where;
    EXPECT_FALSE(SessionBusWouldAutolaunch()) << where;
  }
  close(fd);
}

}  // namespace
}  // namespace vorelka::window
