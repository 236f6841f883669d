// Windows keeps to stamps: every mark is unwatched, so each cache checks
// the file's or folder's stamp as it always did (snapshots aside).
#include "platform/change_watch.h"

namespace bte::platform {
namespace {

class StampsOnly final : public ChangeWatch {
 public:
  ChangeMark Watch(const std::string&, const std::string&) override { return {}; }
  void CatchUp() override {}
  bool Unchanged(const ChangeMark&) const override { return false; }
};

}  // namespace

std::unique_ptr<ChangeWatch> SystemChangeWatch() { return std::make_unique<StampsOnly>(); }

}  // namespace bte::platform
