#include "cli/output_paths.h"

#include <filesystem>
#include <system_error>

namespace bte::cli {

bool IsSameFile(const std::string& input, const std::string& output) {
  if (input == "-" || output == "-") return false;
  std::error_code error;
  return std::filesystem::equivalent(input, output, error) && !error;
}

}  // namespace bte::cli
