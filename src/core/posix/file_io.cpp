// POSIX side of file_io: used natively (tests, benchmarks, the command-line
// tool). The read-only attribute of Windows is the owner's write bit here, so
// the behaviour is the same even for root, whom permissions do not stop.
#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/text.h"

namespace pathorama::core {

namespace {

std::string NativePath(const std::u16string& path) { return Utf16ToUtf8(path); }

FileStatus FromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return FileStatus::kNotFound;
    case EROFS:
      return FileStatus::kReadOnly;
    case EACCES:
    case EPERM:
      return FileStatus::kAccessDenied;
    case ETXTBSY:
    case EBUSY:
      return FileStatus::kLocked;
    case EFBIG:
      return FileStatus::kTooLarge;
    default:
      return FileStatus::kFailed;
  }
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    int rc = close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool FileExists(const std::u16string& path) {
  struct stat st;
  return stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileBytes ReadFileBytes(const std::u16string& path) {
  Fd fd(open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) return {FromErrno(errno), {}};
  struct stat st;
  if (fstat(fd.Get(), &st) != 0) return {FromErrno(errno), {}};
  if (!S_ISREG(st.st_mode)) return {FileStatus::kFailed, {}};
  if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes)
    return {FileStatus::kTooLarge, {}};
  FileBytes result;
  std::string& bytes = result.bytes;
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (true) {
    if (got == bytes.size()) {
      // The file may have grown since fstat: read on, up to the cap.
      if (bytes.size() >= kMaxFileBytes) break;
      bytes.resize(bytes.size() + 65536 > kMaxFileBytes ? kMaxFileBytes : bytes.size() + 65536);
    }
    ssize_t n = read(fd.Get(), &bytes[got], bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {FromErrno(errno), {}};
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return result;
}

FileStatus SaveFileSafely(const std::u16string& path, std::string_view bytes) {
  const std::string target = NativePath(path);
  mode_t mode = 0644;
  struct stat st;
  if (stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return FileStatus::kFailed;
    if (!(st.st_mode & S_IWUSR)) return FileStatus::kReadOnly;
    mode = st.st_mode & 07777;
  }
  const std::string temp = target + ".tmp";
  // A temporary file left by a crash (maybe read-only) must not block saving.
  unlink(temp.c_str());
  Fd fd(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
  if (fd.Get() < 0) return FromErrno(errno);
  FileStatus status = FileStatus::kOk;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      status = FromErrno(errno);
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (status == FileStatus::kOk && fsync(fd.Get()) != 0) status = FromErrno(errno);
  if (!fd.Close() && status == FileStatus::kOk) status = FromErrno(errno);
  if (status == FileStatus::kOk && rename(temp.c_str(), target.c_str()) != 0)
    status = FromErrno(errno);
  if (status != FileStatus::kOk) {
    unlink(temp.c_str());
    return status;
  }
  // Make the rename itself durable.
  Fd folder(open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) fsync(folder.Get());
  return FileStatus::kOk;
}

FileStatus RenameFileNoReplace(const std::u16string& from, const std::u16string& to) {
  const std::string source = NativePath(from), target = NativePath(to);
  // link() refuses an existing name, so checking and taking it are one step.
  if (link(source.c_str(), target.c_str()) == 0) {
    if (unlink(source.c_str()) == 0) return FileStatus::kOk;
    const int error = errno;
    unlink(target.c_str());
    return FromErrno(error);
  }
  if (errno == EEXIST) return FileStatus::kAlreadyExists;
  if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return FromErrno(errno);
  // A file system without hard links: check, then rename.
  struct stat st;
  if (lstat(target.c_str(), &st) == 0) return FileStatus::kAlreadyExists;
  if (rename(source.c_str(), target.c_str()) != 0) return FromErrno(errno);
  return FileStatus::kOk;
}

FileStatus ClearReadOnly(const std::u16string& path) {
  const std::string target = NativePath(path);
  struct stat st;
  if (stat(target.c_str(), &st) != 0) return errno == ENOENT ? FileStatus::kOk : FromErrno(errno);
  if (st.st_mode & S_IWUSR) return FileStatus::kOk;
  if (chmod(target.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0) return FromErrno(errno);
  return FileStatus::kOk;
}

}  // namespace pathorama::core
