#include "tools/import/kvtml_document.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include "tools/import/import_limits.h"
#include "tools/text_basics.h"
#include "tools/utf8_text.h"

namespace vorelka::tools {
namespace {

std::string Utf8(QStringView text) {
  return text.toString().trimmed().toStdString();
}

// The encoding the XML declaration names, lower-cased; empty when it names
// none (and the file is then UTF-8).
std::string DeclaredEncoding(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  if (!bytes.starts_with("<?xml")) return "";
  const std::string declaration = AsciiLower(bytes.substr(0, bytes.find("?>")));
  const size_t name = declaration.find("encoding");
  if (name == std::string::npos) return "";
  const size_t quote = declaration.find_first_of("\"'", name);
  if (quote == std::string::npos) return "";
  const size_t end = declaration.find(declaration[quote], quote + 1);
  if (end == std::string::npos) return "";
  return declaration.substr(quote + 1, end - quote - 1);
}

// Qt's XML reader decodes the whole file before it reads a line, so its
// encoding errors all point at line 1. A file in UTF-8 is checked here
// first, naming the line of the first bad byte.
std::optional<SourceError> CheckEncoding(std::string_view bytes) {
  const std::string encoding = DeclaredEncoding(bytes);
  if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8") return std::nullopt;
  return CheckUtf8Text(bytes);
}

class Parser {
 public:
  explicit Parser(std::string_view bytes)
      : xml_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))) {
    xml_.setEntityExpansionLimit(kMaxXmlEntityExpansion);
  }

  std::optional<SourceError> Run(std::string_view bytes, KvtmlDocument* document) {
    if (auto error = CheckEncoding(bytes)) return error;
    document_ = document;
    bool root_seen = false;
    while (Next()) {
      if (!xml_.isStartElement()) continue;
      if (!root_seen) {
        root_seen = true;
        if (xml_.name() != QLatin1String("kvtml")) {
          return Fail("is XML but not a KDE vocabulary file: its root element is <" +
                      xml_.name().toString().toStdString() + ">, not <kvtml>");
        }
        const QStringView version = xml_.attributes().value("version");
        if (version.isEmpty() || version.startsWith(QLatin1String("1"))) {
          document_->version = 1;
        } else if (!version.startsWith(QLatin1String("2"))) {
          return Fail("is kvtml version " + version.toString().toStdString() +
                      "; versions 1.0 and 2.0 are read");
        }
        continue;
      }
      if (document_->version == 2) {
        StartElement2();
      } else {
        StartElement1();
      }
      if (failure_) return failure_;
    }
    if (failure_) return failure_;
    if (xml_.hasError()) {
      return FaultOnLine(xml_.lineNumber(),
                         "is not well-formed XML: " + xml_.errorString().toStdString());
    }
    if (!root_seen) return Fail("holds no XML element");
    return std::nullopt;
  }

 private:
  // Reads the next token, refusing entity declarations and references the
  // reader cannot resolve. Tracks the path of open elements.
  bool Next() {
    if (failure_) return false;
    const QXmlStreamReader::TokenType token = xml_.readNext();
    switch (token) {
      case QXmlStreamReader::DTD:
        if (!xml_.entityDeclarations().isEmpty()) {
          failure_ = FaultOnLine(xml_.lineNumber(),
                                 "declares entities in its DTD; such files are refused");
          return false;
        }
        break;
      case QXmlStreamReader::EntityReference:
        failure_ = FaultOnLine(xml_.lineNumber(),
                               "uses the entity &" + xml_.name().toString().toStdString() +
                                   "; which is not declared (external entities are not read)");
        return false;
      case QXmlStreamReader::StartElement:
        path_.push_back(xml_.name().toString());
        break;
      case QXmlStreamReader::EndElement:
        if (!path_.isEmpty()) path_.removeLast();
        break;
      default:
        break;
    }
    return !xml_.atEnd() && !xml_.hasError();
  }

  bool At(std::initializer_list<const char*> names) const {
    if (static_cast<size_t>(path_.size()) != names.size()) return false;
    qsizetype i = 0;
    for (const char* name : names) {
      if (path_[i++] != QLatin1String(name)) return false;
    }
    return true;
  }

  // The text directly inside the current element; text of elements nested
  // in it (grades, comments, conjugations) is passed over.
  std::string OwnText() {
    const qsizetype depth = path_.size();
    QString text;
    while (Next()) {
      if (path_.size() < depth) break;
      if (path_.size() == depth && (xml_.isCharacters() || xml_.isCDATA())) text += xml_.text();
    }
    return Utf8(text);
  }

  void StartElement2() {
    if (At({"kvtml", "identifiers", "identifier"})) {
      document_->identifiers.push_back({Utf8(xml_.attributes().value("id")), "", ""});
    } else if (At({"kvtml", "identifiers", "identifier", "name"})) {
      document_->identifiers.back().name = OwnText();
    } else if (At({"kvtml", "identifiers", "identifier", "locale"})) {
      document_->identifiers.back().locale = OwnText();
    } else if (At({"kvtml", "entries", "entry"})) {
      document_->entries.emplace_back();
    } else if (At({"kvtml", "entries", "entry", "translation"})) {
      translation_ = Utf8(xml_.attributes().value("id"));
    } else if (At({"kvtml", "entries", "entry", "translation", "text"})) {
      document_->entries.back().texts[translation_] = OwnText();
    }
  }

  void StartElement1() {
    if (At({"kvtml", "e"})) {
      document_->entries.emplace_back();
      column_ = 0;
      return;
    }
    const bool original = At({"kvtml", "e", "o"});
    if (!original && !At({"kvtml", "e", "t"})) return;
    const size_t column = original ? 0 : ++column_;
    const std::string id = std::to_string(column);
    const std::string language = Utf8(xml_.attributes().value("l"));
    if (column >= document_->identifiers.size()) {
      if (column > document_->identifiers.size()) {
        Fail("entry " + std::to_string(document_->entries.size()) + " has a translation before " +
             "its original (<t> before <o>)");
        return;
      }
      document_->identifiers.push_back({id, language, language});
    }
    document_->entries.back().texts[id] = OwnText();
  }

  std::optional<SourceError> Fail(const std::string& message) {
    failure_ = FaultOnLine(xml_.lineNumber(), message);
    return failure_;
  }

  QXmlStreamReader xml_;
  KvtmlDocument* document_ = nullptr;
  QStringList path_;
  std::string translation_;
  size_t column_ = 0;
  std::optional<SourceError> failure_;
};

}  // namespace

bool LooksLikeXml(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  const size_t first = bytes.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return false;
  // An XML declaration, a DOCTYPE or comment, or the root element itself; a
  // word list whose first word starts with '<' is not taken for XML.
  const std::string_view start = bytes.substr(first);
  return start.starts_with("<?xml") || start.starts_with("<!") || start.starts_with("<kvtml");
}

std::optional<SourceError> ParseKvtml(std::string_view bytes, KvtmlDocument* document) {
  return Parser(bytes).Run(bytes, document);
}

}  // namespace vorelka::tools
