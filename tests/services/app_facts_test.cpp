#include <gtest/gtest.h>

#include <filesystem>

#include "services/app_facts.h"

namespace vorelka::services {
namespace {

TEST(FolderOfExecutable, DropsTheFileNameAndItsSeparatorButKeepsTheRoot) {
  EXPECT_EQ(FolderOfExecutable("/opt/vorelka/bin/vorelka"), "/opt/vorelka/bin");
  EXPECT_EQ(FolderOfExecutable("/vorelka"), "/");
}

// Its "Path not found" when the link cannot be read is pinned by the store's
// contract test, which must open nothing then.
TEST(ProcessAppFacts, NamesTheFolderOfTheRunningProgram) {
  EXPECT_EQ(ProcessAppFacts().Folder(),
            std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
}

}  // namespace
}  // namespace vorelka::services
