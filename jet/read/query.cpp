#include "jet/read/query.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "jet/format/jet_errors.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

struct Token {
  enum class Kind { kWord, kBracketed, kNumber, kSymbol, kInvalid, kEnd };
  Kind kind = Kind::kEnd;
  std::string text;
  size_t offset = 0;  // where the token starts in the statement
};

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
         (static_cast<unsigned char>(c) & 0x80) != 0;  // any non-ASCII letter
}

bool IsNameChar(char c) {
  return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

// Splits the statement into words, [bracketed names], unsigned numbers and
// single-character symbols. Anything else becomes one invalid token that
// runs to the end, so that the parser fails in the clause it spoils.
std::vector<Token> Tokenize(std::string_view sql) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (IsNameStart(c)) {
      const size_t start = i;
      while (i < sql.size() && IsNameChar(sql[i])) ++i;
      tokens.push_back({Token::Kind::kWord, std::string(sql.substr(start, i - start)), start});
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      const size_t start = i;
      while (i < sql.size() && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
      if (i < sql.size() && IsNameChar(sql[i])) {  // "17a"
        tokens.push_back({Token::Kind::kInvalid, std::string(sql.substr(start)), start});
        break;
      }
      tokens.push_back({Token::Kind::kNumber, std::string(sql.substr(start, i - start)), start});
    } else if (c == '[') {
      const size_t close = sql.find(']', i + 1);
      if (close == std::string_view::npos || close == i + 1) {
        tokens.push_back({Token::Kind::kInvalid, std::string(sql.substr(i)), i});
        break;
      }
      tokens.push_back({Token::Kind::kBracketed, std::string(sql.substr(i + 1, close - i - 1)), i});
      i = close + 1;
    } else if (c == '(' || c == ')' || c == '*' || c == '=' || c == '-' || c == ';') {
      tokens.push_back({Token::Kind::kSymbol, std::string(1, c), i});
      ++i;
    } else {
      tokens.push_back({Token::Kind::kInvalid, std::string(sql.substr(i)), i});
      break;
    }
  }
  tokens.push_back({Token::Kind::kEnd, "", sql.size()});
  return tokens;
}

class Parser {
 public:
  Parser(std::string_view sql, std::vector<Token> tokens) : sql_(sql), tokens_(std::move(tokens)) {}

  Query Parse() {
    if (!TakeKeyword("SELECT")) FailStatement();
    Query query;
    if (PeekKeyword("COUNT")) {
      ++pos_;
      if (!TakeSymbol('(') || !TakeSymbol('*') || !TakeSymbol(')')) FailSelect();
      query.kind = Query::Kind::kCountRows;
    } else {
      query.kind = Query::Kind::kColumnWhereEquals;
      query.column = TakeName().value_or("");
      if (query.column.empty()) FailSelect();
    }
    if (!TakeKeyword("AS")) FailSelect();
    query.alias = TakeName().value_or("");
    if (query.alias.empty()) FailSelect();
    if (!TakeKeyword("FROM")) FailSelect();
    query.table = TakeName().value_or("");
    if (query.table.empty()) FailFrom();

    if (query.kind == Query::Kind::kColumnWhereEquals) {
      if (!TakeKeyword("WHERE")) FailFrom();
      ParseWhere(query);
    }
    TakeSymbol(';');
    if (Peek().kind != Token::Kind::kEnd) {
      if (query.kind == Query::Kind::kCountRows) FailFrom();
      FailExpression(where_start_);
    }
    return query;
  }

 private:
  void ParseWhere(Query& query) {
    where_start_ = Peek().offset;
    query.where_column = TakeName().value_or("");
    if (query.where_column.empty() || !TakeSymbol('=')) FailExpression(where_start_);
    const bool negative = TakeSymbol('-');
    if (Peek().kind != Token::Kind::kNumber) FailExpression(where_start_);
    const std::string digits = tokens_[pos_++].text;
    // The magnitude of the most negative Long is one more than the largest.
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    uint64_t magnitude = 0;
    for (const char d : digits) {
      magnitude = magnitude * 10 + static_cast<uint64_t>(d - '0');
      if (magnitude > limit) {
        services::Raise(kErrNumericOverflow,
                        "Numeric overflow: " + std::string(negative ? "-" : "") + digits +
                            " in the query expression does not fit in a Long (32-bit integer).");
      }
    }
    query.where_value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                                 : static_cast<int32_t>(magnitude);
  }

