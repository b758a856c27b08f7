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

std::optional<std::string> Address() {
  return Variable("DBUS_SESSION_BUS_ADDRESS");
}

// A listening Unix socket at `path`, closed when the object goes.
class ListeningSocket {
 public:
  explicit ListeningSocket(const std::string& path) : fd_(socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    bound_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  }
  ~ListeningSocket() {
    if (fd_ >= 0) close(fd_);
  }
  ListeningSocket(const ListeningSocket&) = delete;
  ListeningSocket& operator=(const ListeningSocket&) = delete;
  bool bound() const { return bound_; }

 private:
  int fd_;
  bool bound_ = false;
};

class SessionBusTest : public ::testing::Test {
 protected:
  QTemporaryDir runtime_;
  std::string RuntimePath() const { return runtime_.path().toStdString(); }
};

TEST_F(SessionBusTest, NoBusAnywhere_AddressIsSetToOneThatLaunchesNothing) {
  ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
  ScopedVariable runtime("XDG_RUNTIME_DIR", RuntimePath());
  EXPECT_TRUE(SessionBusWouldAutolaunch());
  KeepFromLaunchingSessionBus();
  EXPECT_EQ(Address(), std::string(kNoSessionBusAddress));
  EXPECT_FALSE(SessionBusWouldAutolaunch());
}

TEST_F(SessionBusTest, NoRuntimeFolder_AddressIsSet) {
  for (const std::optional<std::string>& value :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
    ScopedVariable runtime("XDG_RUNTIME_DIR", value);
    KeepFromLaunchingSessionBus();
    EXPECT_EQ(Address(), std::string(kNoSessionBusAddress));
  }
}

TEST_F(SessionBusTest, AFileNamedBusIsNoBus) {
  std::ofstream(RuntimePath() + "/bus") << "not a socket";
  ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
  ScopedVariable runtime("XDG_RUNTIME_DIR", RuntimePath());
  KeepFromLaunchingSessionBus();
  EXPECT_EQ(Address(), std::string(kNoSessionBusAddress));
}

TEST_F(SessionBusTest, AddressInEnvironment_IsLeftAsItIs) {
  for (const char* given : {"unix:path=/run/user/1000/bus", "autolaunch:", ""}) {
    ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", std::string(given));
    ScopedVariable runtime("XDG_RUNTIME_DIR", RuntimePath());
    EXPECT_FALSE(SessionBusWouldAutolaunch()) << given;
    KeepFromLaunchingSessionBus();
    EXPECT_EQ(Address(), std::string(given));
  }
}

TEST_F(SessionBusTest, UserBusSocket_IsLeftForLibdbusToFind) {
  ListeningSocket bus(RuntimePath() + "/bus");
  ASSERT_TRUE(bus.bound());
  ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
  ScopedVariable runtime("XDG_RUNTIME_DIR", RuntimePath());
  EXPECT_FALSE(SessionBusWouldAutolaunch());
  KeepFromLaunchingSessionBus();
  EXPECT_EQ(Address(), std::nullopt);
}

}  // namespace
}  // namespace vorelka::window
