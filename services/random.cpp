#include "services/random.h"

#include <chrono>

namespace vorelka::services {
namespace {

uint64_t SteadyNanoseconds() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

// SplitMix64's output function: a bijection that spreads every input bit.
uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

constexpr uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ULL;
constexpr int kFloatMantissaBits = 24;

}  // namespace

ClockRandom::ClockRandom() : ClockRandom(SteadyNanoseconds) {}

ClockRandom::ClockRandom(Clock clock) : clock_(std::move(clock)), state_(Mix(clock_())) {}

void ClockRandom::Randomize() {
  // Folded in, not assigned: the state keeps what earlier draws made of it.
  // Added and mixed rather than xor-ed, so that the same tick twice (at
  // construction and at the first re-seed, say) does not cancel itself out
  // and leave every generator in the same state.
  state_ = Mix(state_ + Mix(clock_()));
}

uint64_t ClockRandom::Next() {
  state_ += kGoldenGamma;
  return Mix(state_);
}

float ClockRandom::Rnd() {
  // The top 24 bits make a float exactly, so the value never rounds up to 1.
  const uint64_t bits = Next() >> (64 - kFloatMantissaBits);
  return static_cast<float>(bits) / static_cast<float>(uint64_t{1} << kFloatMantissaBits);
}

}  // namespace vorelka::services
