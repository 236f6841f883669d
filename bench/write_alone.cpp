// The part of a build that is only making files: every file of a project,
// read into memory first, is written to an output folder the way a build
// writes its outputs, on one thread or several taking the files in turn.
// Prints the seconds the writing took. Set beside the tool's --jobs 1 and
// --jobs 2 builds, it shows how much of a build the file system keeps from
// going faster on more threads.
//   write_alone SOURCE-FOLDER OUTPUT-FOLDER THREADS
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "projectbuild/output_file.h"

namespace fs = std::filesystem;

namespace {

struct ProjectFile {
  fs::path relative;
  std::string bytes;
};

bool ReadProject(const fs::path& source, std::vector<ProjectFile>& files) {
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
    if (!entry.is_regular_file()) continue;
    ProjectFile file{entry.path().lexically_relative(source), {}};
    std::string error;
    if (!bte::projectbuild::ReadWholeFile(entry.path(), file.bytes, error)) {
      std::fprintf(stderr, "%s: %s\n", entry.path().c_str(), error.c_str());
      return false;
    }
    files.push_back(std::move(file));
  }
  return true;
}

// Writes every file, the threads taking the next one in turn as a build's
// do; false when one could not be written.
bool WriteAll(const std::vector<ProjectFile>& files, const fs::path& output, unsigned threads) {
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  auto worker = [&] {
    for (size_t i; (i = next++) < files.size();) {
      std::string error;
      if (!bte::projectbuild::WriteFileMakingFolders(output / files[i].relative, files[i].bytes,
                                                     error))
        failed = true;
    }
  };
  std::vector<std::thread> others;
  for (unsigned t = 1; t < threads; ++t) others.emplace_back(worker);
  worker();
  for (std::thread& other : others) other.join();
  return !failed;
}

}  // namespace

int main(int argc, char** argv) {
  const unsigned threads = argc == 4 ? static_cast<unsigned>(std::atoi(argv[3])) : 0;
  if (threads == 0) {
    std::fprintf(stderr, "usage: write_alone SOURCE-FOLDER OUTPUT-FOLDER THREADS\n");
    return 2;
  }
  std::vector<ProjectFile> files;
  if (!ReadProject(argv[1], files)) return 1;
  const auto start = std::chrono::steady_clock::now();
  const bool written = WriteAll(files, argv[2], threads);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!written) {
    std::fprintf(stderr, "write_alone: a file could not be written\n");
    return 1;
  }
  std::printf("%.6f\n", seconds);
  return 0;
}
