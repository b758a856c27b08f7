// vorelka-words build on each kind of source a learner brings: what the
// readers' own tests leave to the tool. The content decides the form, the
// pairs the target format cannot hold are skipped, --dry-run writes nothing,
// and faults name the file and the place, exit non-zero and leave the old
// database as it was.
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
    std::vector<std::string> args = {kTool, "build", Source(name), "-o", db_.string()};
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
const std::string kSmile = "smile \xF0\x9F\x98\x80";

// The name only sharpens a refusal, and names the separator of a text.
TEST_F(BuildImport, EachSourceFormBuildsADatabaseWhateverItsName) {
  const struct {
    std::string name;
    std::string bytes;
  } sources[] = {
      {"deck.apkg",
       "<?xml version=\"1.0\"?>\n<kvtml><e><o l=\"en\">cat</o><t l=\"ru\">кошка</t></e>"
       "<e><o>hedgehog</o><t>ёжик</t></e></kvtml>\n"},
      {"deck.kvtml", MakeOlderPackage({kBasic}, kNotes)},
      {"collection.anki2", MakeCollection(AnkiSchema::kOlder, {kBasic}, kNotes)},
      {"site.csv", "кошка,cat\nёжик,hedgehog\n"},
  };
  for (const auto& source : sources) {
    const RunResult build = Build(source.name, source.bytes);
    ASSERT_EQ(build.exit_code, 0) << source.name << ": " << build.err;
    EXPECT_EQ(ReadWords(db_), (std::vector<Words>{{1, "cat", "кошка"}, {2, "hedgehog", "ёжик"}}))
        << source.name;
  }
}

// Jet 4 holds an emoji as its surrogate pair; Jet 3 holds only code page
// 1251, and a note with another character is skipped like an empty one.
TEST_F(BuildImport, ReportsSkippedNotesOnTheSideAndBuildsTheRest) {
  const std::string deck = MakeCurrentPackage(
      {kBasic},
      {{kBasic.id, {"кошка", "cat"}}, {kBasic.id, {"", ""}}, {kBasic.id, {"улыбка", kSmile}}});
  const std::string note = "vorelka-words build: " + Source("deck.apkg") + ": note ";
  const std::string empty = note + "2 (id 1650000000002): skipped: both fields are empty\n";
  const RunResult jet4 = Build("deck.apkg", deck);
  EXPECT_EQ(jet4.exit_code, 0);
  EXPECT_EQ(jet4.err, empty);
  EXPECT_EQ(ReadWords(db_), (std::vector<Words>{{1, "cat", "кошка"}, {2, kSmile, "улыбка"}}));
  const RunResult jet3 = Build("deck.apkg", deck, {"--format", "jet3"});
  EXPECT_EQ(jet3.exit_code, 0);
  EXPECT_EQ(jet3.err, empty + note +
                          "3 (id 1650000000003): skipped: English text has the character '\xF0\x9F"
                          "\x98\x80' (U+1F600), which code page 1251 cannot hold\n");
  EXPECT_EQ(ReadWords(db_), (std::vector<Words>{{1, "cat", "кошка"}}));
}

TEST_F(BuildImport, DryRunPrintsThePlanAndWritesNothing) {
  const RunResult deck = Build("deck.apkg",
                               MakeOlderPackage({kBasic}, {{kBasic.id, {"", ""}},
                                                           {kBasic.id, {"кафе", "café"}},
                                                           {kBasic.id, {"кошка", "cat"}}}),
                               {"--format", "jet3", "--dry-run"});
  EXPECT_EQ(deck.exit_code, 0) << deck.err;
  EXPECT_EQ(deck.out,
            "Dry run: nothing is written.\nSource: " + Source("deck.apkg") +
                " (Anki package (collection.anki21))\n"
                "Columns: note type \"Basic\": English = field \"Back\" (mostly Latin letters), "
                "Russian = field \"Front\" (mostly Cyrillic letters)\n"
                "Would write 1 word pair.\nWould skip 2:\n"
                "  note 1 (id 1650000000001): both fields are empty\n"
                "  note 2 (id 1650000000002): English text has the character 'é' (U+00E9), "
                "which code page 1251 cannot hold\n"
                "Rows:\nId\tEnglish\tRussian\n1\tcat\tкошка\n");
  const RunResult list = Build("list.tsv", "English\tRussian\ncat\t\\N\n", {"--dry-run"});
  EXPECT_EQ(list.out, "Dry run: nothing is written.\nSource: " + Source("list.tsv") +
                          " (word list, TSV with a header)\nColumns: English and Russian as the "
                          "header names them\nWould write 1 word pair.\nRows:\n"
                          "Id\tEnglish\tRussian\n1\tcat\t\\N\n");
  EXPECT_EQ(dir_.FileNames(), (std::vector<std::string>{"deck.apkg", "list.tsv"}));
}

// The refusals the readers leave to the tool: the dry run makes every check
// the build makes. (A reader's fault on a line is printed as the word list's
// is, in vorelka_words_test.cpp.)
TEST_F(BuildImport, RefusesNamingFileAndPlaceAndLeavesTheOldDatabase) {
  const struct {
    std::string name;
    std::string bytes;
    std::vector<std::string> extra;
    std::string message;  // after "<file>"
  } cases[] = {
      {"list.tsv", "\xEF\xBB\xBF\n\n", {}, ": is empty"},
      {"deck.apkg",
       "just text",
       {},
       ": has 1 column; it needs one English and one Russian (its name ends in .apkg, but it is "
       "not a zip archive, as an Anki package is, so it was read as text)"},
      {"deck.apkg",
       MakeOlderPackage({kBasic}, {{kBasic.id, {"кот", std::string(256, 'a')}}}),
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
       "<kvtml><e><o l=\"en\">cat</o><t l=\"ru\"></t></e></kvtml>",
       {},
       ": holds no word pairs that are not empty"},
  };
  for (const auto& c : cases) {
    WriteBytes(db_, "the old database");
    const RunResult r = Build(c.name, c.bytes, c.extra);
    EXPECT_EQ(r.exit_code, 1) << c.message;
    EXPECT_EQ(r.err, "vorelka-words build: " + Source(c.name) + c.message + "\n");
    EXPECT_EQ(ReadBytes(db_), "the old database");
    std::filesystem::remove(db_);
    std::vector<std::string> dry = c.extra;
    dry.push_back("--dry-run");
    const RunResult d = Build(c.name, c.bytes, dry);
    EXPECT_EQ(d.exit_code, 1) << c.message;
    EXPECT_EQ(d.err, r.err);
    EXPECT_EQ(d.out, "");
    std::filesystem::remove(dir_ / c.name);
  }
  EXPECT_EQ(dir_.FileNames(), std::vector<std::string>{});
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
