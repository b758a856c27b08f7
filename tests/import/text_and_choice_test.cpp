// Field text and field choice: HTML read as the plain text a drill shows, and
// which field is English and which Russian, by option, name or script.
#include <gtest/gtest.h>

#include "tools/import/field_choice.h"
#include "tools/import/html_text.h"

namespace vorelka::tools {
namespace {

TEST(HtmlToPlainText, DropsMarkupDecodesEntitiesAndCollapsesSpace) {
  const struct {
    std::string html;
    std::string text;
  } cases[] = {
      {"<b>cat</b>", "cat"},
      {"кошка&nbsp;<br>серая", "кошка серая"},
      {"<div>one</div><div>two</div>", "one two"},
      {"a &amp; b &lt;c&gt; &quot;d&quot;", "a & b <c> \"d\""},
      {"&#1082;&#x43E;&#X442;", "кот"},
      {"[sound:cat_01.mp3]cat", "cat"},
      {"<!-- note --> dog <script>alert('x')</script><STYLE>b{}</STYLE>", "dog"},
      {"  two\n\tlines \xC2\xA0 here ", "two lines here"},
      {"co&shy;operate", "cooperate"},
      // Not markup, or not an entity this reader knows: left as written.
      {"a < b and c>d", "a < b and c>d"},
      {"R&D &bogus; &#0; &#xD800; &#99999999;", "R&D &bogus; &#0; &#xD800; &#99999999;"},
      {"x <b", "x <b"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlToPlainText(c.html), c.text) << c.html;
}

TEST(HtmlToPlainText, TellsHtmlFromTextThatMerelyHasAngleBrackets) {
  EXPECT_TRUE(LooksLikeHtml("<b>x</b>"));
  EXPECT_TRUE(LooksLikeHtml("a&nbsp;b"));
  EXPECT_TRUE(LooksLikeHtml("a&#233;"));
  EXPECT_FALSE(LooksLikeHtml("a < b"));
  EXPECT_FALSE(LooksLikeHtml("R&D"));
  EXPECT_FALSE(LooksLikeHtml("кошка"));
}

FieldInfo Field(const std::string& name, const std::string& sample) {
  FieldInfo info{name, {}};
  CountLetters(sample, &info.letters);
  return info;
}

ChoiceRequest Request(std::vector<FieldInfo> fields, std::optional<std::string> english = {},
                      std::optional<std::string> russian = {}) {
  ChoiceRequest request;
  request.fields = std::move(fields);
  request.english_override = std::move(english);
  request.russian_override = std::move(russian);
  return request;
}

std::string Choose(const ChoiceRequest& request) {
  auto choice = ChooseFields(request);
  if (auto* message = std::get_if<std::string>(&choice)) return "error: " + *message;
  const FieldChoice& fields = std::get<FieldChoice>(choice);
  return std::to_string(fields.english) + "/" + std::to_string(fields.russian) + ": " + fields.why;
}

// Choice by script alone, and most messages (a script shared by several
// fields, too few fields), are pinned through the readers.
TEST(ChooseFields, PicksByOptionThenNameThenScript) {
  ChoiceRequest named =
      Request({Field("Russian word", "cat"), Field("English", "кошка"), Field("Notes", "")});
  EXPECT_EQ(Choose(named),
            "1/0: English = field \"English\" (by its name), Russian = field \"Russian word\" "
            "(by its name)");

  ChoiceRequest extra =
      Request({Field("Front", "кошка"), Field("Back", "cat"), Field("Example", "a cat sat")});
  extra.english_override = "back";
  EXPECT_EQ(Choose(extra),
            "1/0: English = field \"Back\" (chosen with --english-field), Russian = field "
            "\"Front\" (mostly Cyrillic letters)");
  extra.english_override = "3";
  extra.russian_override = "1";
  EXPECT_EQ(Choose(extra).substr(0, 4), "2/0:");

  // Two columns, one Cyrillic: the other is English whatever its letters.
  ChoiceRequest numbers = Request({Field("", "42"), Field("", "сорок два")});
  EXPECT_EQ(Choose(numbers),
            "0/1: English = field 1 (the other one), Russian = field 2 (mostly Cyrillic letters)");
}

TEST(ChooseFields, SaysWhyItCannotChoose) {
  const struct {
    ChoiceRequest request;
    std::string message;
  } cases[] = {
      {Request({Field("A", "кот"), Field("B", "cat")}, "3"),
       "error: --english-field 3: there are 2 fields (1 \"A\", 2 \"B\")"},
      {Request({Field("A", "кот"), Field("B", "cat")}, "1", "A"),
       "error: field \"A\" cannot be both English and Russian"},
  };
  for (const auto& c : cases) EXPECT_EQ(Choose(c.request), c.message);
}

}  // namespace
}  // namespace vorelka::tools
