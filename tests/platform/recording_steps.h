// Replacement steps that do the system's work and log each call in order;
// one named step can be made to fail instead.
#ifndef BTE_TESTS_PLATFORM_RECORDING_STEPS_H
#define BTE_TESTS_PLATFORM_RECORDING_STEPS_H

#include <cerrno>
#include <string>
#include <vector>

#include "platform/replacement_steps.h"

namespace bte::test {

class RecordingSteps : public platform::ReplacementSteps {
 public:
  explicit RecordingSteps(platform::ReplacementSteps& system = platform::SystemReplacementSteps())
      : system_(system) {}

  std::vector<std::string> calls;
  std::string failing;  // the step that answers EIO without running

  std::string ResolveLinks(const std::string& path) override {
    calls.push_back("ResolveLinks");
    return system_.ResolveLinks(path);
  }
  platform::FileResult CreateTemporary(const std::string& target, Temporary& temporary) override {
    return Run("CreateTemporary", [&] { return system_.CreateTemporary(target, temporary); });
  }
  platform::FileResult Write(Temporary& temporary, std::string_view bytes) override {
    return Run("Write", [&] { return system_.Write(temporary, bytes); });
  }
  platform::FileResult Flush(Temporary& temporary) override {
    return Run("Flush", [&] { return system_.Flush(temporary); });
  }
  platform::FileResult Close(Temporary& temporary) override {
    return Run("Close", [&] { return system_.Close(temporary); });
  }
  platform::FileResult MoveOver(Temporary& temporary, const std::string& target) override {
    return Run("MoveOver", [&] { return system_.MoveOver(temporary, target); });
  }
  void FlushFolder(const std::string& target) override {
    calls.push_back("FlushFolder");
    system_.FlushFolder(target);
  }
  void Discard(Temporary& temporary) override {
    calls.push_back("Discard");
    system_.Discard(temporary);
  }

 private:
  template <class Step>
  platform::FileResult Run(const std::string& name, Step step) {
    calls.push_back(name);
    if (name == failing) return {platform::FileStatus::kFailed, EIO};
    return step();
  }

  platform::ReplacementSteps& system_;
};

}  // namespace bte::test

#endif  // BTE_TESTS_PLATFORM_RECORDING_STEPS_H
