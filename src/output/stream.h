// Byte streams for the picture writers: an in-memory stream and a file that
// replaces its target only once it is complete. Write errors throw
// OutputError("Stream write error").
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ksv {

class OutputStream {
 public:
  virtual ~OutputStream() = default;
  virtual void Write(const void* data, std::size_t size) = 0;
  // Moves to an absolute position at or before the end of what was written.
  virtual void Seek(std::uint64_t position) = 0;
  virtual std::uint64_t Position() const = 0;

  void Write(std::span<const std::uint8_t> bytes) { Write(bytes.data(), bytes.size()); }
};

class MemoryStream final : public OutputStream {
 public:
  using OutputStream::Write;
  void Write(const void* data, std::size_t size) override;
  void Seek(std::uint64_t position) override;
  std::uint64_t Position() const override { return position_; }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t> TakeBytes() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t position_ = 0;
};

// A file written safely: the bytes go to a temporary file beside the
// target, and only Commit() moves the complete, flushed file over it. A
// stream destroyed without a commit, or a commit that fails, removes the
// temporary file, so an existing file keeps every byte and a failed save
// leaves nothing behind. The constructor throws
// OutputError("Cannot create file "<path>". <reason>") when the target
// cannot be written (a missing folder, a read-only file); write errors
// throw "Stream write error".
class FileStream final : public OutputStream {
 public:
  explicit FileStream(const std::filesystem::path& path);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  using OutputStream::Write;

  void Write(const void* data, std::size_t size) override;
  void Seek(std::uint64_t position) override;
  std::uint64_t Position() const override { return position_; }
  // Flushes the file to the disk, closes it and puts it in the target's
  // place. A failure throws "Stream write error" (or the replacement's
  // "Cannot create file" message) and leaves the target as it was.
  void Commit();

  const std::filesystem::path& TemporaryPath() const { return temporary_; }

 private:
  void Discard() noexcept;

  static constexpr std::size_t kBufferSize = std::size_t{1} << 20;
  // Declared before the file so it outlives it: the C library writes from
  // it until the file is closed.
  std::unique_ptr<char[]> buffer_;
  std::FILE* file_ = nullptr;  // owned
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::uint64_t position_ = 0;
};

// Puts a complete temporary file in the target's place, replacing an
// existing file; returns 0 or the system's error code. The portable
// default renames; the Win32 layer installs MoveFileExW with write-through
// (InstallWriteThroughReplace).
using FileReplacer = unsigned long (*)(const std::filesystem::path& from, const std::filesystem::path& to);
void SetFileReplacer(FileReplacer replacer);

// Writes a whole file in one go, through a FileStream.
void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Reads a whole file; throws OutputError("Cannot open file "<path>". <reason>")
// when it cannot be opened and "Stream read error" when reading fails.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// The system's text for the failure of the last file open. Portable code
// only has the C library's text; the Win32 layer installs the system's own
// (localised) message through SetSystemErrorTextSource. The code is the
// operating system's error number (errno, or the Windows error code).
using SystemErrorTextSource = std::string (*)(unsigned long code);
void SetSystemErrorTextSource(SystemErrorTextSource source);

}  // namespace ksv
