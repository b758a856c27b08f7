// Application facts: the title, the version and the folder that holds the
// program file.
#pragma once

#include <string>

namespace vorelka::services {

struct Version {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

inline constexpr char kAppTitle[] = "Vorelka";

// "1.0.2": major, minor and revision in plain decimal.
std::string FormatVersion(const Version& version);

class AppFacts {
 public:
  virtual ~AppFacts() = default;
  virtual std::string Title() const = 0;
  virtual Version GetVersion() const = 0;
  // The program's folder, without a trailing separator except at the root.
  // Raises "Path not found" when the folder cannot be found.
  virtual std::string Folder() const = 0;
};

// The facts of this build and of the running executable. Linux gives its
// path through a link (tests name a link that cannot be read); Windows
// through the module's file name, and the link is not used there.
class ProcessAppFacts final : public AppFacts {
 public:
  explicit ProcessAppFacts(std::string self_link = "/proc/self/exe")
      : self_link_(std::move(self_link)) {}
  std::string Title() const override { return kAppTitle; }
  Version GetVersion() const override;
  std::string Folder() const override;

 private:
  std::string self_link_;
};

// Fixed facts, for tests and for tools that name their own folder.
class FixedAppFacts final : public AppFacts {
 public:
  explicit FixedAppFacts(std::string folder, Version version = {1, 0, 2})
      : folder_(std::move(folder)), version_(version) {}
  std::string Title() const override { return kAppTitle; }
  Version GetVersion() const override { return version_; }
  std::string Folder() const override { return folder_; }

 private:
  std::string folder_;
  Version version_;
};

// The folder part of an executable's path, links already resolved: no
// trailing separator, except that a root keeps its own ("/", "C:\\").
std::string FolderOfExecutable(const std::string& resolved_path);

}  // namespace vorelka::services