  const Token& Peek() const { return tokens_[pos_]; }

  bool PeekKeyword(std::string_view keyword) const {
    return Peek().kind == Token::Kind::kWord && SameName(Peek().text, keyword);
  }

  bool TakeKeyword(std::string_view keyword) {
    if (!PeekKeyword(keyword)) return false;
    ++pos_;
    return true;
  }

  bool TakeSymbol(char symbol) {
    if (Peek().kind != Token::Kind::kSymbol || Peek().text[0] != symbol) return false;
    ++pos_;
    return true;
  }

  static bool IsReserved(std::string_view word) {
    for (const char* reserved : {"SELECT", "AS", "FROM", "WHERE", "COUNT"}) {
      if (SameName(word, reserved)) return true;
    }
    return false;
  }

  // A plain name (not a keyword) or a [bracketed] one.
  std::optional<std::string> TakeName() {
    const Token& token = Peek();
    if (token.kind == Token::Kind::kBracketed ||
        (token.kind == Token::Kind::kWord && !IsReserved(token.text))) {
      ++pos_;
      return token.text;
    }
    return std::nullopt;
  }

  [[noreturn]] void FailStatement() const {
    services::Raise(kErrInvalidSqlStatement,
                    "Invalid SQL statement; expected 'SELECT': '" + std::string(sql_) + "'.");
  }
  [[noreturn]] void FailSelect() const {
    services::Raise(kErrSelectSyntax,
                    "The SELECT statement has a misspelled or missing word, or wrong "
                    "punctuation: '" +
                        std::string(sql_) + "'.");
  }
  [[noreturn]] void FailFrom() const {
    services::Raise(kErrFromClauseSyntax,
                    "Syntax error in FROM clause: '" + std::string(sql_) + "'.");
  }
  [[noreturn]] void FailExpression(size_t start) const {
    services::Raise(kErrQueryExpressionSyntax,
                    "Syntax error (missing operator) in query expression '" +
                        std::string(sql_.substr(start)) + "'.");
  }

  std::string_view sql_;
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  size_t where_start_ = 0;
};

// Names compare without regard to case: ASCII, Latin-1, Greek and Cyrillic
// capitals fold to their small letters, which covers the names of word
// tables and their columns. Text that is not UTF-8 is compared as it stands.
std::u32string FoldedName(std::string_view name) {
  std::u32string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();) {
    const auto byte = static_cast<unsigned char>(name[i]);
    const size_t length = byte < 0x80    ? 1
                          : byte >= 0xF0 ? 4
                          : byte >= 0xE0 ? 3
                          : byte >= 0xC0 ? 2
                                         : 1;
    char32_t c = length == 1 ? byte : byte & (0x7F >> length);
    if (i + length > name.size()) return std::u32string(name.begin(), name.end());
    for (size_t k = 1; k < length; ++k)
      c = c << 6 | (static_cast<unsigned char>(name[i + k]) & 0x3F);
    i += length;
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB) || (c >= 0x410 && c <= 0x42F)) {
      c += 0x20;
    } else if (c >= 0x400 && c <= 0x40F) {
      c += 0x50;  // Ё and the other Cyrillic capitals before А
    }
    out.push_back(c);
  }
  return out;
}

}  // namespace

Query ParseQuery(std::string_view sql) {
  return Parser(sql, Tokenize(sql)).Parse();
}

bool SameName(std::string_view a, std::string_view b) {
  // Plain ASCII names, the usual case, compare without building folded
  // copies: the catalog lookup compares every object's name.
  const auto ascii = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  if (ascii(a) && ascii(b)) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
  }
  return FoldedName(a) == FoldedName(b);
}

}  // namespace vorelka::jet
