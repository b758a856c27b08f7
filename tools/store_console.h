// The word store's error reports on a terminal: each report goes to
// standard error in the standard form ("Vorelka: 3024 - ..."), and the
// command remembers that one was shown so that it can exit with a failure.
#pragma once

#include "services/message_box.h"

namespace vorelka::tools {

class ReportingConsole final : public services::MessageBox {
 public:
  void Show(std::string_view text, services::MessageStyle style) override {
    ++reports_;
    console_.Show(text, style);
  }
  bool reported() const { return reports_ > 0; }

 private:
  services::ConsoleMessageBox console_;
  int reports_ = 0;
};

}  // namespace vorelka::tools
