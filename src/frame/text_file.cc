#include "bp/text_file.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>

#include "bp/erro.h"

namespace bp {
namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F (0 where undefined).
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

[[noreturn]] void RaiseOpenFailure(const std::string& path, int err) {
  namespace fs = std::filesystem;
  const fs::path p(path);
  if (err == ENOENT || err == ENOTDIR) {
    const bool folder_there = p.parent_path().empty() || fs::is_directory(p.parent_path());
    RaiseRuntime(folder_there ? rt::kFileNotFound : rt::kPathNotFound, path);
  }
  if (err == EACCES || err == EPERM || err == EROFS) RaiseRuntime(rt::kPermissionDenied, path);
  if (err == ENOSPC) RaiseRuntime(rt::kDiskFull, path);
  RaiseRuntime(rt::kPathFileAccessError, path);
}

}  // namespace

std::string ToWindows1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    char32_t cp;
    size_t len;
    if (b < 0x80) { cp = b; len = 1; }
    else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; len = 2; }
    else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; len = 3; }
    else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; len = 4; }
    else { out += '?'; ++i; continue; }
    if (i + len > s.size()) { out += '?'; break; }
    bool valid = true;
    for (size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) { valid = false; break; }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!valid) { out += '?'; ++i; continue; }
    out += ToByte(cp);
    i += len;
  }
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    char32_t cp = b;
    if (b >= 0x80 && b < 0xA0) cp = kHigh[b - 0x80] ? kHigh[b - 0x80] : U'?';
    AppendUtf8(out, cp);
  }
  return out;
}

TextFile::TextFile(const std::string& path, OpenMode mode) : path_(path) {
  file_ = std::fopen(path.c_str(), mode == OpenMode::Output ? "wb" : "ab");
  if (file_ == nullptr) RaiseOpenFailure(path, errno);
}

TextFile::~TextFile() {
  try {
    Close();
  } catch (...) {
    // A destructor runs while another failure may be on its way up; the
    // explicit Close() is where a write failure is reported.
  }
}

void TextFile::Write(std::string_view utf8) {
  if (file_ == nullptr) RaiseRuntime(rt::kBadFileNameOrNumber, path_);
  const std::string bytes = ToWindows1252(utf8);
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    RaiseRuntime(errno == ENOSPC ? rt::kDiskFull : rt::kDeviceIoError, path_);
  }
}

void TextFile::WriteLine(std::string_view utf8) {
  Write(utf8);
  Write("\r\n");
}

void TextFile::Close() {
  if (file_ == nullptr) return;
  std::FILE* f = file_;
  file_ = nullptr;
  const bool flushed = std::fflush(f) == 0;
  const int err = errno;
  const bool closed = std::fclose(f) == 0;
  if (!flushed || !closed) RaiseRuntime(err == ENOSPC ? rt::kDiskFull : rt::kDeviceIoError, path_);
}

}  // namespace bp
