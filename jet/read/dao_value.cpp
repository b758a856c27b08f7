#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "jet/read/dao.h"
#include "jet/format/jet_errors.h"
#include "services/error.h"

namespace vorelka::jet {

Value Value::Long(int32_t v) {
  Value value;
  value.kind_ = Kind::kLong;
  value.long_ = v;
  return value;
}

Value Value::Boolean(bool v) {
  Value value;
  value.kind_ = Kind::kBoolean;
  value.long_ = v ? -1 : 0;
  return value;
}

Value Value::Text(std::string v) {
  Value value;
  value.kind_ = Kind::kText;
  value.text_ = std::move(v);
  return value;
}

int32_t Value::AsLong() const {
  switch (kind_) {
    case Kind::kNull:
      services::Raise(kErrInvalidUseOfNull, "Invalid use of Null");
    case Kind::kLong:
    case Kind::kBoolean:
      return long_;
    case Kind::kText:
      break;
  }
  // Text converts when it is a whole number, blanks around it allowed.
  const char* begin = text_.c_str();
  while (std::isspace(static_cast<unsigned char>(*begin))) ++begin;
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(begin, &end, 10);
  const bool digits = end != begin && std::isdigit(static_cast<unsigned char>(end[-1]));
  while (end != nullptr && std::isspace(static_cast<unsigned char>(*end))) ++end;
  if (!digits || end == nullptr || *end != '\0') {
    services::Raise(kErrTypeMismatch, "Type mismatch: '" + text_ + "' is not a number");
  }
  if (errno == ERANGE || number < std::numeric_limits<int32_t>::min() ||
      number > std::numeric_limits<int32_t>::max()) {
    services::Raise(services::kErrOverflow, "Overflow: " + text_ + " does not fit in a Long");
  }
  return static_cast<int32_t>(number);
}

std::string Value::AsText() const {
  switch (kind_) {
    case Kind::kNull:
      return std::string();
    case Kind::kLong:
      return std::to_string(long_);
    case Kind::kBoolean:
      return long_ != 0 ? "True" : "False";
    case Kind::kText:
      return text_;
  }
  return std::string();
}

}  // namespace vorelka::jet
