// The outcome of a writer operation, in the manner of LevelDB's Status: ok,
// or an error with a message that says what failed and where.
#pragma once

#include <string>
#include <utility>

namespace vorelka::jet {

class Status {
 public:
  Status() = default;  // ok
  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message), true); }

  bool ok() const { return !failed_; }
  const std::string& message() const { return message_; }

 private:
  Status(std::string message, bool failed) : message_(std::move(message)), failed_(failed) {}

  std::string message_;
  bool failed_ = false;
};

}  // namespace vorelka::jet
