// Keys come from the deployment: neither the tracked files nor what the build
// makes may hold one, or anyone with a copy could sign a movement file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace {

using bp::testing::ReadFile;

// A 1024-bit number takes 256 hex digits. In the tree, 200 already looks like
// one; a program holds a 200-digit table of the pairs 00 to 99.
constexpr std::size_t kLongHexInTree = 200;
constexpr std::size_t kKeyHexDigits = 256;

std::size_t LongestHexRun(const std::string& text) {
  std::size_t longest = 0;
  std::size_t run = 0;
  for (unsigned char c : text) {
    run = std::isxdigit(c) ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

// The text with adjacent string literals joined ("AB" "CD" -> "ABCD"), as
// the compiler joins them.
std::string JoinLiterals(const std::string& text) {
  static const std::regex between("\"\\s*\"");
  return std::regex_replace(text, between, "");
}

// What a built file holds, read as strings(1) reads it: its runs of
// printable bytes.
struct Scan {
  bool read = false;
  std::size_t longest_hex = 0;
  int serial_like = 0;  // runs of exactly 16 lower-case letters, a serial key's form
};

Scan ScanBuilt(const char* path) {
  Scan scan;
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return scan;
  scan.read = true;
  std::vector<unsigned char> chunk(1 << 20);
  std::size_t run = 0;
  std::size_t hex = 0;
  bool lower = true;
  auto end_run = [&] {
    if (run == 16 && lower) ++scan.serial_like;
    run = hex = 0;
    lower = true;
  };
  for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0;) {
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned char c = chunk[i];
      if (!std::isprint(c)) {
        end_run();
        continue;
      }
      ++run;
      hex = std::isxdigit(c) ? hex + 1 : 0;
      scan.longest_hex = std::max(scan.longest_hex, hex);
      lower = lower && c >= 'a' && c <= 'z';
    }
  }
  end_run();
  std::fclose(f);
  return scan;
}

std::vector<std::string> TrackedFiles() {
  std::vector<std::string> files;
  const std::string command = "git -C '" BP_SOURCE_DIR "' ls-files -z 2>/dev/null";
  std::FILE* list = popen(command.c_str(), "r");
  if (list == nullptr) return files;
  std::string name;
  for (int c; (c = std::fgetc(list)) != EOF;) {
    if (c != '\0') {
      name.push_back(static_cast<char>(c));
      continue;
    }
    files.push_back(name);
    name.clear();
  }
  pclose(list);
  return files;
}

TEST(NoKeyMaterial, TrackedFilesHoldNoPrivateKeyNorLongHexNumber) {
  const std::vector<std::string> files = TrackedFiles();
  if (files.empty()) GTEST_SKIP() << "not a git checkout";
  const std::string pem_marker = std::string("PRIVATE") + " KEY-----";
  for (const std::string& file : files) {
    if (file.rfind("docs/", 0) == 0) continue;
    const std::string text = ReadFile(BP_SOURCE_DIR "/" + file);
    EXPECT_EQ(text.find(pem_marker), std::string::npos) << file;
    EXPECT_LT(LongestHexRun(JoinLiterals(text)), kLongHexInTree) << file;
  }
}

TEST(NoKeyMaterial, BuiltProgramAndLibraryHoldNoKey) {
  for (const char* built : {POSTO_BINARY, BP_LIBRARY}) {
    const Scan scan = ScanBuilt(built);
    ASSERT_TRUE(scan.read) << built;
    EXPECT_LT(scan.longest_hex, kKeyHexDigits) << built;
    EXPECT_EQ(scan.serial_like, 0) << built;
  }
}

}  // namespace
