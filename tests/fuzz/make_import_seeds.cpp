// Writes the seed inputs of the importer fuzz targets into a folder:
// KWordQuiz files (kvtml 1.0 and 2.0), Anki packages and collections of both
// forms, and text exports with and without header lines.
//
//   fuzz_make_import_seeds <folder>   then fuzz with -merge=1 into corpus/<target>/
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/import/anki_package_maker.h"

namespace {

using vorelka::testing::AnkiSchema;
using vorelka::testing::TestNote;
using vorelka::testing::TestNoteType;

void Write(const std::filesystem::path& folder, const std::string& target, const std::string& name,
           const std::string& bytes) {
  std::filesystem::create_directories(folder / target);
  std::ofstream(folder / target / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: fuzz_make_import_seeds <folder>\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  // kvtml: the first byte picks options; '\0' picks none.
  const std::string k2 =
      std::string(1, '\0') +
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" "
      "\"http://edu.kde.org/kvtml/kvtml2.dtd\">\n<kvtml version=\"2.0\">\n<identifiers>\n"
      "<identifier id=\"0\"><name>English</name><locale>en</locale></identifier>\n"
      "<identifier id=\"1\"><name>Russian</name><locale>ru</locale></identifier>\n</identifiers>\n"
      "<entries>\n<entry id=\"0\"><translation id=\"0\"><text>cat &amp; dog</text><comment>x</comment>"
      "</translation><translation id=\"1\"><text><![CDATA[кошка]]></text></translation></entry>\n"
      "<entry id=\"1\"><translation id=\"0\"><text></text></translation></entry>\n</entries>\n"
      "<lessons><container><name>L</name><entry id=\"0\"/></container></lessons>\n</kvtml>\n";
  Write(folder, "kvtml", "kwordquiz2", k2);
  Write(folder, "kvtml", "kwordquiz1",
        std::string(1, '\x03') +
            "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml SYSTEM \"kvoctrain.dtd\">\n"
            "<kvtml encoding=\"UTF-8\" generator=\"kwordquiz\" cols=\"3\">\n"
            "<e><o l=\"en\">house</o><t l=\"ru\">дом</t><t l=\"de\">Haus</t></e>\n"
            "<e><o>window</o><t><mc><mc1>x</mc1></mc>окно</t></e>\n</kvtml>\n");
  Write(folder, "kvtml", "entities",
        std::string(1, '\0') + "<!DOCTYPE kvtml [<!ENTITY a \"b\">]><kvtml>&a;&c;</kvtml>");

  const TestNoteType basic = vorelka::testing::BasicNoteType();
  const TestNoteType named{7, "Vocab", {"English", "Russian", "Notes"}};
  const std::vector<TestNote> notes = {{basic.id, {"<b>кошка</b>", "cat&nbsp;"}},
                                       {basic.id, {"", "dog"}},
                                       {named.id, {"house", "дом", "[sound:x.mp3]"}}};
  Write(folder, "anki_package", "older",
        vorelka::testing::MakeOlderPackage({basic, named}, notes));
  Write(folder, "anki_package", "current",
        vorelka::testing::MakeCurrentPackage({basic, named}, notes));
  Write(folder, "anki_collection", "older",
        vorelka::testing::MakeCollection(AnkiSchema::kOlder, {basic, named}, notes));
  Write(folder, "anki_collection", "current",
        vorelka::testing::MakeCollection(AnkiSchema::kCurrent, {basic, named}, notes));

  Write(folder, "delimited_text", "anki_header",
        std::string(1, '\0') +
            "#separator:tab\n#html:true\n#notetype column:1\n#columns:Type\tFront\tBack\n"
            "#deck:Russian\nBasic\t<b>кошка</b>\t\"cat\tkitten\"\nBasic\tсобака\tdog\n");
  Write(folder, "delimited_text", "csv", std::string(1, '\x02') + "\"кот, серый\",cat\nдом,house\r\n");
  Write(folder, "delimited_text", "semicolon", std::string(1, '\0') + "tags:a b\n#separator:;\nкот;cat\n");
  return 0;
}
