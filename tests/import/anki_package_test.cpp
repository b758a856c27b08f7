// Anki packages built here with SQLite, libzip and zstd, in the older and the
// current form: the notes read, the fields chosen per note type, the notes
// skipped, and the packages and collections refused.
#include <gtest/gtest.h>

#include "tests/import/anki_package_maker.h"
#include "tools/import/anki_package_reader.h"

namespace vorelka::tools {
namespace {

using testing::AnkiSchema;
using testing::BasicNoteType;
using testing::TestNote;
using testing::TestNoteType;

struct Read {
  ImportedWords words;
  std::optional<SourceError> error;
  std::string Error() const {
    if (!error) return "no error";
    return (error->place.empty() ? "" : error->place + ": ") + error->message;
  }
  std::vector<std::string> Pairs() const {
    std::vector<std::string> out;
    for (const ImportedPair& p : words.pairs) out.push_back(p.english + " = " + p.russian);
    return out;
  }
};

Read ReadPackage(const std::string& bytes, ImportOptions options = {},
                 UnpackLimits limits = UnpackLimits()) {
  Read read;
  read.error = ReadAnkiPackage(bytes, options, &read.words, limits);
  return read;
}

const TestNoteType kBasic = BasicNoteType();
const std::vector<TestNote> kBasicNotes = {
    {kBasic.id, {"<b>кошка</b>", "cat"}},
    {kBasic.id, {"собака&nbsp;", "dog [sound:dog.mp3]"}},
    {kBasic.id, {"рыба", ""}},
    {kBasic.id, {"дом<br>", "<div>house</div>"}},
};

TEST(AnkiPackage, ReadsEveryFormOfPackageNoteByNote) {
  const struct {
    std::string package;
    std::string format;
  } forms[] = {
      {testing::MakeOlderPackage({kBasic}, kBasicNotes, "collection.anki2"),
       "Anki package (collection.anki2)"},
      {testing::MakeOlderPackage({kBasic}, kBasicNotes, "collection.anki21"),
       "Anki package (collection.anki21)"},
      {testing::MakeCurrentPackage({kBasic}, kBasicNotes), "Anki package (collection.anki21b)"},
  };
  for (const auto& form : forms) {
    const Read read = ReadPackage(form.package);
    ASSERT_EQ(read.Error(), "no error") << form.format;
    EXPECT_EQ(read.words.format, form.format);
    EXPECT_EQ(read.Pairs(),
              (std::vector<std::string>{"cat = кошка", "dog = собака", "house = дом"}));
    ASSERT_EQ(read.words.skipped.size(), 1u);
    EXPECT_EQ(read.words.skipped[0].place, "note 3 (id 1650000000003)");
    EXPECT_EQ(read.words.skipped[0].reason, "the English field is empty");
  }
}

TEST(AnkiPackage, ChoosesFieldsForEachNoteTypeByNameScriptOrOption) {
  const TestNoteType vocabulary{
      1600000000000, "Russian vocabulary", {"Word", "Stress", "English meaning", "Example"}};
  const std::vector<TestNote> notes = {
      {kBasic.id, {"cat", "кошка"}},
      {vocabulary.id, {"книга", "кни́га", "book", "Это книга."}},
  };
  for (const AnkiSchema schema : {AnkiSchema::kOlder, AnkiSchema::kCurrent}) {
    const std::string package = schema == AnkiSchema::kOlder
                                    ? testing::MakeOlderPackage({kBasic, vocabulary}, notes)
                                    : testing::MakeCurrentPackage({kBasic, vocabulary}, notes);
    // Three fields of the vocabulary notes are Cyrillic: the script cannot
    // choose, and the message names the note type.
    EXPECT_EQ(ReadPackage(package).Error(),
              "note type \"Russian vocabulary\": field \"Word\", field \"Stress\" and field "
              "\"Example\" are all mostly Cyrillic letters; choose the Russian one with "
              "--russian-field");
    // A field option by name applies to the note types that have the field;
    // the others are chosen as without it.
    const Read read = ReadPackage(package, {{}, {}, {}, std::string("word")});
    ASSERT_EQ(read.Error(), "no error");
    EXPECT_EQ(read.Pairs(), (std::vector<std::string>{"cat = кошка", "book = книга"}));
    EXPECT_EQ(ReadPackage(package, {{}, {}, {}, std::string("Wort")}).Error(),
              "note type \"Basic\": --russian-field \"Wort\": no field has that name (1 "
              "\"Front\", 2 \"Back\")");
    // By number it applies to every note type, and would put "cat" in the
    // Russian column: the note types need different fields.
    EXPECT_EQ(ReadPackage(package, {{}, {}, {}, std::string("1")}).Error(),
              "the note types need different fields: --russian-field 1 fits note type \"Russian "
              "vocabulary\", but note type \"Basic\" needs --russian-field 2 (field \"Back\": "
              "mostly Cyrillic letters). A field option applies to every note type that has the "
              "field, so import these note types apart (export each from Anki on its own)");
  }
}

// Two note types of opposite orientation with the same field names, as a
// deck gets when notes of "Basic" and of a copy made for the other direction
// meet: one option cannot serve both.
TEST(AnkiPackage, RefusesOneFieldOptionForNoteTypesThatNeedDifferentFields) {
  const TestNoteType reversed{1600000000001, "Basic (English first)", {"Front", "Back"}};
  const std::string package = testing::MakeCurrentPackage(
      {kBasic, reversed}, {{kBasic.id, {"кошка", "cat"}}, {reversed.id, {"dog", "собака"}}});
  const struct {
    ImportOptions options;
    std::string error;
  } cases[] = {
      {{}, "no error"},
      {{{}, {}, std::string("front"), std::string("back")},
       "the note types need different fields: --english-field front fits note type \"Basic "
       "(English "
       "first)\", but note type \"Basic\" needs --english-field Back (field \"Back\": mostly Latin "
       "letters); --russian-field back fits note type \"Basic (English first)\", but note type "
       "\"Basic\" needs --russian-field Front (field \"Front\": mostly Cyrillic letters). A field "
       "option applies to every note type that has the field; without it, each note type's "
       "fields are chosen by their names and letters"},
  };
  for (const auto& c : cases) {
    const Read read = ReadPackage(package, c.options);
    EXPECT_EQ(read.Error(), c.error);
    if (!read.error) {
      EXPECT_EQ(read.Pairs(), (std::vector<std::string>{"cat = кошка", "dog = собака"}));
    }
  }
}

TEST(AnkiPackage, RefusesPackagesThatWouldUnpackTooFar) {
  const std::string zeros(8 * 1024 * 1024, '\0');
  const struct {
    std::string package;
    uint64_t max_bytes;
    std::string error;
  } cases[] = {
      {testing::MakeZip({{"collection.anki21", zeros}}), kMaxUnpackedBytes,
       "times its size; it is refused as a zip bomb"},
      {testing::MakeZip({{"collection.anki21b", testing::ZstdPack(zeros), false}}),
       kMaxUnpackedBytes, "member collection.anki21b: its zstd-packed collection unpacks "},
      {testing::MakeOlderPackage({kBasic}, kBasicNotes), 4096, "; more than 4096 bytes is refused"},
  };
  for (const auto& c : cases) {
    const std::string error = ReadPackage(c.package, {}, {.max_bytes = c.max_bytes}).Error();
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

TEST(AnkiPackage, RefusesWhatIsNotASoundAnkiCollection) {
  const std::string collection = testing::MakeCollection(AnkiSchema::kOlder, {kBasic}, kBasicNotes);
  const struct {
    std::string package;
    std::string error;
  } cases[] = {
      {testing::MakeZip({{"readme.txt", "hello"}, {"media", "{}"}}),
       "is a zip archive but not an Anki package: it holds no collection (collection.anki21b, "
       "collection.anki21 or collection.anki2); it holds readme.txt, media"},
      {testing::MakeZip({{"collection.anki21", collection.substr(0, collection.size() / 2)}}),
       "member collection.anki21 cannot be read as an Anki collection: database disk image is "
       "malformed"},
      {testing::MakeZip({{"collection.anki21b", "not zstd"}}),
       "member collection.anki21b: its zstd-packed collection is not zstd data"},
      {testing::MakeZip({{"collection.anki21b", testing::ZstdPack(collection).substr(0, 40)}}),
       "member collection.anki21b: its zstd-packed collection is cut short"},
      // A notes "table" that is a view runs the stranger's SQL: views are off.
      {testing::MakeZip({{"collection.anki21",
                          testing::MakeCollection(
                              AnkiSchema::kOlder, {kBasic}, {},
                              "DROP TABLE notes; CREATE VIEW notes AS SELECT 1 AS id, 2 AS mid, "
                              "'x' AS flds")}}),
       "member collection.anki21 is not an Anki collection: it has no notes table"},
      {testing::MakeZip({{"collection.anki21", testing::MakeCollection(AnkiSchema::kOlder, {},
                                                                       {{77, {"кот", "cat"}}})}}),
       "note 1 (id 1650000000001): its note type 77 is not in the collection"},
      {testing::MakeZip(
           {{"collection.anki21", testing::MakeCollection(AnkiSchema::kOlder, {kBasic}, {},
                                                          "UPDATE col SET models = '[1,'")}}),
       "member collection.anki21 has no readable note types (col.models is not a JSON object: "
       "unterminated array)"},
      {"PK\x03\x04 not really", "is not a sound zip archive: Not a zip archive"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadPackage(c.package).Error(), c.error);
}

}  // namespace
}  // namespace vorelka::tools
