#pragma once
// Runs a test inside a fresh working folder, as the program runs inside its
// own: DATA/... paths resolve there.

#include <filesystem>

#include "support/temp_dir.h"

namespace kivrel::testing {

class WorkingFolder {
 public:
  WorkingFolder() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(dir_.path()); }
  ~WorkingFolder() { std::filesystem::current_path(previous_); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  std::filesystem::path previous_;
};

}  // namespace kivrel::testing
