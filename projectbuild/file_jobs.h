// Building one file of a help project for one expression. Every call makes
// its own filter objects, so calls may run on several threads at once.
#ifndef BTE_PROJECTBUILD_FILE_JOBS_H
#define BTE_PROJECTBUILD_FILE_JOBS_H

#include <filesystem>
#include <string>
#include <string_view>

#include "projectbuild/build_report.h"
#include "projectbuild/source_tree.h"

namespace bte::projectbuild {

struct BuildPaths {
  std::filesystem::path source;  // canonical
  std::filesystem::path output;
};

// What every file of one target is built with.
struct TargetSettings {
  std::string expression;
  bool keepTags = false;  // keep the build-tag markup in output topics
  bool dryRun = false;    // decide and count everything, write nothing
  bool review = false;    // write a review copy: remove nothing, mark what a build removes
  bool excerpts = false;  // list the passages removed (for RTF documents, a second read)
  bool rebuild = false;   // an earlier build wrote to the output folder
};

// Reads a source file whole; the result counts the bytes read.
bool ReadSource(const std::filesystem::path& from, std::string& bytes, FileResult& result,
                std::string& error);

// Writes an output file (making its folder), or, in a dry run, nothing.
bool WriteOutput(const std::filesystem::path& to, std::string_view bytes,
                 const TargetSettings& settings, std::string& error);

// Copies the file unchanged (or, in a dry run, only reads it).
FileResult CopyUnchanged(const std::filesystem::path& from, const std::filesystem::path& to,
                         const TargetSettings& settings, FileResult result);

FileResult BuildOneFile(const BuildPaths& paths, const SourceFile& file,
                        const TargetSettings& settings);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_FILE_JOBS_H
