// vorelka-words build on each kind of source a learner brings: a KWordQuiz
// file, Anki packages of both forms, an Anki text export and a list without
// a header each become a word database the drill reads, with the pairs
// exact; --dry-run writes nothing; faults name the file and the place, exit
// non-zero and leave no database.
#include <gtest/gtest.h>

#include "tests/import/anki_package_maker.h"
#include "tests/writer/writer_test_support.h"

namespace vorelka::testing {
namespace {

const std::string kTool = VORELKA_WORDS_PROGRAM;

class BuildImport : public ::testing::Test {
 protected:
  RunResult Build(const std::string& name, const std::string& bytes,
                  std::vector<std::string> extra = {}) {
    WriteBytes(dir_ / name, bytes);
    std::vector<std::string> args = {kTool, "build", (dir_ / name).string(), "-o", db_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(args);
  }
  std::string Source(const std::string& name) const { return (dir_ / name).string(); }

  TempDir dir_;
  std::filesystem::path db_ = dir_ / "words.mdb";
};

const TestNoteType kBasic = BasicNoteType();
const std::vector<TestNote> kNotes = {
    {kBasic.id, {"кошка", "cat"}}, {kBasic.id, {"ёжик", "<i>hedgehog</i>"}}, {kBasic.id, {"", ""}}};

TEST_F(BuildImport, EachSourceBuildsADatabaseTheDrillReads) {
  const std::string kvtml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" "
      "\"http://edu.kde.org/kvtml/kvtml2.dtd\">\n<kvtml version=\"2.0\" >\n <identifiers>\n"
      "  <identifier id=\"0\" ><name>English</name><locale>en</locale></identifier>\n"
      "  <identifier id=\"1\" ><name>Russian</name><locale>ru</locale></identifier>\n"
      " </identifiers>\n <entries>\n"
      "  <entry id=\"0\" ><translation id=\"0\" ><text>cat</text></translation>"
      "<translation id=\"1\" ><text>кошка</text></translation></entry>\n"
      "  <entry id=\"1\" ><translation id=\"0\" ><text>hedgehog</text></translation>"
      "<translation id=\"1\" ><text>ёжик</text></translation></entry>\n </entries>\n</kvtml>\n";
  const struct {
    std::string name;
    std::string bytes;
  } sources[] = {
      {"deck.kvtml", kvtml},
      {"older.apkg", MakeOlderPackage({kBasic}, kNotes)},
      {"current.apkg", MakeCurrentPackage({kBasic}, kNotes)},
      {"export.txt", "#separator:tab\n#html:true\ncat\tкошка\n<i>hedgehog</i>\tёжик\n"},
      {"site.csv", "кошка,cat\nёжик,hedgehog\n"},
      {"site.txt", "<b>cat</b>\tкошка\nhedgehog\t<i>ёжик</i>\n"},
  };
  for (const auto& source : sources) {
    for (const std::string format : {"jet4", "jet3"}) {
      const RunResult build = Build(source.name, source.bytes, {"--format", format});
      ASSERT_EQ(build.exit_code, 0) << source.name << ": " << build.err;
      EXPECT_EQ(ReadWords(db_), (std::vector<Words>{{1, "cat", "кошка"}, {2, "hedgehog", "ёжик"}}))
          << source.name;
      EXPECT_EQ(RunProgram({kTool, "count", db_.string()}).out, "2\n") << source.name;
    }
  }
}

TEST_F(BuildImport, ReportsSkippedNotesOnTheSideAndStillBuilds) {
  const RunResult build = Build("deck.apkg", MakeCurrentPackage({kBasic}, kNotes));
  EXPECT_EQ(build.exit_code, 0);
  EXPECT_EQ(build.err, "vorelka-words build: " + Source("deck.apkg") +
                           ": note 3 (id 1650000000003): skipped: both fields are empty\n");
}

TEST_F(BuildImport, DryRunPrintsThePlanAndWritesNothing) {
  const RunResult run = RunProgram(
      {kTool, "build", "--dry-run",
       (WriteBytes(dir_ / "deck.apkg", MakeOlderPackage({kBasic}, kNotes)), Source("deck.apkg"))});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "Dry run: nothing is written.\n"
            "Source: " +
                Source("deck.apkg") +
                " (Anki package (collection.anki21))\n"
                "Columns: note type \"Basic\": English = field \"Back\" (mostly Latin letters), "
                "Russian = field \"Front\" (mostly Cyrillic letters)\n"
                "Would write 2 word pairs.\n"
                "Would skip 1:\n"
                "  note 3 (id 1650000000003): both fields are empty\n"
                "Rows:\nId\tEnglish\tRussian\n1\tcat\tкошка\n2\thedgehog\tёжик\n");
  EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{"deck.apkg"});

