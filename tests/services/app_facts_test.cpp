#include <gtest/gtest.h>

#include <filesystem>

#include "services/app_facts.h"
#include "services/error.h"

namespace vorelka::services {
namespace {

TEST(FolderOfExecutable, DropsTheFileNameAndItsSeparatorButKeepsTheRoot) {
  EXPECT_EQ(FolderOfExecutable("/opt/vorelka/bin/vorelka"), "/opt/vorelka/bin");
  EXPECT_EQ(FolderOfExecutable("/vorelka"), "/");
}

TEST(ProcessAppFacts, NamesTheFolderOfTheRunningProgramOrRaisesPathNotFound) {
  EXPECT_EQ(ProcessAppFacts().Folder(),
            std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
  try {
    const std::string folder = ProcessAppFacts("/nonexistent/vorelka/self-link").Folder();
    ADD_FAILURE() << "gave a folder: " << folder;
  } catch (const ErrorRaised& raised) {
    EXPECT_EQ(raised.error().number, kErrPathNotFound);
    EXPECT_NE(raised.error().description.find("/nonexistent/vorelka/self-link"), std::string::npos);
  }
}

TEST(FormatVersion, WritesEachPartInPlainDecimal) {
  EXPECT_EQ(FormatVersion({12, 30, 4005}), "12.30.4005");
}

}  // namespace
}  // namespace vorelka::services
