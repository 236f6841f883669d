#include "platform/file_io.h"

#include <atomic>
#include <cstdint>
#include <cstring>

#include "platform/replacement_steps.h"
#include "platform/wide_path_win32.h"

namespace bte::platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// ReadFile and WriteFile take a 32-bit count.
constexpr DWORD kChunk = DWORD{1} << 30;

FileResult Failure(DWORD error) {
  const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  return {missing ? FileStatus::kMissing : FileStatus::kFailed, static_cast<int>(error)};
}

FileResult LastFailure() { return Failure(GetLastError()); }

// Closes the handle on every way out.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

HANDLE OpenExisting(const std::wstring& path, DWORD access) {
  // Backup semantics let a folder be opened, so that it can be told apart.
  return CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A folder, a device or a pipe is not a file to read or replace.
FileResult RegularFileCheck(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(handle) != FILE_TYPE_DISK) return {FileStatus::kNotAFile, ERROR_INVALID_FUNCTION};
  if (!GetFileInformationByHandle(handle, &info)) return LastFailure();
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return {FileStatus::kNotAFile, ERROR_DIRECTORY};
  return {};
}

FileResult ReadInto(HANDLE handle, uint64_t size, uint64_t sizeLimit, std::string& bytes) {
  // One byte more than announced shows, without a second allocation,
  // whether the file grew since.
  bytes.resize(static_cast<size_t>(size) + 1);
  size_t done = 0;
  for (;;) {
    if (done == bytes.size()) bytes.resize(done + done / 2 + 4096);
    const size_t wanted = bytes.size() - done;
    DWORD got = 0;
    if (!ReadFile(handle, &bytes[done], wanted < kChunk ? static_cast<DWORD>(wanted) : kChunk, &got,
                  nullptr))
      return LastFailure();
    if (got == 0) break;
    done += got;
    if (done > sizeLimit) return {FileStatus::kTooLarge, ERROR_FILE_TOO_LARGE};
  }
  bytes.resize(done);
  return {};
}

FileResult ReadRegularFile(HANDLE file, uint64_t sizeLimit, std::string& bytes) {
  const FileResult regular = RegularFileCheck(file);
  if (!regular.ok()) return regular;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return LastFailure();
  if (static_cast<uint64_t>(size.QuadPart) > sizeLimit)
    return {FileStatus::kTooLarge, ERROR_FILE_TOO_LARGE};
  return ReadInto(file, static_cast<uint64_t>(size.QuadPart), sizeLimit, bytes);
}