  WriteBytes(dir_ / "list.tsv", "English\tRussian\ncat\t\\N\n");
  const RunResult list =
      RunProgram({kTool, "build", Source("list.tsv"), "-o", db_.string(), "--dry-run"});
  EXPECT_EQ(list.out, "Dry run: nothing is written.\nSource: " + Source("list.tsv") +
                          " (word list, TSV with a header)\nColumns: English and Russian as the "
                          "header names them\nWould write 1 word pair.\nRows:\n"
                          "Id\tEnglish\tRussian\n1\tcat\t\\N\n");
  EXPECT_FALSE(std::filesystem::exists(db_));
}

TEST_F(BuildImport, RefusesNamingFileAndPlaceAndLeavesTheOldDatabase) {
  const std::string long_word(256, 'a');
  const struct {
    std::string name;
    std::string bytes;
    std::vector<std::string> extra;
    std::string message;  // after "<file>"
  } cases[] = {
      {"deck.apkg", "", {}, ": is empty"},
      {"list.tsv", "\xEF\xBB\xBF\n\n", {}, ": is empty"},
      {"deck.apkg",
       "just text",
       {},
       ": has 1 column; it needs one English and one Russian (its name ends in .apkg, but it is "
       "not a zip archive, as an Anki package is, so it was read as text)"},
      {"deck.apkg",
       MakeOlderPackage({kBasic}, {{kBasic.id, {"кот", long_word}}}),
       {},
       ": note 1 (id 1650000000001): the English text has 256 characters; a word holds at most "
       "255"},
      {"deck.apkg",
       MakeOlderPackage({kBasic}, {{kBasic.id, {"кот", "café"}}}),
       {"--format", "jet3"},
       ": note 1 (id 1650000000001): skipped: English text has the character 'é' (U+00E9), "
       "which code page 1251 cannot hold\nvorelka-words build: " +
           Source("deck.apkg") + ": holds no word pairs that a Jet 3 file can hold"},
      {"deck.kvtml",
       "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>en</locale></identifier>"
       "<identifier id=\"1\"><locale>ru</locale></identifier></identifiers><entries><entry>"
       "<translation id=\"0\"><text>cat</text></translation></entry></entries></kvtml>",
       {},
       ": holds no word pairs that are not empty"},
      {"export.txt",
       "#separator:tab\nкот\tcat\nпёс\n",
       {},
       ":3: has 1 fields; line 2 has 2 (a field that holds the tab needs quotes)"},
      {"deck.kvtml",
       "<kvtml version=\"2.0\"><identifiers>",
       {},
       ":1: is not well-formed XML: Premature end of document."},
  };
  for (const auto& c : cases) {
    WriteBytes(db_, "the old database");
    const RunResult r = Build(c.name, c.bytes, c.extra);
    EXPECT_EQ(r.exit_code, 1) << c.message;
    EXPECT_EQ(r.err, "vorelka-words build: " + Source(c.name) + c.message + "\n");
    EXPECT_EQ(ReadBytes(db_), "the old database");
    // The dry run runs every check the build runs.
    std::vector<std::string> dry = c.extra;
    dry.push_back("--dry-run");
    const RunResult d = Build(c.name, c.bytes, dry);
    EXPECT_EQ(d.exit_code, 1) << c.message;
    EXPECT_EQ(d.err, r.err);
    EXPECT_EQ(d.out, "");
    std::filesystem::remove(db_);
    std::filesystem::remove(dir_ / c.name);
  }
  EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{});
}

