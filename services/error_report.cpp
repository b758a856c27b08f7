#include "services/error_report.h"

namespace vorelka::services {

std::string FormatErrorReport(const Error& error) {
  return std::to_string(error.number) + " - " + error.description;
}

void ShowErrorReport(MessageBox& box, const Error& error) {
  box.Show(FormatErrorReport(error), MessageStyle::kExclamation);
}

}  // namespace vorelka::services
