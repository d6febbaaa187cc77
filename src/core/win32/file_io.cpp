// Windows side of file_io.
#include <windows.h>

#include <string>

#include "core/file_io.h"

namespace pathorama::core {

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

FileStatus FromError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return FileStatus::kNotFound;
    case ERROR_WRITE_PROTECT: return FileStatus::kReadOnly;
    case ERROR_ACCESS_DENIED: return FileStatus::kAccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileStatus::kLocked;
    default: return FileStatus::kFailed;
  }
}

struct Handle {
  HANDLE h;
  explicit Handle(HANDLE handle) : h(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!Valid()) return true;
    BOOL ok = CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }
};

}  // namespace

bool FileExists(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileBytes ReadFileBytes(const std::u16string& path) {
  Handle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return {FromError(GetLastError()), {}};
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.h, &size)) return {FromError(GetLastError()), {}};
  if (static_cast<unsigned long long>(size.QuadPart) > kMaxFileBytes)
    return {FileStatus::kTooLarge, {}};
  FileBytes result;
  std::string& bytes = result.bytes;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t got = 0;
  while (got < bytes.size()) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(bytes.size() - got > (1u << 24) ? (1u << 24) : bytes.size() - got);
    if (!ReadFile(file.h, &bytes[got], want, &n, nullptr)) return {FromError(GetLastError()), {}};
    if (n == 0) break;  // shrank since the size was taken
    got += n;
  }
  bytes.resize(got);
  return result;
}

FileStatus SaveFileSafely(const std::u16string& path, std::string_view bytes) {
  DWORD attributes = GetFileAttributesW(Wide(path));
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileStatus::kFailed;
    if (attributes & FILE_ATTRIBUTE_READONLY) return FileStatus::kReadOnly;
  }
  const std::u16string temp = path + u".tmp";
  // A temporary file left by a crash (maybe read-only) must not block saving.
  SetFileAttributesW(Wide(temp), FILE_ATTRIBUTE_NORMAL);
  FileStatus status = FileStatus::kOk;
  {
    Handle file(CreateFileW(Wide(temp), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return FromError(GetLastError());
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD n = 0;
      DWORD want = static_cast<DWORD>(bytes.size() - done > (1u << 24) ? (1u << 24) : bytes.size() - done);
      if (!WriteFile(file.h, bytes.data() + done, want, &n, nullptr) || n == 0) {
        status = FromError(GetLastError());
        break;
      }
      done += n;
    }
    if (status == FileStatus::kOk && !FlushFileBuffers(file.h)) status = FromError(GetLastError());
    if (!file.Close() && status == FileStatus::kOk) status = FromError(GetLastError());
  }
  if (status == FileStatus::kOk) {
    // A virus scanner or indexer may hold the file for a moment: a few short
    // retries before the save is reported as failed.
    for (int attempt = 0;; ++attempt) {
      if (MoveFileExW(Wide(temp), Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        break;
      DWORD error = GetLastError();
      status = FromError(error);
      if (status != FileStatus::kLocked || attempt == 3) break;
      status = FileStatus::kOk;
      Sleep(50);
    }
  }
  if (status != FileStatus::kOk) DeleteFileW(Wide(temp));
  return status;
}

FileStatus RenameFileNoReplace(const std::u16string& from, const std::u16string& to) {
  // Without MOVEFILE_REPLACE_EXISTING an existing target makes the move fail.
  if (MoveFileExW(Wide(from), Wide(to), MOVEFILE_WRITE_THROUGH)) return FileStatus::kOk;
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
    return FileStatus::kAlreadyExists;
  return FromError(error);
}

FileStatus ClearReadOnly(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileStatus::kOk
                                                                          : FromError(error);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileStatus::kFailed;
  if (!SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_NORMAL)) return FromError(GetLastError());
  return FileStatus::kOk;
}

}  // namespace pathorama::core
