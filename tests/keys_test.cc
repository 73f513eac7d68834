#include "bp/keys.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <filesystem>
#include <string>

#include "bp/ead.h"
#include "support/test_env.h"
#include "support/test_keys.h"

namespace bp {
namespace {

using testing::ScopedVariable;
using testing::WriteFile;
namespace fs = std::filesystem;

fs::perms Mode(const std::string& path) {
  return fs::status(path).permissions() & fs::perms::mask;
}

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

  // New files beside the module, readable by their owner alone.
  const KeyResult<EadKey> made = WriteNewEadKey(pem);
  const KeyResult<SerialKey> drawn = WriteNewSerialKey(serial);
  ASSERT_TRUE(made.key && drawn.key) << made.failure << drawn.failure;
  EXPECT_EQ(Mode(pem), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Mode(serial), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(made.key->modulus.size(), kEadDigits);
  EXPECT_EQ(made.key->private_exponent.bytes.size(), kEadDigits);
  EXPECT_EQ(drawn.key->letters.bytes.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
  EXPECT_EQ(drawn.key->letters.bytes.size(), 16u);

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

  // Existing files are never overwritten.
  EXPECT_FALSE(WriteNewEadKey(pem).key);
  EXPECT_FALSE(WriteNewSerialKey(serial).key);
  EXPECT_EQ(ReadEadKey(pem).key->modulus, made.key->modulus);
  EXPECT_EQ(ReadSerialKey(serial).key->letters.bytes, drawn.key->letters.bytes);
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

}  // namespace
}  // namespace bp
