// The standard error report: "<number> - <description>" in an exclamation
// box captioned with the application title.
#pragma once

#include <string>

#include "services/error.h"
#include "services/message_box.h"

namespace vorelka::services {

std::string FormatErrorReport(const Error& error);
void ShowErrorReport(MessageBox& box, const Error& error);

}  // namespace vorelka::services
