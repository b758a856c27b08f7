// Anki keeps its fields as HTML. These turn such a field into the plain text
// a drill shows: markup dropped, entities decoded, white space collapsed.
#pragma once

#include <string>
#include <string_view>

namespace vorelka::tools {

// Drops tags, comments, <script>/<style> content and Anki's [sound:…]
// references; line-breaking tags become spaces; decodes &amp;-style and
// numeric entities (an unknown or invalid one stays as written); collapses
// runs of white space (no-break space included) to one space and trims.
// `html` must be UTF-8; the result is UTF-8.
std::string HtmlToPlainText(std::string_view html);

// True when the text holds something that reads as a tag or an entity, as
// Anki decides whether a text export without an #html: line carries HTML.
bool LooksLikeHtml(std::string_view text);

// Trims spaces, tabs and line breaks from both ends.
std::string_view TrimmedText(std::string_view text);

}  // namespace vorelka::tools