// The read-only attribute is what Windows itself refuses writes for; the
// check on a handle opened for writing covers the folder's access rules.
FileResult Replaceable(const std::wstring& path) {
  const Handle probe(OpenExisting(path, 0));
  if (!probe.valid()) return LastFailure();
  const FileResult regular = RegularFileCheck(probe.get());
  if (!regular.ok()) return regular;
  if ((GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0)
    return {FileStatus::kReadOnly, ERROR_ACCESS_DENIED};
  const Handle writer(OpenExisting(path, GENERIC_WRITE));
  if (!writer.valid()) return LastFailure();
  return {};
}

// The name without its folder starts after the last "/" or "\".
size_t NameStart(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? 0 : separator + 1;
}

class Win32Steps final : public ReplacementSteps {
 public:
  std::string ResolveLinks(const std::string& path) override {
    const std::wstring wide = WidePath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
      return path;
    const Handle file(OpenExisting(wide, 0));
    if (!file.valid()) return path;
    wchar_t resolved[32768];
    const DWORD length = GetFinalPathNameByHandleW(file.get(), resolved, 32768, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= 32768) return path;
    std::wstring target(resolved, length);
    if (target.rfind(L"\\\\?\\UNC\\", 0) == 0)
      target = L"\\\\" + target.substr(8);
    else if (target.rfind(L"\\\\?\\", 0) == 0)
      target = target.substr(4);
    return WideToMultiByte(target);
  }

  FileResult CreateTemporary(const std::string& target, Temporary& temporary) override {
    const std::wstring wide = WidePath(target);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      const FileResult refused = Replaceable(wide);
      if (!refused.ok()) return refused;
    }
    // The new file takes the old one's attributes (hidden, say), so that the
    // replacement looks like an edit.
    attributes = attributes == INVALID_FILE_ATTRIBUTES
                     ? FILE_ATTRIBUTE_NORMAL
                     : attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    for (int attempt = 0; attempt < 100; ++attempt) {
      temporary.path = TemporaryNameFor(target);
      const HANDLE file = CreateFileW(WidePath(temporary.path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, attributes ? attributes : FILE_ATTRIBUTE_NORMAL,
                                      nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        temporary.handle = reinterpret_cast<intptr_t>(file);
        return {};
      }
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return Failure(error);
    }
    return Failure(ERROR_FILE_EXISTS);
  }

  FileResult Write(Temporary& temporary, std::string_view bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const size_t left = bytes.size() - done;
      DWORD put = 0;
      if (!WriteFile(HandleOf(temporary), bytes.data() + done,
                     left < kChunk ? static_cast<DWORD>(left) : kChunk, &put, nullptr))
        return LastFailure();
      if (put == 0) return Failure(ERROR_DISK_FULL);
      done += put;
    }
    return {};
  }

  FileResult Flush(Temporary& temporary) override {
    if (!FlushFileBuffers(HandleOf(temporary))) return LastFailure();
    return {};
  }

  FileResult Close(Temporary& temporary) override {
    const HANDLE file = HandleOf(temporary);
    temporary.handle = -1;
    if (!CloseHandle(file)) return LastFailure();
    return {};
  }

  // One rename that replaces the target, returning once it is on the disk.
  FileResult MoveOver(Temporary& temporary, const std::string& target) override {
    if (!MoveFileExW(WidePath(temporary.path).c_str(), WidePath(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return LastFailure();
    return {};
  }

  // MoveOver wrote the rename through already; a folder has no buffers of
  // its own to flush on Windows.
  void FlushFolder(const std::string&) override {}

  void Discard(Temporary& temporary) override {
    if (temporary.handle != -1) CloseHandle(HandleOf(temporary));
    temporary.handle = -1;
    DeleteFileW(WidePath(temporary.path).c_str());
  }

 private:
  static HANDLE HandleOf(const Temporary& temporary) {
    return reinterpret_cast<HANDLE>(temporary.handle);
  }
};

}  // namespace

FileContents ReadWholeFile(const std::string& path, uint64_t sizeLimit) {
  FileContents contents;
  FileResult& result = contents;
  const Handle file(OpenExisting(WidePath(path), GENERIC_READ));
  result = file.valid() ? ReadRegularFile(file.get(), sizeLimit, contents.bytes) : LastFailure();
  if (!result.ok()) contents.bytes.clear();
  return contents;
}

void FileView::Unmap() { UnmapViewOfFile(data_); }

FileResult OpenFileView(const std::string& path, FileView& view, uint64_t sizeLimit) {
  view.Release();
  const Handle file(OpenExisting(WidePath(path), GENERIC_READ));
  if (!file.valid()) return LastFailure();
  FileResult result = RegularFileCheck(file.get());
  if (!result.ok()) return result;
  LARGE_INTEGER announced{};
  if (!GetFileSizeEx(file.get(), &announced)) return LastFailure();
  const auto size = static_cast<uint64_t>(announced.QuadPart);
  if (size > sizeLimit) return {FileStatus::kTooLarge, ERROR_FILE_TOO_LARGE};
  if (size >= kSmallestMappedFile && size <= SIZE_MAX) {
    // The view keeps the mapping alive once both handles are closed.
    HANDLE mapping = CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* mapped = mapping != nullptr
                       ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size))
                       : nullptr;
    if (mapping != nullptr) CloseHandle(mapping);
    if (mapped != nullptr) {
      view.ShowMapped(mapped, static_cast<size_t>(size));
      return result;
    }
  }
  // Too small to be worth mapping, or a file system that cannot map.
  return view.ShowRead(ReadInto(file.get(), size, sizeLimit, view.read_));
}

FileResult CheckReplaceable(const std::string& path) {
  return Replaceable(WidePath(SystemReplacementSteps().ResolveLinks(path)));
}

bool HoldsExactly(const std::string& path, std::string_view bytes) {
  const std::wstring wide = WidePath(path);
  // The link itself, not what it leads to.
  const Handle file(CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file.get(), &info))
    return false;
  constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  const uint64_t size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if ((info.dwFileAttributes & kNotPlain) != 0 || info.nNumberOfLinks != 1 ||
      size != bytes.size() || !Replaceable(wide).ok())
    return false;
  char block[16384];
  for (size_t done = 0;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), block, sizeof block, &got, nullptr)) return false;
    if (got == 0) return done == bytes.size();
    if (got > bytes.size() - done || std::memcmp(block, bytes.data() + done, got) != 0)
      return false;
    done += got;
  }
}

std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const size_t nameStart = NameStart(target);
  return target.substr(0, nameStart) + std::string(kTemporaryPrefix) +
         std::to_string(GetCurrentProcessId()) + '-' + std::to_string(counter++) + '-' +
         target.substr(nameStart);
}

std::string Describe(const FileResult& result) {
  if (result.status == FileStatus::kAbandoned) return "the content could not be made";
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result.systemError), 0, reinterpret_cast<char*>(&text), 0,
      nullptr);
  std::string described = length > 0 ? std::string(text, length) : std::string();
  LocalFree(text);
  while (!described.empty() && (described.back() == '\n' || described.back() == '\r' ||
                                described.back() == ' ' || described.back() == '.'))
    described.pop_back();
  if (described.empty()) described = "system error " + std::to_string(result.systemError);
  return described;
}

ReplacementSteps& SystemReplacementSteps() {
  static Win32Steps steps;
  return steps;
}

// Every temporary file has a name here.
ReplacementSteps& NamedTemporaryReplacementSteps() { return SystemReplacementSteps(); }

}  // namespace bte::platform
