// Error information: what struck, as a number and a description, in the
// manner of the runtime's error object. Errors are raised in one place
// (Raise) and turned into the user's message box in one place
// (ShowErrorReport, in error_report.h).
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace vorelka::services {

struct Error {
  int32_t number = 0;
  std::string description;
};

// Numbers the runtime itself raises.
inline constexpr int32_t kErrInvalidProcedureCall = 5;
inline constexpr int32_t kErrOverflow = 6;
inline constexpr int32_t kErrOutOfMemory = 7;
inline constexpr int32_t kErrDivisionByZero = 11;
inline constexpr int32_t kErrInternal = 51;
inline constexpr int32_t kErrPathNotFound = 76;
inline constexpr int32_t kErrCannotCreateObject = 429;

// The exception that carries an Error from where it is raised to the trap.
class ErrorRaised : public std::exception {
 public:
  explicit ErrorRaised(Error error) : error_(std::move(error)) {}
  const Error& error() const noexcept { return error_; }
  const char* what() const noexcept override { return error_.description.c_str(); }

 private:
  Error error_;
};

[[noreturn]] void Raise(int32_t number, std::string description);
[[noreturn]] void Raise(Error error);

// Inside a catch block: the Error of the exception being handled, whatever
// its kind, so that a trap can report anything that was thrown.
Error CurrentError() noexcept;

}  // namespace vorelka::services
