// The parts of a KDE vocabulary file (.kvtml, as KWordQuiz and Parley write
// it) that a word pair needs, read with QXmlStreamReader:
//
//   2.0  <kvtml version="2.0"><identifiers><identifier id="0"><name>…</name>
//        <locale>en</locale></identifier>…</identifiers><entries>
//        <entry id="0"><translation id="0"><text>cat</text></translation>…
//   1.0  <kvtml …><e><o l="en">cat</o><t l="ru">кошка</t></e>…  (the languages
//        are given on the first entry; <o> is identifier 0, each <t> the next)
//
// No DTD is read, a file that declares entities is refused, and an entity may
// expand to at most kMaxXmlEntityExpansion characters.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/import/imported_words.h"

namespace vorelka::tools {

struct KvtmlIdentifier {
  std::string id;  // the id attribute (2.0) or the column number from 0 (1.0)
  std::string name;
  std::string locale;
};

struct KvtmlEntry {
  std::map<std::string, std::string> texts;  // identifier id -> text
};

struct KvtmlDocument {
  int version = 2;  // 1 or 2
  std::vector<KvtmlIdentifier> identifiers;
  std::vector<KvtmlEntry> entries;  // in file order
};

// True when the bytes start (after a byte-order mark and white space) as XML
// does: "<?xml", "<!" or "<kvtml".
bool LooksLikeXml(std::string_view bytes);

std::optional<SourceError> ParseKvtml(std::string_view bytes, KvtmlDocument* document);

}  // namespace vorelka::tools
