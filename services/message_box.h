// Modal message boxes with one OK button. The caption is always the
// application title; the result is never read.
#pragma once

#include <string>
#include <string_view>

namespace vorelka::services {

// The platform's style numbers: icon plus OK button.
enum class MessageStyle : int {
  kCritical = 16,     // stop icon, OK
  kExclamation = 48,  // exclamation icon, OK
};

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Returns when the user has dismissed the box.
  virtual void Show(std::string_view text, MessageStyle style) = 0;
};

// For command-line tools: "Vorelka: <text>" on standard error.
class ConsoleMessageBox final : public MessageBox {
 public:
  void Show(std::string_view text, MessageStyle style) override;
};

}  // namespace vorelka::services
