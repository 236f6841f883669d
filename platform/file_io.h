// Whole-file reading and atomic whole-file writing, the only file access the
// filters need.
#ifndef BTE_PLATFORM_FILE_IO_H
#define BTE_PLATFORM_FILE_IO_H

#include <cstdint>
#include <string>
#include <vector>

namespace bte::platform {

// Reads the file whole, followed by one zero byte that is not counted in
// length. Throws BuildTagExprFileError when the file cannot be opened or
// read; returns false when fewer bytes arrive than its size announced.
bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, uint32_t& length);

// Writes the bytes to a temporary file beside path and renames it over
// path, so a failure leaves any existing file untouched. false on failure.
bool WriteFileAtomically(const std::string& path, const char* data, uint32_t length);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_FILE_IO_H
