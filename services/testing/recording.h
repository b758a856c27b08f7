// Recording doubles of the services, for tests: they remember what the
// program asked of them and answer from a script.
#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "services/message_box.h"
#include "services/program_end.h"
#include "services/random.h"

namespace vorelka::services::testing {

struct ShownMessage {
  std::string text;
  MessageStyle style;
};

class RecordingMessageBox final : public MessageBox {
 public:
  void Show(std::string_view text, MessageStyle style) override {
    shown.push_back({std::string(text), style});
    if (on_show) on_show(shown.back());
  }
  std::vector<ShownMessage> shown;
  std::function<void(const ShownMessage&)> on_show;  // runs while the box "is open"
};

// Thrown by RecordingProgramEnd so that nothing after End() runs.
struct ProgramEnded : std::exception {
  const char* what() const noexcept override { return "program ended"; }
};

class RecordingProgramEnd final : public ProgramEnd {
 public:
  [[noreturn]] void End() override {
    ++calls;
    throw ProgramEnded();
  }
  int calls = 0;
};

// Draws the scripted values in order, then repeats the last one.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<float> values = {0.0f}) : values_(std::move(values)) {}
  void Randomize() override { ++randomize_calls; }
  float Rnd() override {
    ++draws;
    const float r = values_.front();
    if (values_.size() > 1) values_.pop_front();
    return r;
  }
  void Push(float r) { values_.push_back(r); }
  int randomize_calls = 0;
  int draws = 0;

 private:
  std::deque<float> values_;
};

}  // namespace vorelka::services::testing
