// The process's watch switched to snapshots: a mark stands until the next
// snapshot begins, whatever changes meanwhile, and the system's watch is
// asked nothing from the switch on; before it, everything is the system's.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/change_watch.h"
#include "temp_folder.h"

namespace bte::platform {
namespace {

namespace fs = std::filesystem;

// A system watch whose one folder changes when told to, counting the calls
// it gets.
class CountingWatch final : public ChangeWatch {
 public:
  ChangeMark Watch(const std::string&, const std::string&) override {
    ++calls;
    return {&changes, changes};
  }
  void CatchUp() override { ++calls; }
  bool Unchanged(const ChangeMark& mark) const override {
    ++calls;
    return mark.folder == &changes && mark.changes == changes;
  }

  uint64_t changes = 1;
  mutable int calls = 0;
};

// What the model knows of a mark: when it was taken.
struct ModelMark {
  ChangeMark mark;
  bool inSnapshot;
  uint64_t snapshot;       // the model's snapshot count then
  uint64_t systemChanges;  // the system folder's changes then
};

// Seeded runs of watching, changing, catching up, switching and beginning
// snapshots, each mark checked after every step against a model that
// counts snapshots by itself.
TEST(SnapshotWatch, MarksStandExactlyAsTheModelSays) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    auto owned = std::make_unique<CountingWatch>();
    CountingWatch& system = *owned;
    ProcessChangeWatch watch(std::move(owned));
    std::mt19937 random(seed);
    bool snapshots = false;
    uint64_t snapshot = 0;
    int systemCallsAtSwitch = 0;
    std::vector<ModelMark> marks;
    for (int step = 0; step < 60; ++step) {
      switch (random() % 6) {
        case 0:
        case 1:
          marks.push_back({watch.Watch("folder", "topic.htm"), snapshots, snapshot, system.changes});
          break;
        case 2: ++system.changes; break;
        case 3: watch.CatchUp(); break;
        case 4:
          watch.NewSnapshot();
          if (snapshots) ++snapshot;
          break;
        case 5:
          if (!snapshots && random() % 4 == 0) {
            watch.UseSnapshots();
            snapshots = true;
            systemCallsAtSwitch = system.calls;
          }
          break;
      }
      for (const ModelMark& taken : marks) {
        const bool stands = snapshots ? taken.inSnapshot && taken.snapshot == snapshot
                                      : taken.systemChanges == system.changes;
        ASSERT_EQ(watch.Unchanged(taken.mark), stands) << "seed " << seed << " step " << step;
      }
      if (snapshots) ASSERT_EQ(system.calls, systemCallsAtSwitch) << "seed " << seed;
    }
  }
}

int InotifyInstances() {
  int count = 0;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    count += fs::read_symlink(entry.path(), error).string() == "anon_inode:inotify";
  }
  return count;
}

// The real system watch behind it: real changes leave a snapshot's mark
// standing, and no kernel watch is ever made.
TEST(SnapshotWatch, RealChangesLeaveTheSnapshotAndNoKernelWatchIsMade) {
  TempFolder root;
  const fs::path topic = root.path() / "topic.htm";
  std::ofstream(topic) << "<p>first</p>";
  const int instances = InotifyInstances();
  ProcessChangeWatch watch(SystemChangeWatch());
  watch.UseSnapshots();
  const ChangeMark mark = watch.Watch(root.path().string(), "topic.htm");
  std::ofstream(topic) << "<p>second</p>";
  std::ofstream(root.path() / "new.htm") << "<p>new</p>";
  watch.CatchUp();
  EXPECT_TRUE(watch.Unchanged(mark));
  EXPECT_EQ(InotifyInstances(), instances);
  watch.NewSnapshot();
  EXPECT_FALSE(watch.Unchanged(mark));
}

}  // namespace
}  // namespace bte::platform