// Jet 4 holds an emoji as its surrogate pair; Jet 3 holds only code page
// 1251, and a note with another character is skipped like an empty one, by
// the dry run as by the build.
TEST_F(BuildImport, SkipsOnlyTheNotesTheFormatCannotHold) {
  const std::string deck =
      MakeCurrentPackage({kBasic}, {{kBasic.id, {"кошка", "cat"}},
                                    {kBasic.id, {"улыбка", "smile \xF0\x9F\x98\x80"}},
                                    {kBasic.id, {"кафе", "café"}}});
  ASSERT_EQ(Build("deck.apkg", deck).err, "");
  EXPECT_EQ(ReadWords(db_), (std::vector<Words>{{1, "cat", "кошка"},
                                                {2, "smile \xF0\x9F\x98\x80", "улыбка"},
                                                {3, "café", "кафе"}}));
  const std::string smile =
      "English text has the character '\xF0\x9F\x98\x80' (U+1F600), which code page 1251 "
      "cannot hold";
  const std::string cafe =
      "English text has the character 'é' (U+00E9), which code page 1251 cannot hold";
  const RunResult build = Build("deck.apkg", deck, {"--format", "jet3"});
  EXPECT_EQ(build.exit_code, 0);
  const std::string prefix = "vorelka-words build: " + Source("deck.apkg") + ": note ";
  EXPECT_EQ(build.err, prefix + "2 (id 1650000000002): skipped: " + smile + "\n" + prefix +
                           "3 (id 1650000000003): skipped: " + cafe + "\n");
  EXPECT_EQ(ReadWords(db_), (std::vector<Words>{{1, "cat", "кошка"}}));

  const RunResult dry = Build("deck.apkg", deck, {"--format", "jet3", "--dry-run"});
  EXPECT_EQ(dry.exit_code, 0);
  EXPECT_NE(dry.out.find("Would write 1 word pair.\nWould skip 2:\n  note 2 (id 1650000000002): " +
                         smile + "\n  note 3 (id 1650000000003): " + cafe + "\n"),
            std::string::npos)
      << dry.out;
}

// The content decides the form; the name only sharpens a refusal.
TEST_F(BuildImport, ReadsTheFormTheContentHasWhateverTheName) {
  const std::string kvtml =
      "<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"><identifiers><identifier id=\"0\">"
      "<locale>en</locale></identifier><identifier id=\"1\"><locale>ru</locale></identifier>"
      "</identifiers><entries><entry><translation id=\"0\"><text>cat</text></translation>"
      "<translation id=\"1\"><text>кошка</text></translation></entry></entries></kvtml>\n";
  const struct {
    std::string name;
    std::string bytes;
  } sources[] = {
      {"cat.apkg", kvtml},
      {"cat.kvtml", MakeOlderPackage({kBasic}, {{kBasic.id, {"кошка", "cat"}}})},
      {"cat.colpkg", "cat\tкошка\n"},
  };
  for (const auto& source : sources) {
    const RunResult build = Build(source.name, source.bytes);
    ASSERT_EQ(build.exit_code, 0) << source.name << ": " << build.err;
    EXPECT_EQ(ReadWords(db_), (std::vector<Words>{{1, "cat", "кошка"}})) << source.name;
  }
}

TEST_F(BuildImport, RefusesChoiceOptionsThatDoNotFitTheSource) {
  const struct {
    std::string name;
    std::string bytes;
    std::vector<std::string> option;
    std::string message;
  } cases[] = {
      {"site.csv",
       "кот,cat\n",
       {"--english", "en"},
       ": --english and --russian pick the identifiers of a KDE file; for this source use "
       "--english-field and --russian-field"},
      {"deck.kvtml",
       "<kvtml version=\"2.0\"/>",
       {"--russian-field", "2"},
       ": is a KDE file; pick its identifiers with --english and --russian"},
      {"list.tsv",
       "English\tRussian\ncat\tкот\n",
       {"--english-field", "1"},
       ": is a word list whose header names English and Russian; it needs no field options"},
  };
  for (const auto& c : cases) {
    const RunResult r = Build(c.name, c.bytes, c.option);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.err, "vorelka-words build: " + Source(c.name) + c.message + "\n");
    EXPECT_FALSE(std::filesystem::exists(db_));
  }
}

}  // namespace
}  // namespace vorelka::testing
