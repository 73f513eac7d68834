// The one kind of failure the library raises and that a host sees.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace bp {

// A raised error: number, description and the trail of places it passed.
class Erro : public std::exception {
 public:
  Erro() = default;
  Erro(int32_t number, std::string description, std::string source = {},
       std::string help_file = {}, int32_t help_context = 0,
       int32_t last_dll_error = 0);

  const char* what() const noexcept override { return description.c_str(); }

  int32_t number = 0;
  std::string description;
  std::string source;
  std::string help_file;
  int32_t help_context = 0;
  int32_t last_dll_error = 0;
};

// Numbers of the original runtime and data provider that the library raises.
namespace rt {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kInternalError = 51;
inline constexpr int32_t kBadFileNameOrNumber = 52;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kFileAlreadyOpen = 55;
inline constexpr int32_t kDeviceIoError = 57;
inline constexpr int32_t kDiskFull = 61;
inline constexpr int32_t kInputPastEndOfFile = 62;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPathFileAccessError = 75;
inline constexpr int32_t kPathNotFound = 76;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kCantCreateObject = 429;
inline constexpr int32_t kMemberNotSupported = 438;
inline constexpr int32_t kNoCurrentRecord = 3021;
inline constexpr int32_t kItemNotFound = 3265;
inline constexpr int32_t kObjectClosed = 3704;
inline constexpr int32_t kConnectionUnusable = 3709;
}  // namespace rt

// The source that the runtime gives its own errors: the library's project name.
inline constexpr const char* kProjectName = "BP";

// The runtime's English text for one of its numbers ("" when unknown).
const char* RuntimeText(int32_t number);

// An error of the runtime with its usual text; `detail`, when given, is
// appended in parentheses so a reader can tell which value failed.
Erro RuntimeErro(int32_t number, const std::string& detail = {});
[[noreturn]] void RaiseRuntime(int32_t number, const std::string& detail = {});

// Turns any exception (an Erro, a standard library exception, anything) into
// the Erro a host would see, with the runtime's numbers and texts.
Erro ToErro(std::exception_ptr failure);

// Turns a signed 32-bit error number into its usual 0x8004xxxx spelling.
std::string HexNumber(int32_t number);

}  // namespace bp
