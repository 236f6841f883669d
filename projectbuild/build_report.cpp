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
    totals.linksRemoved += file.linksRemoved.size();
    totals.bytesIn += file.bytesIn;
    totals.bytesOut += file.bytesOut;
    const uint64_t entries = file.entriesRemoved.size();
    if (file.kind == SourceKind::kContents) totals.contentsEntriesRemoved += entries;
    if (file.kind == SourceKind::kIndex) totals.indexEntriesRemoved += entries;
    if (file.kind == SourceKind::kHelpProject) totals.projectLinesRemoved += entries;
  }
  totals.skipped = static_cast<uint32_t>(skipped.size());
  return totals;
}

}  // namespace bte::projectbuild
