// The one writer of text files: Windows-1252 bytes, CR LF line ends, opened
// for output (truncating) or append, and closed on every path (RAII).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace bp {

enum class OpenMode { Output, Append };

class TextFile {
 public:
  // Opens `path`; raises 76 "Path not found" when the folder is missing,
  // 70 "Permission denied" or 75 "Path/File access error" otherwise.
  TextFile(const std::string& path, OpenMode mode);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Writes the UTF-8 text converted to Windows-1252, then CR LF.
  void WriteLine(std::string_view utf8);
  // Writes the text converted to Windows-1252, with no line end.
  void Write(std::string_view utf8);
  // Flushes and closes; raises 57/61 when the bytes cannot be written.
  // Called by the destructor too, which swallows a failure.
  void Close();

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// UTF-8 to Windows-1252; characters the code page lacks become '?'.
std::string ToWindows1252(std::string_view utf8);
// Windows-1252 bytes to UTF-8.
std::string FromWindows1252(std::string_view bytes);

}  // namespace bp
