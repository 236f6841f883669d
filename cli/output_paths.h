// Output paths of the single-file commands.
#ifndef BTE_CLI_OUTPUT_PATHS_H
#define BTE_CLI_OUTPUT_PATHS_H

#include <string>

namespace bte::cli {

// Whether output names the input file ("-" names no file), so that writing
// it would overwrite the input.
bool IsSameFile(const std::string& input, const std::string& output);

}  // namespace bte::cli

#endif  // BTE_CLI_OUTPUT_PATHS_H
