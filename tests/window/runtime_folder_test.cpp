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

// The fault itself, so that the cases below prove something: left alone, Qt
// makes a folder the moment it is asked.
TEST_F(RuntimeFolderTest, LeftAlone_QtMakesTheFolder) {
  ScopedVariable runtime("XDG_RUNTIME_DIR", std::nullopt);
  ScopedVariable temporary("TMPDIR", temporary_.path().toStdString());
  const QString made = RuntimeLocation();
  EXPECT_TRUE(made.startsWith(temporary_.path() + "/runtime-")) << made.toStdString();
  EXPECT_EQ(Entries(temporary_).size(), 1);
}

TEST_F(RuntimeFolderTest, NoUsableFolder_QtMakesNothing) {
  ASSERT_EQ(mkdir(Place("open").c_str(), 0755), 0);
  ASSERT_EQ(chmod(Place("open").c_str(), 0755), 0);  // past the umask
  ASSERT_EQ(mkdir(Place("good").c_str(), 0700), 0);
  ASSERT_EQ(symlink(Place("good").c_str(), Place("link").c_str()), 0);
  ASSERT_TRUE(QFile(QString::fromStdString(Place("file"))).open(QIODevice::WriteOnly));

  struct Case {
    const char* what;
    std::optional<std::string> runtime;
    std::optional<std::string> runtime_after;  // what XDG_RUNTIME_DIR holds afterwards
  };
  const Case cases[] = {
      {"unset", std::nullopt, std::nullopt},
      {"empty", "", ""},
      {"a folder that does not exist", Place("missing"), std::nullopt},
      {"a folder in one that does not exist", Place("gone/missing"), std::nullopt},
      {"a folder others may read", Place("open"), Place("open")},
      {"a symbolic link to a good folder", Place("link"), Place("link")},
      {"a file", Place("file"), Place("file")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedVariable runtime("XDG_RUNTIME_DIR", c.runtime);
    ScopedVariable temporary("TMPDIR", temporary_.path().toStdString());
    EXPECT_TRUE(RuntimeFolderWouldBeMade());
    KeepFromMakingRuntimeFolder();
    EXPECT_EQ(Variable("XDG_RUNTIME_DIR"), c.runtime_after);
    EXPECT_EQ(Variable("TMPDIR"), std::string(kNoTemporaryFolder));

    EXPECT_EQ(RuntimeLocation(), QString());
    EXPECT_EQ(Entries(temporary_), QStringList());
    EXPECT_EQ(access(Place("missing").c_str(), F_OK), -1);
    EXPECT_EQ(access(Place("gone").c_str(), F_OK), -1);
    EXPECT_EQ(Mode(Place("open")), 0755u);
  }
}

TEST_F(RuntimeFolderTest, UsableFolder_IsLeftForQtToUse) {
  ASSERT_EQ(mkdir(Place("good").c_str(), 0700), 0);
  ScopedVariable runtime("XDG_RUNTIME_DIR", Place("good"));
  ScopedVariable temporary("TMPDIR", temporary_.path().toStdString());
  EXPECT_FALSE(RuntimeFolderWouldBeMade());
  KeepFromMakingRuntimeFolder();
  EXPECT_EQ(Variable("XDG_RUNTIME_DIR"), Place("good"));
  EXPECT_EQ(Variable("TMPDIR"), temporary_.path().toStdString());
  EXPECT_EQ(RuntimeLocation().toStdString(), Place("good"));
  EXPECT_EQ(Entries(temporary_), QStringList());
  EXPECT_EQ(Mode(Place("good")), 0700u);
}

TEST(IsUsableRuntimeFolder, OnlyAPrivateFolderOfTheUser) {
  QTemporaryDir places;
  const std::string base = places.path().toStdString();
  ASSERT_EQ(mkdir((base + "/good").c_str(), 0700), 0);
  ASSERT_EQ(mkdir((base + "/sticky").c_str(), 0700), 0);
  ASSERT_EQ(chmod((base + "/sticky").c_str(), 01700), 0);
  ASSERT_EQ(mkdir((base + "/group").c_str(), 0700), 0);
  ASSERT_EQ(chmod((base + "/group").c_str(), 0750), 0);
  ASSERT_EQ(mkdir((base + "/closed").c_str(), 0700), 0);
  ASSERT_EQ(chmod((base + "/closed").c_str(), 0500), 0);
  ASSERT_EQ(symlink((base + "/good").c_str(), (base + "/link").c_str()), 0);

  EXPECT_TRUE(IsUsableRuntimeFolder((base + "/good").c_str()));
  EXPECT_TRUE(IsUsableRuntimeFolder((base + "/sticky").c_str()));  // Qt sees rwx------ too
  EXPECT_FALSE(IsUsableRuntimeFolder((base + "/group").c_str()));
  EXPECT_FALSE(IsUsableRuntimeFolder((base + "/closed").c_str()));
  EXPECT_FALSE(IsUsableRuntimeFolder((base + "/link").c_str()));
  EXPECT_FALSE(IsUsableRuntimeFolder((base + "/missing").c_str()));
  // Owned by someone else (root's own /, or / seen by anyone else).
  EXPECT_FALSE(IsUsableRuntimeFolder("/"));
}

}  // namespace
}  // namespace vorelka::window
