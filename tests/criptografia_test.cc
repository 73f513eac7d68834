#include "bp/criptografia.h"

#include <gtest/gtest.h>

#include <vector>

#include "bp/ead.h"
#include "bp/erros.h"
#include "station/encriptar.h"
#include "support/test_env.h"

namespace bp {
namespace {

// Runs `f` and returns the Erro it raises (number 0 when none).
template <class F>
Erro Raised(F&& f) {
  try {
    f();
  } catch (const Erro& e) {
    return e;
  }
  return {};
}

TEST(Desencriptar, ReversesTheHostEncryption) {
  for (const std::string& serial : std::vector<std::string>{"BE091010100011200391", "Série Ação ÉÍÓÚ ç", "x",
                             std::string(100, 'Z') + "ã"}) {
    std::string cipher = station::Encriptar(serial);
    std::string kept = cipher;
    EXPECT_EQ(Desencriptar(cipher), serial);
    EXPECT_EQ(cipher, kept);  // a non-empty argument is left alone
    EXPECT_NE(station::Encriptar(serial), kept) << "each encryption draws a new IV";
  }
  // Base64 wrapped over lines still decodes.
  std::string wrapped = station::Encriptar("serial");
  wrapped.insert(8, "\r\n");
  EXPECT_EQ(Desencriptar(wrapped), "serial");
}

TEST(Desencriptar, EmptyBecomesOneBlankWhichHoldsNoCiphertext) {
  std::string empty;
  EXPECT_EQ(Desencriptar(empty), "");
  EXPECT_EQ(empty, " ");
  std::string blanks = " \r\n ";
  EXPECT_EQ(Desencriptar(blanks), "");
}

TEST(Desencriptar, BadInputRaisesTheComponentErrorWithItsTrail) {
  struct Case {
    std::string input;
    const char* text;
  } cases[] = {
      {"@@ nao e base64 @@", "Base64 decode error"},
      {"QUJD=", "Base64 decode error"},           // padding that does not fit
      {"QUJD", "Malformed input"},                // 3 bytes: shorter than IV + block
      {std::string(64, 'A') + "AAAA", "Malformed input"},  // 51 bytes: not whole blocks
      {std::string(64, 'A'), "Decrypt error."},   // 48 zero bytes: bad padding
  };
  for (Case& c : cases) {
    Erro e = Raised([&] { Desencriptar(c.input); });
    EXPECT_EQ(e.number, kErroActiveCrypt) << c.input;
    EXPECT_EQ(e.description, c.text) << c.input;
    EXPECT_EQ(e.source, "Desencriptar -> Criptografia.Desencriptar") << c.input;
  }
}

TEST(DispararErroActiveCript, RaisesOnlyTheComponentCodes) {
  for (int quiet : {0, 100, 122, 133, -112}) {
    auto code = static_cast<int16_t>(quiet);
    EXPECT_EQ(Raised([&] { DispararErroActiveCript("X", code); }).number, 0) << quiet;
  }
  Erro e = Raised([] { DispararErroActiveCript("Desencriptar", 112); });
  EXPECT_EQ(e.number, static_cast<int32_t>(0x80040201));
  EXPECT_EQ(e.description, "Decrypt error.");
  EXPECT_EQ(e.source, "Desencriptar");
  EXPECT_EQ(Raised([] { DispararErroActiveCript("s", 101); }).description, "Invalid key size.");
  EXPECT_EQ(Raised([] { DispararErroActiveCript("s", 123); }).description,
            "Unknown error while encryption.");
  EXPECT_EQ(Raised([] { DispararErroActiveCript("s", 132); }).description, "Sign verify error");
}

TEST(AssinarArquivoDigitalmente, IndicatorAddsOneEmptyLineThenSigns) {
  testing::TestEnv env;
  const std::string body = "E01BE0910\r\nE14000001\r\n";
  for (bool indicator : {false, true}) {
    std::string path = env.Path(indicator ? "com.txt" : "sem.txt");
    testing::WriteFile(path, body);
    bool ic = indicator;
    std::string ead = AssinarArquivoDigitalmente(path, ic);
    ASSERT_EQ(ead.size(), kEadDigits);
    std::string signed_part = indicator ? body + "\r\n\r\n" : body;
    EXPECT_EQ(testing::ReadFile(path), signed_part + "EAD" + ead + "\r\n");
    EadVerification v = VerifyEAD(path, std::string(EadPublicKey()));
    EXPECT_EQ(v.status, EadStatus::kOk);
    EXPECT_EQ(v.signed_bytes, signed_part.size());
  }
}

TEST(AssinarArquivoDigitalmente, FailuresCarryNumberTextAndTrail) {
  testing::TestEnv env;
  std::string missing = env.Path("nao_existe.txt");
  bool ic = false;
  Erro e = Raised([&] { AssinarArquivoDigitalmente(missing, ic); });
  EXPECT_EQ(e.number, kErroNegocio);
  EXPECT_EQ(e.description, "Erro na assinatura do arquivo");
  EXPECT_EQ(e.source,
            "Criptografia.AssinarArquivoDigitalmente -> Criptografia.AssinarArquivoDigitalmente");
  EXPECT_FALSE(env.FileExists(missing));

  // With the indicator, a missing folder fails already when opening the file.
  std::string no_folder = env.Path("sem_pasta/arquivo.txt");
  ic = true;
  e = Raised([&] { AssinarArquivoDigitalmente(no_folder, ic); });
  EXPECT_EQ(e.number, rt::kPathNotFound);
  EXPECT_TRUE(e.source.ends_with(" -> Criptografia.AssinarArquivoDigitalmente")) << e.source;
}

}  // namespace
}  // namespace bp
