// Random numbers in the manner of the runtime: re-seed from the clock, then
// draw a single-precision value in [0, 1).
#pragma once

#include <cstdint>
#include <functional>

namespace vorelka::services {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Mixes the clock into the generator's state. It never restarts the
  // sequence, so two draws within one tick of the clock still differ.
  virtual void Randomize() = 0;
  // The next value r, 0 <= r < 1.
  virtual float Rnd() = 0;
};

// A 64-bit generator (SplitMix64) whose state the clock is folded into.
class ClockRandom final : public RandomSource {
 public:
  using Clock = std::function<uint64_t()>;  // any monotonically varying tick
  ClockRandom();                            // the steady clock in nanoseconds
  explicit ClockRandom(Clock clock);

  void Randomize() override;
  float Rnd() override;

 private:
  uint64_t Next();

  Clock clock_;
  uint64_t state_;
};

}  // namespace vorelka::services
