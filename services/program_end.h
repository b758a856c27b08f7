// Program end: stops the program at once; nothing after it runs.
#pragma once

namespace vorelka::services {

class ProgramEnd {
 public:
  virtual ~ProgramEnd() = default;
  [[noreturn]] virtual void End() = 0;
};

// Ends the process with status 0.
class ProcessProgramEnd final : public ProgramEnd {
 public:
  [[noreturn]] void End() override;
};

}  // namespace vorelka::services
