#include "platform/change_watch.h"

#include <utility>

namespace bte::platform {

ProcessChangeWatch::ProcessChangeWatch(std::unique_ptr<ChangeWatch> system)
    : system_(std::move(system)) {}

// A snapshot's marks name this watch, which no folder of the system's can be.
ChangeMark ProcessChangeWatch::Watch(const std::string& folder, const std::string& file) {
  if (snapshots_.load(std::memory_order_relaxed)) return {this, snapshot_.load()};
  return system_->Watch(folder, file);
}

void ProcessChangeWatch::CatchUp() {
  if (!snapshots_.load(std::memory_order_relaxed)) system_->CatchUp();
}

bool ProcessChangeWatch::Unchanged(const ChangeMark& mark) const {
  if (snapshots_.load(std::memory_order_relaxed))
    return mark.folder == this && mark.changes == snapshot_.load();
  return system_->Unchanged(mark);
}

void ProcessChangeWatch::UseSnapshots() { snapshots_.store(true); }

void ProcessChangeWatch::NewSnapshot() {
  if (snapshots_.load()) snapshot_.fetch_add(1);
}

ProcessChangeWatch& SharedChangeWatch() {
  static ProcessChangeWatch watch(SystemChangeWatch());
  return watch;
}

}  // namespace bte::platform
