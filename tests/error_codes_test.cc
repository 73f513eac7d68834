// The system error numbers are a contract with the host, which tests them:
// every number, its signed value as the host sees it, its offset above
// 0x80040000 and its message, written out by hand from the published table
// (contracts/error_codes.txt) and checked through RetornaDescricaoErro.
#include <cstdint>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "bp/erros.h"
#include "support/table_file.h"

namespace bp {
namespace {

TEST(ErrorCodes, EveryNumberGivesItsMessageAndNoOtherNumberGivesText) {
  std::set<uint32_t> codes;
  for (const std::string& row : testing::TableRows("contracts/error_codes.txt")) {
    // The three numbers of a row name one number.
    std::istringstream words(row);
    std::string code_text;
    int32_t signed_value = 0;
    uint32_t offset = 0;
    words >> code_text >> signed_value >> offset;
    const auto code = static_cast<uint32_t>(std::stoul(code_text, nullptr, 16));
    std::string message;
    std::getline(words >> std::ws, message);
    EXPECT_EQ(static_cast<int32_t>(code), signed_value) << row;
    EXPECT_EQ(code - 0x80040000u, offset) << row;
    EXPECT_EQ(RetornaDescricaoErro(signed_value), message) << row;
    codes.insert(code);
  }
  ASSERT_EQ(codes.size(), 55u);

  // Every other number of the interface-error range, the business number
  // raised with its own text, the Z reduction's number, zero and positive
  // numbers give the empty text.
  for (uint32_t n = 0x80040000u; n <= 0x8004FFFFu; ++n) {
    if (codes.contains(n)) continue;
    EXPECT_EQ(RetornaDescricaoErro(static_cast<int32_t>(n)), "") << std::hex << n;
  }
  for (int32_t n : {0, 1, 513, 0x7FFFFFFF, INT32_MIN, -1}) EXPECT_EQ(RetornaDescricaoErro(n), "") << n;
}

}  // namespace
}  // namespace bp
