// The program never makes a runtime folder: asked for one, as it is at
// start-up, this Qt makes nothing when the environment was prepared first,
// and a usable XDG_RUNTIME_DIR is left for Qt to use.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "tests/window/scoped_variable.h"
#include "window/runtime_folder.h"

namespace vorelka::window {
namespace {

QString RuntimeLocation() {
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QStringList Entries(const QTemporaryDir& folder) {
  return QDir(folder.path())
      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

mode_t Mode(const std::string& path) {
  struct stat info {};
  lstat(path.c_str(), &info);
  return info.st_mode & 07777;
}

class RuntimeFolderTest : public ::testing::Test {
 protected:
  // Qt's temporary folder for each test: where it would make
  // runtime-<user> when no runtime folder is named.
  QTemporaryDir temporary_;
  // Things for XDG_RUNTIME_DIR to name.
  QTemporaryDir places_;
  std::string Place(const char* name) const { return places_.filePath(name).toStdString(); }
};

// A usable folder is left for Qt to use; without one, Qt makes nothing.
TEST_F(RuntimeFolderTest, QtMakesNothingAndUsesOnlyAUsableFolder) {
  ASSERT_EQ(mkdir(Place("open").c_str(), 0755), 0);
  ASSERT_EQ(chmod(Place("open").c_str(), 0755), 0);  // past the umask
  ASSERT_EQ(mkdir(Place("good").c_str(), 0700), 0);
  ASSERT_EQ(symlink(Place("good").c_str(), Place("link").c_str()), 0);
  ASSERT_TRUE(QFile(QString::fromStdString(Place("file"))).open(QIODevice::WriteOnly));

  const struct {
    const char* what;
    std::optional<std::string> runtime;
    std::optional<std::string> runtime_after;  // what XDG_RUNTIME_DIR holds afterwards
    bool usable;
  } cases[] = {
      {"unset", std::nullopt, std::nullopt, false},
      {"empty", "", "", false},
      {"a folder that does not exist", Place("missing"), std::nullopt, false},
      {"a folder in one that does not exist", Place("gone/missing"), std::nullopt, false},
      {"a folder others may read", Place("open"), Place("open"), false},
      {"a symbolic link to a good folder", Place("link"), Place("link"), false},
      {"a file", Place("file"), Place("file"), false},
      {"a private folder of the user", Place("good"), Place("good"), true},
  };
  const std::string temporary_path = temporary_.path().toStdString();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedVariable runtime("XDG_RUNTIME_DIR", c.runtime);
    ScopedVariable temporary("TMPDIR", temporary_path);
    EXPECT_EQ(RuntimeFolderWouldBeMade(), !c.usable);
    KeepFromMakingRuntimeFolder();
    EXPECT_EQ(Variable("XDG_RUNTIME_DIR"), c.runtime_after);
    EXPECT_EQ(Variable("TMPDIR"), c.usable ? temporary_path : kNoTemporaryFolder);

    EXPECT_EQ(RuntimeLocation().toStdString(), c.usable ? Place("good") : "");
    EXPECT_EQ(Entries(temporary_), QStringList());
    EXPECT_EQ(access(Place("missing").c_str(), F_OK), -1);
    EXPECT_EQ(access(Place("gone").c_str(), F_OK), -1);
    EXPECT_EQ(Mode(Place("open")), 0755u);
    EXPECT_EQ(Mode(Place("good")), 0700u);
  }
}

TEST_F(RuntimeFolderTest, IsUsableRuntimeFolder_OnlyAPrivateFolderOfTheUser) {
  const struct {
    const char* name;
    mode_t mode;
    bool usable;
  } folders[] = {{"good", 0700, true},
                 {"sticky", 01700, true},  // Qt sees rwx------ too
                 {"group", 0750, false},
                 {"closed", 0500, false}};
  for (const auto& folder : folders) {
    ASSERT_EQ(mkdir(Place(folder.name).c_str(), 0700), 0);
    ASSERT_EQ(chmod(Place(folder.name).c_str(), folder.mode), 0);
    EXPECT_EQ(IsUsableRuntimeFolder(Place(folder.name).c_str()), folder.usable) << folder.name;
  }
  ASSERT_EQ(symlink(Place("good").c_str(), Place("link").c_str()), 0);
  EXPECT_FALSE(IsUsableRuntimeFolder(Place("link").c_str()));
  EXPECT_FALSE(IsUsableRuntimeFolder(Place("missing").c_str()));
  // Owned by someone else (root's own /, or / seen by anyone else).
  EXPECT_FALSE(IsUsableRuntimeFolder("/"));
}

}  // namespace
}  // namespace vorelka::window
