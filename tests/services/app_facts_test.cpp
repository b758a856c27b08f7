#include <gtest/gtest.h>

#include <filesystem>

#include "services/app_facts.h"
#include "services/error.h"

namespace vorelka::services {
namespace {

TEST(FolderOfExecutable, DropsTheFileNameAndTheSeparatorBeforeIt) {
  EXPECT_EQ(FolderOfExecutable("/opt/vorelka/bin/vorelka"), "/opt/vorelka/bin");
  EXPECT_EQ(FolderOfExecutable("/home/ann/vorelka"), "/home/ann");
}

TEST(FolderOfExecutable, KeepsTheSeparatorAtTheRoot) {
  EXPECT_EQ(FolderOfExecutable("/vorelka"), "/");
}

TEST(ProcessAppFacts, NamesTheFolderOfTheRunningProgram) {
  const ProcessAppFacts facts;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(facts.Folder(), exe.parent_path().string());
  EXPECT_NE(facts.Folder().back(), '/');
}

TEST(ProcessAppFacts, RaisesPathNotFoundWhenTheProgramCannotBeLocated) {
  const ProcessAppFacts facts("/nonexistent/vorelka/self-link");
  try {
    const std::string folder = facts.Folder();
    ADD_FAILURE() << "gave a folder: " << folder;
  } catch (const ErrorRaised& raised) {
    EXPECT_EQ(raised.error().number, kErrPathNotFound);
    EXPECT_NE(raised.error().description.find("/nonexistent/vorelka/self-link"), std::string::npos)
        << raised.error().description;
  }
}

TEST(ProcessAppFacts, CarriesTheTitleAndTheBuildVersion) {
  const ProcessAppFacts facts;
  EXPECT_EQ(facts.Title(), "Vorelka");
  EXPECT_EQ(FormatVersion(facts.GetVersion()), "1.0.2");
}

TEST(FormatVersion, WritesEachPartInPlainDecimal) {
  EXPECT_EQ(FormatVersion({1, 0, 2}), "1.0.2");
  EXPECT_EQ(FormatVersion({12, 30, 4005}), "12.30.4005");
}

}  // namespace
}  // namespace vorelka::services
