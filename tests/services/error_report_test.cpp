#include <gtest/gtest.h>

#include <stdexcept>

#include "services/error.h"
#include "services/error_report.h"
#include "services/testing/recording.h"

namespace vorelka::services {
namespace {

TEST(ErrorReport, ShowsNumberSpaceDashSpaceDescriptionInOneExclamationBoxWithOkOnly) {
  EXPECT_EQ(FormatErrorReport({-2147217900, "Negative"}), "-2147217900 - Negative");
  EXPECT_EQ(FormatErrorReport({0, ""}), "0 - ");
  testing::RecordingMessageBox box;
  ShowErrorReport(box, {3024, "Could not find file '/x/words.mdb'."});
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, "3024 - Could not find file '/x/words.mdb'.");
  EXPECT_EQ(box.shown[0].style, MessageStyle::kExclamation);
}

Error ErrorOf(void (*thrower)()) {
  try {
    thrower();
  } catch (...) {
    return CurrentError();
  }
  return {};
}

TEST(CurrentError, KeepsARaisedErrorAndGivesEveryOtherExceptionANumberAndADescription) {
  const Error raised = ErrorOf([] { Raise(3078, "Cannot find the input table 'Words'."); });
  EXPECT_EQ(raised.number, 3078);
  EXPECT_EQ(raised.description, "Cannot find the input table 'Words'.");
  EXPECT_EQ(ErrorOf([] { throw std::bad_alloc(); }).number, kErrOutOfMemory);
  EXPECT_EQ(ErrorOf([] { throw std::overflow_error("x"); }).number, kErrOverflow);
  const Error runtime = ErrorOf([] { throw std::runtime_error("boom"); });
  EXPECT_EQ(runtime.number, kErrInternal);
  EXPECT_NE(runtime.description.find("boom"), std::string::npos);
  const Error unknown = ErrorOf([] { throw 42; });
  EXPECT_EQ(unknown.number, kErrInternal);
  EXPECT_FALSE(unknown.description.empty());
}

}  // namespace
}  // namespace vorelka::services
