#include "output/stream.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "output/output_error.h"

namespace ksv {

namespace {

SystemErrorTextSource g_error_text_source = nullptr;

struct OpenFailure {
  unsigned long code;
  int errno_value;
};

void ResetOpenFailure() {
  errno = 0;
#ifdef _WIN32
  _doserrno = 0;
#endif
}

OpenFailure LastOpenFailure() {
  const int e = errno;
#ifdef _WIN32
  // The C library keeps the Windows error behind its errno; the system's
  // own text is made from that.
  const unsigned long code = _doserrno != 0 ? _doserrno : static_cast<unsigned long>(e);
#else
  const unsigned long code = static_cast<unsigned long>(e);
#endif
  return {code, e};
}

std::string FailureText(const OpenFailure& f) {
  if (g_error_text_source != nullptr) {
    std::string text = g_error_text_source(f.code);
    if (!text.empty()) return text;
  }
  return std::strerror(f.errno_value);
}

std::FILE* OpenFile(const std::filesystem::path& path, bool for_writing) {
#ifdef _WIN32
  return _wfopen(path.c_str(), for_writing ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), for_writing ? "wb" : "rb");
#endif
}

std::string Quoted(const char* prefix, const std::filesystem::path& path, std::string_view reason) {
  std::string text = prefix;
  text += " \"";
  text += PathToText(path);
  text += "\". ";
  text += reason;
  return text;
}

}  // namespace

std::string CannotCreateFileMessage(const std::filesystem::path& path, std::string_view reason) {
  return Quoted("Cannot create file", path, reason);
}

std::string CannotOpenFileMessage(const std::filesystem::path& path, std::string_view reason) {
  return Quoted("Cannot open file", path, reason);
}

std::string PathToText(const std::filesystem::path& path) {
  const std::u8string u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

std::filesystem::path PathFromText(std::string_view utf8) {
  std::u8string u8(utf8.begin(), utf8.end());
#ifndef _WIN32
  for (char8_t& c : u8) {
    if (c == u8'\\') c = u8'/';
  }
#endif
  return std::filesystem::path(u8);
}

void SetSystemErrorTextSource(SystemErrorTextSource source) { g_error_text_source = source; }

void MemoryStream::Write(const void* data, std::size_t size) {
  if (size == 0) return;
  const std::uint64_t end = position_ + size;
  if (end > bytes_.size()) bytes_.resize(static_cast<std::size_t>(end));
  std::memcpy(bytes_.data() + position_, data, size);
  position_ = end;
}

void MemoryStream::Seek(std::uint64_t position) {
  if (position > bytes_.size()) throw OutputError(kStreamWriteError);
  position_ = position;
}

namespace {

FileReplacer g_replacer = nullptr;

unsigned long RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return ec ? static_cast<unsigned long>(ec.value()) : 0;
}

#ifdef _WIN32
constexpr unsigned long kAccessDenied = 5;  // ERROR_ACCESS_DENIED
#endif

// A target that exists but may not be written is refused up front, as
// opening it for writing used to refuse it; the rename alone would
// replace a read-only file.
bool TargetReadOnly(const std::filesystem::path& target, OpenFailure* failure) {
  std::error_code ec;
  if (!std::filesystem::exists(target, ec) || std::filesystem::is_directory(target, ec)) return false;
#ifdef _WIN32
  if (_waccess(target.c_str(), 2) == 0) return false;
  *failure = {kAccessDenied, EACCES};
#else
  if (access(target.c_str(), W_OK) == 0) return false;
  *failure = {static_cast<unsigned long>(errno), errno};
#endif
  return true;
}

// The temporary file sits beside the target, so the final move never
// crosses a file system, and its name says what it belongs to.
std::filesystem::path TemporaryName(const std::filesystem::path& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
#ifdef _WIN32
  const int pid = _getpid();
#else
  const int pid = static_cast<int>(getpid());
#endif
  std::filesystem::path name = target;
  name += "." + std::to_string(pid) + "-" + std::to_string(counter.fetch_add(1) + attempt) + ".part";
  return name;
}

std::FILE* CreateExclusive(const std::filesystem::path& path, const std::filesystem::path& target) {
#ifdef _WIN32
  (void)target;
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (f == nullptr) _close(fd);
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  // A replaced file keeps its permissions.
  struct stat st {};
  if (stat(target.c_str(), &st) == 0) fchmod(fd, st.st_mode & 07777);
  std::FILE* f = fdopen(fd, "wb");
  if (f == nullptr) close(fd);
#endif
  return f;
}

bool FlushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

}  // namespace

