#include "tools/import/html_text.h"

#include <array>
#include <cstdint>
#include <utility>

#include "tools/text_basics.h"

namespace vorelka::tools {
namespace {

bool IsAsciiAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The named entities flash-card HTML uses; others are left as written.
constexpr std::array<std::pair<std::string_view, uint32_t>, 14> kNamedEntities = {{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
    {"nbsp", ' '},
    {"shy", 0xAD},
    {"ndash", 0x2013},
    {"mdash", 0x2014},
    {"hellip", 0x2026},
    {"laquo", 0xAB},
    {"raquo", 0xBB},
    {"lsquo", 0x2018},
    {"rsquo", 0x2019},
}};

// Decodes the entity at text[pos] == '&'; returns its length, or 0 when what
// follows is not an entity this decoder knows.
size_t DecodeEntity(std::string_view text, size_t pos, std::string* out) {
  const size_t semi = text.find(';', pos);
  if (semi == std::string_view::npos || semi - pos > 12) return 0;
  const std::string_view body = text.substr(pos + 1, semi - pos - 1);
  if (body.size() >= 2 && body[0] == '#') {
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    uint32_t cp = 0;
    for (char c : digits) {
      uint32_t v;
      if (c >= '0' && c <= '9') {
        v = static_cast<uint32_t>(c - '0');
      } else if (hex && c >= 'a' && c <= 'f') {
        v = static_cast<uint32_t>(c - 'a' + 10);
      } else if (hex && c >= 'A' && c <= 'F') {
        v = static_cast<uint32_t>(c - 'A' + 10);
      } else {
        return 0;
      }
      cp = cp * (hex ? 16 : 10) + v;
      if (cp > 0x10FFFF) return 0;
    }
    if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    AppendUtf8(cp == 0xA0 ? ' ' : cp, out);
    return semi - pos + 1;
  }
  for (const auto& [name, cp] : kNamedEntities) {
    if (body == name) {
      if (cp != 0xAD) AppendUtf8(cp, out);  // a soft hyphen only marks a break point
      return semi - pos + 1;
    }
  }
  return 0;
}

// Skips the tag that starts at html[pos] == '<'. Returns the position after it
// and whether it breaks the line; npos when it runs to the end.
size_t SkipTag(std::string_view html, size_t pos, bool* breaks) {
  if (html.substr(pos, 4) == "<!--") {
    const size_t end = html.find("-->", pos + 4);
    *breaks = false;
    return end == std::string_view::npos ? html.size() : end + 3;
  }
  const size_t end = html.find('>', pos);
  if (end == std::string_view::npos) return std::string_view::npos;
  size_t name_start = pos + 1;
  if (name_start < end && html[name_start] == '/') ++name_start;
  size_t name_end = name_start;
  while (name_end < end &&
         (IsAsciiAlpha(html[name_end]) || (html[name_end] >= '0' && html[name_end] <= '9'))) {
    ++name_end;
  }
  const std::string name = AsciiLower(html.substr(name_start, name_end - name_start));
  *breaks = name == "br" || name == "div" || name == "p" || name == "li" || name == "tr" ||
            name == "td" || name == "hr" || (name.size() == 2 && name[0] == 'h');
  const bool opening = html[pos + 1] != '/';
  if (opening && (name == "script" || name == "style")) {
    const std::string closing = "</" + name;
    const std::string rest = AsciiLower(html.substr(end));
    const size_t close = rest.find(closing);
    if (close == std::string::npos) return html.size();
    const size_t close_end = html.find('>', end + close);
    return close_end == std::string_view::npos ? html.size() : close_end + 1;
  }
  return end + 1;
}

std::string CollapseSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pending_space = false;
  for (size_t i = 0; i < text.size(); ++i) {
    // U+00A0 (no-break space) is C2 A0 in UTF-8.
    const bool nbsp = text[i] == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
    if (IsSpace(text[i]) || nbsp) {
      pending_space = !out.empty();
      if (nbsp) ++i;
      continue;
    }
    if (pending_space) out.push_back(' ');
    pending_space = false;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

std::string HtmlToPlainText(std::string_view html) {
  std::string text;
  text.reserve(html.size());
  size_t i = 0;
  while (i < html.size()) {
    const char c = html[i];
    if (c == '<' && i + 1 < html.size() &&
        (IsAsciiAlpha(html[i + 1]) || html[i + 1] == '/' || html[i + 1] == '!')) {
      bool breaks = false;
      const size_t next = SkipTag(html, i, &breaks);
      if (next != std::string_view::npos) {
        if (breaks) text.push_back(' ');
        i = next;
        continue;
      }
    } else if (c == '&') {
      if (const size_t length = DecodeEntity(html, i, &text)) {
        i += length;
        continue;
      }
    } else if (c == '[' && html.substr(i, 7) == "[sound:") {
      const size_t end = html.find(']', i);
      if (end != std::string_view::npos) {
        i = end + 1;
        continue;
      }
    }
    text.push_back(c);
    ++i;
  }
  return CollapseSpaces(text);
}

bool LooksLikeHtml(std::string_view text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '<' && (IsAsciiAlpha(text[i + 1]) || text[i + 1] == '/' || text[i + 1] == '!') &&
        text.find('>', i) != std::string_view::npos) {
      return true;
    }
    if (text[i] == '&') {
      std::string ignored;
      if (DecodeEntity(text, i, &ignored) > 0) return true;
    }
  }
  return false;
}

std::string_view TrimmedText(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace vorelka::tools
