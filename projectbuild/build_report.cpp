#include "projectbuild/build_report.h"

namespace bte::projectbuild {

BuildTotals BuildReport::Totals() const {
  BuildTotals totals;
  for (const FileResult& file : files) {
    switch (file.outcome) {
      case FileOutcome::kFiltered: ++totals.filtered; break;
      case FileOutcome::kCopied: ++totals.copied; break;
      case FileOutcome::kLeftOut: ++totals.leftOut; break;
      case FileOutcome::kFailed: ++totals.failed; break;
    }
    totals.elementsRemoved += file.elementsRemoved;
    totals.annotationsRemoved += file.annotationsRemoved;
    totals.bytesIn += file.bytesIn;
    totals.bytesOut += file.bytesOut;
  }
  totals.skipped = static_cast<uint32_t>(skipped.size());
  return totals;
}

}  // namespace bte::projectbuild
