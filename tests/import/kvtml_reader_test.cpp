// KDE vocabulary files as KWordQuiz and Parley write them (kvtml 2.0 and the
// older 1.0): the pairs read, the languages chosen, and what is refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/import/kvtml_reader.h"

namespace vorelka::tools {
namespace {

struct Read {
  ImportedWords words;
  std::optional<SourceError> error;
  std::string Error() const {
    if (!error) return "no error";
    return std::to_string(error->line) + ": " + error->message;
  }
  std::vector<std::string> Pairs() const {
    std::vector<std::string> out;
    for (const ImportedPair& p : words.pairs)
      out.push_back(p.place + ": " + p.english + " = " + p.russian);
    return out;
  }
};

Read ReadBytes(const std::string& bytes, ImportOptions options = {}) {
  Read read;
  read.error = ReadKvtml(bytes, options, &read.words);
  return read;
}

struct Identifier {
  std::string name;
  std::string locale;
};

// A kvtml 2.0 file laid out as KWordQuiz saves it, with parts the reader
// passes over.
std::string Kvtml2(const std::vector<Identifier>& identifiers,
                   const std::vector<std::vector<std::string>>& entries) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" "
      "\"http://edu.kde.org/kvtml/kvtml2.dtd\">\n<kvtml version=\"2.0\" >\n <information>\n"
      "  <generator>kwordquiz 0.9.2</generator>\n </information>\n <identifiers>\n";
  for (size_t i = 0; i < identifiers.size(); ++i) {
    const Identifier& id = identifiers[i];
    xml += "  <identifier id=\"" + std::to_string(i) + "\" >\n   <name>" + id.name + "</name>\n" +
           (id.locale.empty() ? "" : "   <locale>" + id.locale + "</locale>\n") +
           "   <sizehint>250</sizehint>\n  </identifier>\n";
  }
  xml += " </identifiers>\n <entries>\n";
  for (size_t e = 0; e < entries.size(); ++e) {
    xml += "  <entry id=\"" + std::to_string(e) + "\" >\n";
    for (size_t t = 0; t < entries[e].size(); ++t) {
      xml += "   <translation id=\"" + std::to_string(t) + "\" >\n    <text>" + entries[e][t] +
             "</text>\n    <grade><currentgrade>2</currentgrade></grade>\n   </translation>\n";
    }
    xml += "  </entry>\n";
  }
  return xml +
         " </entries>\n <lessons>\n  <container><name>Lesson 1</name><entry id=\"0\" />"
         "</container>\n </lessons>\n</kvtml>\n";
}

TEST(KvtmlReader, ReadsKWordQuiz2FilesByLocale) {
  const Read read = ReadBytes(
      Kvtml2({{"Column 1", "en"}, {"Column 2", "ru_RU"}}, {{"cat", "кошка"},
                                                           {"fish &amp; chips", "рыба с картошкой"},
                                                           {"dog", ""},
                                                           {"<![CDATA[a <b>]]>", "б"}}));
  ASSERT_EQ(read.Error(), "no error");
  EXPECT_EQ(read.words.format, "KDE vocabulary file (kvtml 2.0)");
  EXPECT_EQ(read.Pairs(), (std::vector<std::string>{"entry 1: cat = кошка",
                                                    "entry 2: fish & chips = рыба с картошкой",
                                                    "entry 4: a <b> = б"}));
  ASSERT_EQ(read.words.skipped.size(), 1u);
  EXPECT_EQ(read.words.skipped[0].place, "entry 3");
  EXPECT_EQ(read.words.skipped[0].reason, "the Russian text is empty");
  EXPECT_EQ(read.words.choices,
            std::vector<std::string>{
                "English = identifier 0 \"Column 1\" (en) (by its locale or name), "
                "Russian = identifier 1 \"Column 2\" (ru_RU) (by its locale or name)"});
}

TEST(KvtmlReader, ReadsKWordQuiz1FilesWithLanguagesOnTheFirstEntry) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE kvtml SYSTEM \"kvoctrain.dtd\">\n"
      "<kvtml encoding=\"UTF-8\" generator=\"kwordquiz 0.8.2\" cols=\"2\" lines=\"3\" "
      "title=\"x\">\n"
      " <lesson width=\"100\"><desc no=\"1\">One</desc></lesson>\n"
      " <e m=\"1\"><o width=\"250\" l=\"ru\">дом</o><t width=\"250\" l=\"en\">house</t></e>\n"
      " <e m=\"1\"><o>окно</o><t>window</t></e>\n"
      " <e><o>стол</o><t><mc><mc1>chair</mc1></mc>table</t></e>\n"
      "</kvtml>\n";
  const Read read = ReadBytes(xml);
  ASSERT_EQ(read.Error(), "no error");
  EXPECT_EQ(read.words.format, "KDE vocabulary file (kvtml 1.0)");
  EXPECT_EQ(read.Pairs(),
            (std::vector<std::string>{"entry 1: house = дом", "entry 2: window = окно",
                                      "entry 3: table = стол"}));
}

