#include "cli/build_printing.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

namespace bte::cli {
namespace {

using projectbuild::BuildReport;
using projectbuild::BuildTotals;
using projectbuild::FileOutcome;
using projectbuild::FileResult;

const char* OutcomeName(FileOutcome outcome) {
  switch (outcome) {
    case FileOutcome::kFiltered: return "filtered";
    case FileOutcome::kCopied: return "copied";
    case FileOutcome::kLeftOut: return "left out";
    case FileOutcome::kFailed: return "failed";
  }
  return "";
}

std::string Megabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(bytes) / 1e6);
  return text;
}

// Only for projects with contents, index or project files that named a
// left-out topic.
std::string HelpFileCounts(const BuildTotals& t) {
  if (t.contentsEntriesRemoved + t.indexEntriesRemoved + t.projectLinesRemoved == 0) return "";
  return ", " + std::to_string(t.contentsEntriesRemoved) + " contents entries, " +
         std::to_string(t.indexEntriesRemoved) + " index entries and " +
         std::to_string(t.projectLinesRemoved) + " project file lines removed";
}

// What was left out or removed, topic by topic and entry by entry.
void PrintRemovals(const BuildReport& report, std::ostream& out) {
  for (const FileResult& file : report.files)
    if (file.outcome == FileOutcome::kLeftOut)
      out << "left out: " << file.relative.string() << " (" << file.reason << ")\n";
  for (const FileResult& file : report.files)
    for (const std::string& link : file.linksRemoved)
      out << "link removed from " << file.relative.string() << ": " << link << '\n';
  for (const FileResult& file : report.files)
    for (const std::string& entry : file.entriesRemoved)
      out << "removed from " << file.relative.string() << ": " << entry << '\n';
}

}  // namespace

std::string FormatSummary(const BuildReport& report, bool quiet) {
  const BuildTotals t = report.Totals();
  std::ostringstream out;
  for (const FileResult& file : report.files)
    if (file.outcome == FileOutcome::kFailed)
      out << "failed: " << file.relative.string() << ": " << file.reason << '\n';
  if (!quiet) PrintRemovals(report, out);
  for (const auto& [path, reason] : report.skipped)
    out << "skipped: " << path.string() << ": " << reason << '\n';
  const std::set<std::filesystem::path> earlier(report.staleFromEarlierBuild.begin(),
                                                report.staleFromEarlierBuild.end());
  for (const auto& path : report.staleOutputs) {
    out << "stale: " << path.string();
    if (earlier.count(path))
      out << " (written by an earlier build, not by this one; kept, --clean deletes it)\n";
    else
      out << " (in the output folder, not made by this build; kept)\n";
  }
  for (const auto& path : report.deletedOutputs)
    out << (report.dryRun ? "would delete: " : "deleted: ") << path.string()
        << " (written by an earlier build, not by this one)\n";
  if (report.dryRun) out << "dry run: nothing was written or deleted\n";
  if (report.review)
    out << "review copy: nothing was removed; what a build removes is marked and stays visible. "
           "Not a build: do not publish it\n";
  for (const std::string& warning : report.warnings) out << "warning: " << warning << '\n';
  if (report.interrupted) out << "interrupted: files not yet started were not built\n";
  out << (report.target.empty() ? "expression" : "target " + report.target) << " \""
      << report.expression << "\": " << t.filtered << " files filtered, " << t.copied
      << " copied, " << t.leftOut << " topics left out, " << t.failed << " failed; "
      << t.elementsRemoved << " elements, " << t.linksRemoved << " links and "
      << t.annotationsRemoved << " annotations removed" << HelpFileCounts(t) << "; " << Megabytes(t.bytesIn) << " in, " << Megabytes(t.bytesOut)
      << " out";
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f s", report.seconds);
  out << ", " << seconds << '\n';
  return out.str();
}

namespace {

nlohmann::json ReportJson(const BuildReport& report) {
  const BuildTotals t = report.Totals();
  nlohmann::json files = nlohmann::json::array();
  for (const FileResult& file : report.files) {
    nlohmann::json entry = {{"path", file.relative.generic_string()},
                            {"outcome", OutcomeName(file.outcome)},
                            {"bytesIn", file.bytesIn},
                            {"bytesOut", file.bytesOut},
                            {"elementsRemoved", file.elementsRemoved},
                            {"annotationsRemoved", file.annotationsRemoved}};
    if (!file.reason.empty()) entry["reason"] = file.reason;
    if (!file.entriesRemoved.empty()) entry["entriesRemoved"] = file.entriesRemoved;
    if (!file.linksRemoved.empty()) entry["linksRemoved"] = file.linksRemoved;
    files.push_back(entry);
  }
  nlohmann::json skipped = nlohmann::json::array();
  for (const auto& [path, reason] : report.skipped)
    skipped.push_back({{"path", path.generic_string()}, {"reason", reason}});
  const auto paths = [](const std::vector<std::filesystem::path>& list) {
    nlohmann::json array = nlohmann::json::array();
    for (const auto& path : list) array.push_back(path.generic_string());
    return array;
  };
  nlohmann::json document = {
      {"target", report.target},
      {"expression", report.expression},
      {"expressionValid", report.expressionValid},
      {"filesFiltered", t.filtered},
      {"filesCopied", t.copied},
      {"topicsLeftOut", t.leftOut},
      {"filesFailed", t.failed},
      {"elementsRemoved", t.elementsRemoved},
      {"linksRemoved", t.linksRemoved},
      {"annotationsRemoved", t.annotationsRemoved},
      {"contentsEntriesRemoved", t.contentsEntriesRemoved},
      {"indexEntriesRemoved", t.indexEntriesRemoved},
      {"projectLinesRemoved", t.projectLinesRemoved},
      {"bytesIn", t.bytesIn},
      {"bytesOut", t.bytesOut},
      {"seconds", report.seconds},
      {"interrupted", report.interrupted},
      {"dryRun", report.dryRun},
      {"review", report.review},
      {"files", files},
      {"skipped", skipped},
      {"stale", paths(report.staleOutputs)},
      {"staleFromEarlierBuild", paths(report.staleFromEarlierBuild)},
      {"deleted", paths(report.deletedOutputs)},
      {"warnings", report.warnings}};
  if (!report.expressionValid) document["expressionFault"] = report.expressionFault;
  return document;
}

std::string Dump(const nlohmann::json& document) {
  return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string FormatJson(const BuildReport& report) { return Dump(ReportJson(report)); }

std::string FormatJson(const std::vector<BuildReport>& reports) {
  nlohmann::json list = nlohmann::json::array();
  for (const BuildReport& report : reports) list.push_back(ReportJson(report));
  return Dump(list);
}

}  // namespace bte::cli
