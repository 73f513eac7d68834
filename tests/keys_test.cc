// The deployment's keys and what uses them, never showing a secret. Keys
// come from the deployment: neither the tracked files nor what the build
// makes may hold one, or anyone with a copy could sign a movement file.
#include "bp/keys.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "bp/criptografia.h"
#include "bp/ead.h"
#include "bp/erros.h"
#include "bp/text_file.h"
#include "station/fiscal/encriptar.h"
#include "support/db_checks.h"
#include "support/test_env.h"
#include "support/test_keys.h"

namespace bp {
namespace {

using testing::FailureOf;
using testing::ReadFile;
using testing::ScopedVariable;
using testing::WriteFile;

// A PEM private key of another size, for a key the library must refuse.
std::string PemOfBits(unsigned bits) {
  EVP_PKEY* key = EVP_RSA_gen(bits);
  BIO* out = BIO_new(BIO_s_mem());
  PEM_write_bio_PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr);
  char* data = nullptr;
  const long size = BIO_get_mem_data(out, &data);
  std::string pem(data, static_cast<std::size_t>(size));
  BIO_free(out);
  EVP_PKEY_free(key);
  return pem;
}

TEST(DeploymentKeys, ComeFromTheVariableElseBesideTheModule) {
  testing::TestEnv env;
  ScopedVariable no_ead(kEadKeyVariable, std::nullopt);
  ScopedVariable no_serial(kSerialKeyVariable, std::nullopt);
  const std::string pem = env.Path(kEadKeyFileName);
  const std::string serial = env.Path(kSerialKeyFileName);

  KeyResult<EadKey> ead = DeploymentEadKey();
  EXPECT_EQ(ead.problem, KeyProblem::kNotFound);
  EXPECT_NE(ead.failure.find("BP_EAD_CHAVE"), std::string::npos) << ead.failure;
  EXPECT_NE(ead.failure.find(pem), std::string::npos) << ead.failure;
  KeyResult<SerialKey> key = DeploymentSerialKey();
  EXPECT_EQ(key.problem, KeyProblem::kNotFound);
  EXPECT_NE(key.failure.find("BP_CHAVE_SERIE"), std::string::npos) << key.failure;
  EXPECT_NE(key.failure.find(serial), std::string::npos) << key.failure;

  // New files beside the module.
  const KeyResult<EadKey> made = WriteNewEadKey(pem);
  const KeyResult<SerialKey> drawn = WriteNewSerialKey(serial);
  ASSERT_TRUE(made.key && drawn.key) << made.failure << drawn.failure;

  ead = DeploymentEadKey();
  ASSERT_TRUE(ead.key) << ead.failure;
  EXPECT_EQ(ead.key->modulus, made.key->modulus);
  EXPECT_EQ(ead.key->private_exponent.bytes, made.key->private_exponent.bytes);
  EXPECT_EQ(DeploymentSerialKey().key->letters.bytes, drawn.key->letters.bytes);

  // The pair signs and its modulus checks the signature.
  const std::string file = env.Path("ecf.txt");
  WriteFile(file, "E01\r\n");
  std::string buffer;
  EXPECT_EQ(GenerateEAD(file, ead.key->modulus, ead.key->private_exponent.bytes, buffer, 1), 1);
  EXPECT_EQ(VerifyEAD(file, made.key->modulus).status, EadStatus::kOk);

  {  // A variable wins over the module's folder; an empty one does not count.
    ScopedVariable named(kEadKeyVariable, testing::InstallTestKeys().ead_path);
    EXPECT_EQ(DeploymentEadKey().key->modulus, testing::TestModulus());
    ScopedVariable empty(kSerialKeyVariable, "");
    EXPECT_EQ(DeploymentSerialKey().key->letters.bytes, drawn.key->letters.bytes);
  }
  {  // A variable naming a missing file is not replaced by the module's file.
    ScopedVariable named(kSerialKeyVariable, env.Path("outra.key"));
    key = DeploymentSerialKey();
    EXPECT_EQ(key.problem, KeyProblem::kNotFound);
    EXPECT_NE(key.failure.find(env.Path("outra.key")), std::string::npos) << key.failure;
    EXPECT_NE(key.failure.find("BP_CHAVE_SERIE"), std::string::npos) << key.failure;
  }
}

TEST(DeploymentKeys, FilesOthersMayReadAndBadContentAreRefused) {
  testing::TestEnv env;
  const std::string pem = env.Path("ead.pem");
  const std::string serial = env.Path("serie.key");
  const EadKey ead = *WriteNewEadKey(pem).key;
  const SerialKey letters = *WriteNewSerialKey(serial).key;

  for (mode_t mode : {0640, 0604, 0644}) {
    ASSERT_EQ(chmod(pem.c_str(), mode), 0);
    ASSERT_EQ(chmod(serial.c_str(), mode), 0);
    const KeyResult<EadKey> a = ReadEadKey(pem);
    const KeyResult<SerialKey> b = ReadSerialKey(serial);
    EXPECT_EQ(a.problem, KeyProblem::kRefused) << mode;
    EXPECT_EQ(b.problem, KeyProblem::kRefused) << mode;
    EXPECT_NE(a.failure.find(pem), std::string::npos) << a.failure;
    EXPECT_NE(b.failure.find("chmod 600"), std::string::npos) << b.failure;
    for (const std::string& text : {a.failure, b.failure}) {
      EXPECT_EQ(text.find(ead.private_exponent.bytes), std::string::npos);
      EXPECT_EQ(text.find(letters.letters.bytes), std::string::npos);
    }
  }
  ASSERT_EQ(chmod(pem.c_str(), 0400), 0);
  EXPECT_TRUE(ReadEadKey(pem).key);

  struct Case {
    std::string content;
    bool accepted;
  } serial_cases[] = {
      {"abcdefghijklmnop", true},       {"abcdefghijklmnop\n", true},
      {"abcdefghijklmnop\r\n", true},   {"abcdefghijklmno\n", false},
      {"abcdefghijklmnopq\n", false},   {"ABCDEFGHIJKLMNOP\n", false},
      {"abcdefghijklmnop\n\n", false},  {" abcdefghijklmnop", false},
  };
  for (const Case& c : serial_cases) {
    WriteFile(serial, c.content);
    ASSERT_EQ(chmod(serial.c_str(), 0600), 0);
    const KeyResult<SerialKey> r = ReadSerialKey(serial);
    EXPECT_EQ(r.key.has_value(), c.accepted) << c.content;
    if (!c.accepted) {
      EXPECT_EQ(r.problem, KeyProblem::kInvalid) << c.content;
      EXPECT_EQ(r.failure.find(c.content), std::string::npos) << r.failure;
    }
  }

  for (const std::string& content : {std::string("não é uma chave\n"), PemOfBits(512), std::string()}) {
    WriteFile(pem, content);
    ASSERT_EQ(chmod(pem.c_str(), 0600), 0);
    EXPECT_EQ(ReadEadKey(pem).problem, KeyProblem::kInvalid) << content;
  }
  EXPECT_EQ(ReadEadKey(env.Folder()).problem, KeyProblem::kCannotOpen);
  EXPECT_EQ(ReadSerialKey(env.Path("nao_existe.key")).problem, KeyProblem::kNotFound);
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

// A serial encrypted as the host does, with the IV's last byte changed so
// that the last plaintext byte, the padding length, becomes 0: bad padding
// whatever the key ("serial" is padded with ten bytes 0x0a).
std::string ComPaddingZero() {
  const std::string cifra = station::Encriptar("serial");
  unsigned char bruto[48] = {};
  EVP_DecodeBlock(bruto, reinterpret_cast<const unsigned char*>(cifra.data()),
                  static_cast<int>(cifra.size()));
  bruto[15] ^= 0x0a;
  unsigned char texto[64] = {};
  const int n = EVP_EncodeBlock(texto, bruto, 32);  // IV and one block
  return std::string(reinterpret_cast<const char*>(texto), static_cast<size_t>(n));
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
      {ComPaddingZero(), "Decrypt error."},
  };
  for (Case& c : cases) {
    Erro e = FailureOf([&] { Desencriptar(c.input); });
    EXPECT_EQ(e.number, kErroActiveCrypt) << c.input;
    EXPECT_EQ(e.description, c.text) << c.input;
    EXPECT_EQ(e.source, "Desencriptar -> Criptografia.Desencriptar") << c.input;
  }
}

TEST(DispararErroActiveCript, RaisesOnlyTheComponentCodes) {
  for (int quiet : {0, 100, 122, 133, -112}) {
    auto code = static_cast<int16_t>(quiet);
    EXPECT_EQ(FailureOf([&] { DispararErroActiveCript("X", code); }).number, 0) << quiet;
  }
  Erro e = FailureOf([] { DispararErroActiveCript("Desencriptar", 112); });
  EXPECT_EQ(e.number, static_cast<int32_t>(0x80040201));
  EXPECT_EQ(e.description, "Decrypt error.");
  EXPECT_EQ(e.source, "Desencriptar");
  EXPECT_EQ(FailureOf([] { DispararErroActiveCript("s", 101); }).description, "Invalid key size.");
  EXPECT_EQ(FailureOf([] { DispararErroActiveCript("s", 123); }).description,
            "Unknown error while encryption.");
  EXPECT_EQ(FailureOf([] { DispararErroActiveCript("s", 132); }).description, "Sign verify error");
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
    EadVerification v = VerifyEAD(path, testing::TestModulus());
    EXPECT_EQ(v.status, EadStatus::kOk);
    EXPECT_EQ(v.signed_bytes, signed_part.size());
  }
}

