#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "bp/erro.h"
#include "bp/modulo.h"
#include "bp/text_file.h"
#include "support/test_env.h"

namespace bp {
namespace {

std::string Fit(std::string text, int16_t width, std::string fill, int16_t align) {
  return FixaTamanhoVariavel(text, width, fill, align);
}

TEST(FixaTamanhoVariavel, TrimsFitsAndWritesBack) {
  std::string v = "  ABC ";
  int16_t w = 5, a = 1;
  std::string fill = "0";
  EXPECT_EQ(FixaTamanhoVariavel(v, w, fill, a), "00ABC");
  EXPECT_EQ(v, "00ABC");

  for (int16_t align : {int16_t{0}, int16_t{1}, int16_t{2}, int16_t{9}}) {
    EXPECT_EQ(Fit("ABC", 2, " ", align), "AB");
  }
  // Centred: the odd one of the fill goes on the left (7 to fill: 4 and 3).
  for (const auto& [width, expected] : std::vector<std::pair<int16_t, std::string>>{
           {6, "**AB**"}, {5, "**AB*"}, {3, "AB*"}, {9, "****AB***"}})
    EXPECT_EQ(Fit("AB", width, "*", 2), expected) << width;
  EXPECT_EQ(Fit(" ABC ", 3, "x", 0), "ABC");
  EXPECT_EQ(Fit("AB", 4, "-+", 0), "AB--");
  EXPECT_EQ(Fit("AB", 4, "-", 7), "AB");
  // Widths count characters, not bytes.
  EXPECT_EQ(Fit("Ação", 6, ".", 1), "..Ação");
  EXPECT_EQ(Fit("Ação", 2, ".", 1), "Aç");
}

TEST(FixaTamanhoVariavel, FailuresCarryTheModuleLabel) {
  try {
    Fit("AB", 4, "", 0);
    FAIL();
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, 5);
    EXPECT_EQ(e.source, "BP -> , nv4.FixaTamanhoVariavel, ");
  }
}

TEST(TextUtilities, DecimalPointAndDigitsOnly) {
  EXPECT_EQ(SubstituirVirgulaPorPonto(" 12,5 "), "12.5");
  EXPECT_EQ(SubstituirVirgulaPorPonto("1.000"), "1000");
  EXPECT_EQ(SubstituirVirgulaPorPonto("1.234,56"), "1234.56");
  EXPECT_EQ(RetiraCaracteresNaoNumericos("12.345.678/0001-90"), "12345678000190");
  EXPECT_EQ(RetiraCaracteresNaoNumericos(""), "");
  EXPECT_EQ(RetiraCaracteresNaoNumericos(std::string(254, '1')), std::string(254, '1'));
  try {
    RetiraCaracteresNaoNumericos(std::string(255, '1'));
    FAIL();
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, 6);
    EXPECT_EQ(e.source, "BP -> , nv4.RetiraCaracteresNaoNumericos, ");
  }
}

TEST(TextFile, WritesWindows1252WithCrLfAndAppends) {
  testing::TestEnv env;
  const std::string path = env.Path("saida.txt");
  {
    TextFile f(path, OpenMode::Output);
    f.WriteLine("Exportação €");
    f.Write("sem fim");
  }
  {
    TextFile f(path, OpenMode::Append);
    f.WriteLine("");
  }
  EXPECT_EQ(testing::ReadFile(path), "Exporta\xE7\xE3o \x80\r\nsem fim\r\n");
  { TextFile f(path, OpenMode::Output); }
  EXPECT_EQ(testing::ReadFile(path), "");
  EXPECT_EQ(FromWindows1252("\xE7\x80"), "ç€");
  EXPECT_EQ(ToWindows1252("漢"), "?");
  try {
    TextFile f(env.Path("nao/existe.txt"), OpenMode::Output);
    FAIL();
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, 76);
  }
}

}  // namespace
}  // namespace bp