// By locale, then name, then script; by the options when those cannot
// tell or the file has other or more languages. The hints name ids the file
// has: kvtml 1.0 numbers its columns from 0.
TEST(KvtmlReader, ChoosesLanguagesByNameOrScriptOrAsTheOptionsSay) {
  const std::string three = Kvtml2({{"Deutsch", "de"}, {"English", "en"}, {"Русский", "ru"}},
                                   {{"Katze", "cat", "кошка"}});
  const std::string german = Kvtml2({{"Deutsch", "de"}, {"Русский", "ru"}}, {{"Katze", "кошка"}});
  const std::string unnamed = "<kvtml><e><o>cat</o><t>kot</t></e></kvtml>";
  const std::string three_ids =
      "0: has the identifiers 0 \"Deutsch\" (de), 1 \"English\" (en), "
      "2 \"Русский\" (ru); choose the ";
  const std::string german_ids = "0 \"Deutsch\" (de), 1 \"Русский\" (ru)";
  const struct {
    std::string xml;
    ImportOptions options;
    std::string result;
  } cases[] = {
      {Kvtml2({{"Russian", ""}, {"English", ""}}, {{"кот", "cat"}}), {}, "entry 1: cat = кот"},
      {three, {}, three_ids + "two to read with --english ID --russian ID"},
      {three, {std::string("en"), {}, {}, {}}, three_ids + "Russian one with --russian ID"},
      {three, {std::string("en"), std::string("2"), {}, {}}, "entry 1: cat = кошка"},
      {german,
       {},
       "0: has the identifiers " + german_ids +
           "; choose the two to read with --english ID "
           "--russian ID"},
      {german, {std::string("Deutsch"), std::string("ru"), {}, {}}, "entry 1: Katze = кошка"},
      {german,
       {std::string("fr"), std::string("ru"), {}, {}},
       "0: --english fr: no identifier has that id, locale or name (identifiers: " + german_ids +
           ")"},
      {unnamed,
       {},
       "0: no identifier is mostly Cyrillic letters, so none is Russian; name it with "
       "--russian (0, 1)"},
      {unnamed, {{}, std::string("1"), {}, {}}, "entry 1: cat = kot"},
      {"<kvtml><e><o l=\"en\">cat</o></e><e><o>dog</o></e></kvtml>",
       {},
       "0: has only the identifier 0 \"en\"; a word pair needs two, an English and a Russian one"},
      {"<kvtml version=\"2.0\"/>",
       {},
       "0: has no identifiers; a word pair needs two, an English and a Russian one"},
  };
  for (const auto& c : cases) {
    const Read read = ReadBytes(c.xml, c.options);
    EXPECT_EQ(read.error ? read.Error() : read.Pairs().at(0), c.result) << c.xml;
  }
  EXPECT_EQ(
      ReadBytes(Kvtml2({{"Column 1", ""}, {"Column 2", ""}}, {{"кот", "cat"}})).words.choices,
      std::vector<std::string>{"English = identifier 1 \"Column 2\" (the other one), "
                               "Russian = identifier 0 \"Column 1\" (mostly Cyrillic letters)"});
}

// Qt decodes a whole file before reading it, and would blame line 1: the
// line of a bad byte is found apart, with a declaration of UTF-8 or none.
TEST(KvtmlReader, NamesTheLineOfAnEncodingError) {
  const std::string kwordquiz =
      Kvtml2({{"English", "en"}, {"Russian", "ru"}}, {{"cat", "кошка"}, {"dog", "соба\xC0ка"}});
  const std::string older =
      "<kvtml>\n<e><o l=\"en\">cat</o><t l=\"ru\">кот</t></e>\n"
      "<e><o>caf\xE9</o><t>кафе</t></e>\n</kvtml>\n";
  const size_t bad = kwordquiz.find('\xC0');
  EXPECT_EQ(ReadBytes(kwordquiz).Error(),
            std::to_string(1 + std::count(kwordquiz.begin(), kwordquiz.begin() + bad, '\n')) +
                ": is not valid UTF-8 (byte " + std::to_string(bad + 1) + " of the file)");
  EXPECT_EQ(ReadBytes(older).Error(), "3: is not valid UTF-8 (byte 63 of the file)");
}

TEST(KvtmlReader, RefusesEntityTricksAndMalformedFiles) {
  const std::string laughs =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml [\n <!ENTITY a \"aaaaaaaaaa\">\n"
      " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n]>\n<kvtml version=\"2.0\">&b;</kvtml>\n";
  const std::string external =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml SYSTEM \"kvtml2.dtd\">\n"
      "<kvtml version=\"2.0\"><entries><entry><translation id=\"0\"><text>&secret;</text>"
      "</translation></entry></entries></kvtml>\n";
  const struct {
    std::string xml;
    std::string error;
  } cases[] = {
      {laughs, "5: declares entities in its DTD; such files are refused"},
      {external,
       "3: uses the entity &secret; which is not declared (external entities are not read)"},
      {"<?xml version=\"1.0\"?>\n<html><body/></html>",
       "2: is XML but not a KDE vocabulary file: its root element is <html>, not <kvtml>"},
      {"<kvtml version=\"3.0\"/>", "1: is kvtml version 3.0; versions 1.0 and 2.0 are read"},
      {"<kvtml version=\"2.0\">\n<entries>\n</kvtml>",
       "3: is not well-formed XML: Opening and ending tag mismatch."},
      {"<kvtml><e><t l=\"en\">cat</t></e></kvtml>",
       "1: entry 1 has a translation before its original (<t> before <o>)"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadBytes(c.xml).Error(), c.error) << c.xml;
}

}  // namespace
}  // namespace vorelka::tools