TEST(AssinarArquivoDigitalmente, FailuresCarryNumberTextAndTrail) {
  testing::TestEnv env;
  std::string missing = env.Path("nao_existe.txt");
  bool ic = false;
  Erro e = FailureOf([&] { AssinarArquivoDigitalmente(missing, ic); });
  EXPECT_EQ(e.number, kErroNegocio);
  EXPECT_EQ(e.description, "Erro na assinatura do arquivo");
  EXPECT_EQ(e.source,
            "Criptografia.AssinarArquivoDigitalmente -> Criptografia.AssinarArquivoDigitalmente");
  EXPECT_FALSE(env.FileExists(missing));

  // With the indicator, a missing folder fails already when opening the file.
  std::string no_folder = env.Path("sem_pasta/arquivo.txt");
  ic = true;
  e = FailureOf([&] { AssinarArquivoDigitalmente(no_folder, ic); });
  EXPECT_EQ(e.number, rt::kPathNotFound);
  EXPECT_TRUE(e.source.ends_with(" -> Criptografia.AssinarArquivoDigitalmente")) << e.source;
}

// Both keys missing, then present but readable by others: each failure is the
// system's error, the key log names the file and the variable, and no text
// holds a secret.
TEST(DeploymentKeys, WithoutAKeySigningAndTheSerialFailAndTheLogSaysWhichKey) {
  testing::TestEnv env;
  std::filesystem::create_directories(env.Path("LogErros"));
  const std::string log = env.Path("LogErros/2026-12-05Chaves.log");
  const std::string body = "E01BE0910\r\n";
  std::string path = env.Path("mov.txt");
  testing::WriteFile(path, body);
  std::string cipher = station::Encriptar("BE0910");
  std::vector<Erro> raised;
  auto sign = [&] {
    bool ic = true;
    raised.push_back(FailureOf([&] { AssinarArquivoDigitalmente(path, ic); }));
    return raised.back();
  };
  auto decrypt = [&] {
    raised.push_back(FailureOf([&] { Desencriptar(cipher); }));
    raised.push_back(FailureOf([] { station::Encriptar("BE0910"); }));
    return raised[raised.size() - 2];
  };

  {
    testing::ScopedVariable no_ead(kEadKeyVariable, std::nullopt);
    testing::ScopedVariable no_serial(kSerialKeyVariable, std::nullopt);
    Erro e = sign();
    EXPECT_EQ(e.number, kErroNegocio);
    EXPECT_EQ(e.description, "Erro na assinatura do arquivo");
    EXPECT_EQ(e.source,
              "Criptografia.AssinarArquivoDigitalmente -> Criptografia.AssinarArquivoDigitalmente");
    EXPECT_EQ(testing::ReadFile(path), body) << "nothing is written without the key";
    e = decrypt();
    EXPECT_EQ(e.number, kErroActiveCrypt);
    EXPECT_EQ(e.description, "Can not open file.");
    EXPECT_EQ(e.source, "Desencriptar -> Criptografia.Desencriptar");
    EXPECT_EQ(raised.back().description, "Can not open file.");
    EXPECT_EQ(raised.back().source, "Encriptar");
  }
  std::string text = FromWindows1252(testing::ReadFile(log));
  EXPECT_NE(text.find("Erro....:-2147219872-Chave EAD não encontrada: a variável BP_EAD_CHAVE"),
            std::string::npos) << text;
  EXPECT_NE(text.find(env.Path(kEadKeyFileName)), std::string::npos) << text;
  EXPECT_NE(text.find("Fonte...:Criptografia.AssinarArquivoDigitalmente"), std::string::npos);
  EXPECT_NE(text.find("BP_CHAVE_SERIE"), std::string::npos) << text;
  EXPECT_NE(text.find(env.Path(kSerialKeyFileName)), std::string::npos) << text;
  EXPECT_NE(text.find("Fonte...:Desencriptar"), std::string::npos);

  // Keys that others may read are refused the same way (115 for the serial).
  const testing::TestKeys& keys = testing::InstallTestKeys();
  ASSERT_EQ(chmod(keys.ead_path.c_str(), 0644), 0);
  ASSERT_EQ(chmod(keys.serial_path.c_str(), 0640), 0);
  const Erro refused_sign = sign();
  const Erro refused_serial = decrypt();
  ASSERT_EQ(chmod(keys.ead_path.c_str(), 0600), 0);
  ASSERT_EQ(chmod(keys.serial_path.c_str(), 0600), 0);
  EXPECT_EQ(refused_sign.description, "Erro na assinatura do arquivo");
  EXPECT_EQ(refused_serial.description, "Error reading key from file.");
  text = FromWindows1252(testing::ReadFile(log));
  EXPECT_NE(text.find("Chave EAD recusada: o arquivo \"" + keys.ead_path +
                      "\", indicado pela variável BP_EAD_CHAVE,"),
            std::string::npos) << text;
  EXPECT_NE(text.find("Chave do serial recusada"), std::string::npos) << text;

  for (const Erro& e : raised) text += e.description + e.source;
  EXPECT_EQ(text.find(keys.ead.private_exponent.bytes), std::string::npos);
  EXPECT_EQ(text.find(keys.serial.letters.bytes), std::string::npos);
  EXPECT_EQ(Desencriptar(cipher), "BE0910") << "the keys work again";
}

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
}  // namespace bp
