// Random card choice: the key of the next pair to show, 1..count.
#pragma once

#include <cstdint>

#include "services/message_box.h"
#include "services/random.h"

namespace vorelka::store {

// Re-seeds on every call; 0 for a count of 0 (nothing drawn); otherwise
// floor(r * count + 1) in double. A failure is reported and gives 0.
int32_t PickRandomId(int32_t lCount, services::RandomSource& random, services::MessageBox& box);

}  // namespace vorelka::store
