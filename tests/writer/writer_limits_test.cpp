// The format's limits, which a real build reaches only at 1 or 2 GiB: here
// with a format whose file-size limit is a few pages, through the writer
// behind WordsTableBuilder.
#include <gtest/gtest.h>

#include "jet/write/words_table_writer.h"
#include "tests/writer/index_walk.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

using jet::JetFormat;

class WriterLimits : public ::testing::TestWithParam<JetFormat> {
 protected:
  void SetUp() override { small_.max_file_size = 64 * small_.page_size; }

  jet::format::Format small_ = jet::format::FormatOf(GetParam());
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "words.mdb";
};

TEST_P(WriterLimits, Add_RefusesRowsThatWouldPassTheFileSizeLimit) {
  WriteBytes(file_, "the old database");
  jet::writer::WordsTableWriter writer(file_, small_, {});
  int added = 0;
  while (writer.status().ok() && added < 100000) {
    writer.Add({added, {"a word of some length", "слово некоторой длины"}});
    ++added;
  }
  EXPECT_EQ(writer.status().message(),
            "the file would pass the " +
                std::string(GetParam() == JetFormat::kJet3 ? "Jet 3" : "Jet 4") +
                " size limit of " + (GetParam() == JetFormat::kJet3 ? "128 KiB" : "256 KiB") +
                " (64 pages of " + std::to_string(small_.page_size) + " bytes)");
  EXPECT_FALSE(writer.Finish().ok());
  EXPECT_EQ(ReadBytes(file_), "the old database");
  EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{"words.mdb"});
}

TEST_P(WriterLimits, KeyOnlyTablesPackAtMost255RowsAPageWithinTheLimit) {
  // Rows of one key alone: the most rows per page, 255 on a Jet 4 page.
  jet::writer::WordsTableWriter writer(file_, small_, {"Words", "Id", {}});
  int added = 0;
  for (; added < 3000; ++added) writer.Add({added, {}});
  ASSERT_TRUE(writer.Finish().ok()) << writer.status().message();
  EXPECT_LE(std::filesystem::file_size(file_), small_.max_file_size);
  const IndexWalk walk = WalkPrimaryKey(file_);
  EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
  EXPECT_EQ(walk.keys.size(), 3000u);
  EXPECT_EQ(RunProgram({"mdb-count", file_.string(), "Words"}).out, "3000\n");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, WriterLimits, ::testing::ValuesIn(kBothFormats),
                         FormatParamName());

}  // namespace
}  // namespace vorelka::testing