void SetFileReplacer(FileReplacer replacer) { g_replacer = replacer; }

FileStream::FileStream(const std::filesystem::path& path) : target_(path) {
  OpenFailure failure{};
  if (TargetReadOnly(path, &failure)) throw OutputError(CannotCreateFileMessage(path, FailureText(failure)));
  for (unsigned attempt = 0; file_ == nullptr; ++attempt) {
    temporary_ = TemporaryName(path, attempt);
    ResetOpenFailure();
    file_ = CreateExclusive(temporary_, path);
    if (file_ == nullptr && (errno != EEXIST || attempt == 100)) {
      temporary_.clear();
      throw OutputError(CannotCreateFileMessage(path, FailureText(LastOpenFailure())));
    }
  }
  // The writers hand over one row at a time; a buffer of a megabyte turns a
  // screenshot's thousands of rows into a few dozen system calls. The C
  // library ignores a size given without a buffer, so the stream brings
  // its own.
  buffer_ = std::make_unique<char[]>(kBufferSize);
  std::setvbuf(file_, buffer_.get(), _IOFBF, kBufferSize);
}

FileStream::~FileStream() { Discard(); }

void FileStream::Discard() noexcept {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    temporary_.clear();
  }
}

void FileStream::Write(const void* data, std::size_t size) {
  if (size == 0) return;
  if (file_ == nullptr || std::fwrite(data, 1, size, file_) != size) throw OutputError(kStreamWriteError);
  position_ += size;
}

void FileStream::Seek(std::uint64_t position) {
  if (file_ == nullptr) throw OutputError(kStreamWriteError);
#ifdef _WIN32
  const int rc = _fseeki64(file_, static_cast<long long>(position), SEEK_SET);
#else
  const int rc = fseeko(file_, static_cast<off_t>(position), SEEK_SET);
#endif
  if (rc != 0) throw OutputError(kStreamWriteError);
  position_ = position;
}

void FileStream::Commit() {
  if (file_ == nullptr) throw OutputError(kStreamWriteError);
  const bool flushed = FlushToDisk(file_);
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0 || !flushed) {
    Discard();
    throw OutputError(kStreamWriteError);
  }
  const unsigned long code = (g_replacer != nullptr ? g_replacer : &RenameOver)(temporary_, target_);
  if (code != 0) {
    Discard();
    throw OutputError(CannotCreateFileMessage(target_, FailureText({code, static_cast<int>(code)})));
  }
  temporary_.clear();
}

void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  FileStream file(path);
  file.Write(bytes);
  file.Commit();
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  ResetOpenFailure();
  std::FILE* f = OpenFile(path, false);
  if (f == nullptr) throw OutputError(CannotOpenFileMessage(path, FailureText(LastOpenFailure())));
  std::vector<std::uint8_t> bytes;
  std::error_code size_error;
  const auto expected = std::filesystem::file_size(path, size_error);
  if (!size_error) bytes.reserve(static_cast<std::size_t>(expected));
  std::uint8_t chunk[1 << 16];
  bool failed = false;
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (n < sizeof chunk) {
      failed = std::ferror(f) != 0;
      break;
    }
  }
  std::fclose(f);
  if (failed) throw OutputError(kStreamReadError);
  return bytes;
}

}  // namespace ksv
