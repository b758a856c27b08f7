#include "store/card_choice.h"

#include <cmath>
#include <limits>
#include <string>

#include "services/error.h"
#include "services/error_report.h"

namespace vorelka::store {

int32_t PickRandomId(int32_t lCount, services::RandomSource& random, services::MessageBox& box) {
  try {
    random.Randomize();  // on every call, not once per run
    if (lCount == 0) return 0;
    if (lCount < 0) {
      // A count is never negative; drawing from one would give keys at or
      // below 0 that no row has.
      services::Raise(services::kErrInvalidProcedureCall,
                      "Invalid procedure call or argument: cannot draw a key from " +
                          std::to_string(lCount) + " word pairs.");
    }
    const float r = random.Rnd();
    const double key = std::floor(static_cast<double>(r) * static_cast<double>(lCount) + 1.0);
    // A generator outside [0, 1) would give a key outside 1..count, or none.
    if (!std::isfinite(key) || key < 1.0 || key > static_cast<double>(lCount)) {
      services::Raise(services::kErrOverflow, "Overflow: the random number " + std::to_string(r) +
                                                  " gives no key between 1 and " +
                                                  std::to_string(lCount) + ".");
    }
    return static_cast<int32_t>(key);
  } catch (...) {
    services::ShowErrorReport(box, services::CurrentError());
    return 0;
  }
}

}  // namespace vorelka::store
