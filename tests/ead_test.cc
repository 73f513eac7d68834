// EAD signatures, checked against OpenSSL's own RSA, and posto ead end to
// end.
#include "bp/ead.h"

#include <gtest/gtest.h>
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>
#include <openssl/rsa.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bp/keys.h"
#include "support/posto.h"
#include "support/test_keys.h"

namespace bp {
namespace {

using testing::ReadFile;
using testing::WriteFile;
namespace fs = std::filesystem;

// The test program's pair (support/test_keys.h).
const std::string& Pub() { return testing::TestModulus(); }
const std::string& Priv() { return testing::InstallTestKeys().ead.private_exponent.bytes; }

std::string Sign(const std::string& path, int32_t flag = 1) {
  std::string buffer(kEadDigits, ' ');
  EXPECT_EQ(GenerateEAD(path, Pub(), Priv(), buffer, flag), 1);
  return buffer;
}

// Opens the signature with OpenSSL's own RSA code (public key built from n
// and e, no padding), independent of the library's arithmetic.
std::string OpenWithOpenSsl(const std::string& signature_hex) {
  BIGNUM* n = nullptr;
  BN_hex2bn(&n, Pub().c_str());
  BIGNUM* e = BN_new();
  BN_set_word(e, 65537);
  OSSL_PARAM_BLD* bld = OSSL_PARAM_BLD_new();
  OSSL_PARAM_BLD_push_BN(bld, OSSL_PKEY_PARAM_RSA_N, n);
  OSSL_PARAM_BLD_push_BN(bld, OSSL_PKEY_PARAM_RSA_E, e);
  OSSL_PARAM* params = OSSL_PARAM_BLD_to_param(bld);
  EVP_PKEY_CTX* from = EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr);
  EVP_PKEY* key = nullptr;
  EVP_PKEY_fromdata_init(from);
  EVP_PKEY_fromdata(from, &key, EVP_PKEY_PUBLIC_KEY, params);
  EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new(key, nullptr);
  EVP_PKEY_verify_recover_init(ctx);
  EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_NO_PADDING);
  BIGNUM* s = nullptr;
  BN_hex2bn(&s, signature_hex.c_str());
  std::array<unsigned char, 128> sig{}, out{};
  BN_bn2binpad(s, sig.data(), 128);
  size_t out_len = out.size();
  int ok = EVP_PKEY_verify_recover(ctx, out.data(), &out_len, sig.data(), sig.size());
  BN_free(s); EVP_PKEY_CTX_free(ctx); EVP_PKEY_free(key); EVP_PKEY_CTX_free(from);
  OSSL_PARAM_free(params); OSSL_PARAM_BLD_free(bld); BN_free(e); BN_free(n);
  return ok == 1 ? std::string(reinterpret_cast<char*>(out.data()), out_len) : "";
}

std::string ExpectedBlock(const std::string& bytes) {
  std::string block(128, '\0');
  block[0] = 0x10;
  unsigned int len = 0;
  EVP_Digest(bytes.data(), bytes.size(), reinterpret_cast<unsigned char*>(&block[1]), &len,
             EVP_md5(), nullptr);
  return block;
}

TEST(Ead, SignsAppendsAndVerifies) {
  testing::TestEnv env;
  const std::string path = env.Path("ecf.txt");
  const std::string body = "E01BE0910SC12345678\r\nE14000001 Gasolina comum\r\n";
  WriteFile(path, body);

  std::string unsigned_sig = Sign(path, 0);
  EXPECT_EQ(ReadFile(path), body) << "flag 0 leaves the file alone";
  std::string sig = Sign(path);
  EXPECT_EQ(sig, unsigned_sig);
  EXPECT_EQ(sig.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(ReadFile(path), body + "EAD" + sig + "\r\n");
  EXPECT_EQ(OpenWithOpenSsl(sig), ExpectedBlock(body));

  EadVerification v = VerifyEAD(path, Pub());
  EXPECT_EQ(v.status, EadStatus::kOk);
  EXPECT_EQ(v.signed_bytes, body.size());

  // A file without a final line break gets one before the record, signed too.
  WriteFile(path, "sem quebra");
  sig = Sign(path);
  EXPECT_EQ(ReadFile(path), "sem quebra\r\nEAD" + sig + "\r\n");
  EXPECT_EQ(VerifyEAD(path, Pub()).status, EadStatus::kOk);
  // An empty file signs too: the record is the whole file.
  WriteFile(path, "");
  Sign(path);
  EXPECT_EQ(VerifyEAD(path, Pub()).status, EadStatus::kOk);
}

TEST(Ead, VerificationDetectsEveryAlteration) {
  testing::TestEnv env;
  const std::string path = env.Path("ecf.txt");
  std::string body;
  for (int i = 0; i < 500; ++i) body += "E14" + std::to_string(100000 + i) + "\r\n";
  WriteFile(path, body);
  const std::string sig = Sign(path);
  const std::string signed_file = ReadFile(path);

  auto status_of = [&](std::string bytes) {
    WriteFile(path, bytes);
    return VerifyEAD(path, Pub()).status;
  };
  std::string changed = signed_file;
  changed[10] ^= 1;
  EXPECT_EQ(status_of(changed), EadStatus::kHashMismatch);
  changed = signed_file;
  changed[body.size() + 3 + 255] = sig[255] == '1' ? '2' : '1';
  EXPECT_EQ(status_of(changed), EadStatus::kBadSignature);
  EXPECT_EQ(status_of(signed_file + "E99extra\r\n"), EadStatus::kDataAfterRecord);
  EXPECT_EQ(status_of(body), EadStatus::kNoRecord);
  EXPECT_EQ(status_of(body + "EAD1234\r\n"), EadStatus::kMalformedRecord);
  EXPECT_EQ(status_of(body + "EAD" + std::string(256, 'F') + "\r\n"), EadStatus::kMalformedRecord);
  // LF-only line end after the record is accepted.
  EXPECT_EQ(status_of(signed_file.substr(0, signed_file.size() - 2) + "\n"), EadStatus::kOk);

  EXPECT_EQ(VerifyEAD(env.Path("nao_existe.txt"), Pub()).status, EadStatus::kFileUnreadable);
  EXPECT_EQ(VerifyEAD(path, Pub().substr(1)).status, EadStatus::kBadKey);
}

TEST(Ead, UnusableFileOrKeyReturnsZero) {
  testing::TestEnv env;
  const std::string path = env.Path("ecf.txt");
  WriteFile(path, "E01\r\n");
  std::string even = Pub();
  even.back() = '2';
  std::string low_modulus = "0" + std::string(255, 'F');  // below the block 0x10...
  struct Case {
    std::string file, pub, priv;
  } cases[] = {
      {env.Path("nao_existe.txt"), Pub(), Priv()},
      {env.Folder(), Pub(), Priv()},  // a folder cannot be read as a file
      {path, Pub().substr(0, 255), Priv()},
      {path, Pub(), Priv() + "0"},
      {path, "G" + Pub().substr(1), Priv()},
      {path, even, Priv()},
      {path, Pub(), std::string(256, '0')},
      {path, low_modulus, "0" + std::string(255, '1')},
  };
  for (const Case& c : cases) {
    std::string buffer(kEadDigits, ' ');
    EXPECT_EQ(GenerateEAD(c.file, c.pub, c.priv, buffer, 1), 0) << c.file << " " << c.pub;
    EXPECT_EQ(buffer, std::string(kEadDigits, ' '));
  }
  EXPECT_EQ(ReadFile(path), "E01\r\n");
}

struct Posto {
  explicit Posto(testing::TestEnv& e) : env(e) {}
  testing::TestEnv& env;
  std::string printed;  // everything the program said, all runs

  int Run(const std::string& args) {
    const testing::Saida s = testing::Posto(env, "ead " + args);
    last = s.texto;
    printed += last;
    return s.rc;
  }
  std::string last;
};

bool OwnerOnly(const std::string& path) {
  return (fs::status(path).permissions() & fs::perms::mask) ==
         (fs::perms::owner_read | fs::perms::owner_write);
}

TEST(PostoEad, MakesKeysSignsAndVerifiesWithTheModulusAlone) {
  testing::TestEnv env;
  Posto posto(env);
  const std::string file = env.Path("ecf.txt");
  const std::string pem = env.Path("nova.pem");
  const std::string serial = env.Path("serie.key");
  WriteFile(file, "E01\r\n");

  ASSERT_EQ(posto.Run("gerar-chave " + pem), 0) << posto.last;
  EXPECT_TRUE(OwnerOnly(pem));
  const EadKey key = *ReadEadKey(pem).key;
  EXPECT_NE(posto.last.find(key.modulus), std::string::npos) << "the public half is shown";
  EXPECT_EQ(posto.Run("gerar-chave " + pem), 2);
  EXPECT_EQ(ReadEadKey(pem).key->modulus, key.modulus) << "an existing file stays";
  ASSERT_EQ(posto.Run("gerar-chave-serie " + serial), 0) << posto.last;
  EXPECT_TRUE(OwnerOnly(serial));
  const SerialKey letters = *ReadSerialKey(serial).key;
  EXPECT_EQ(posto.Run("gerar-chave-serie " + serial), 2);

  EXPECT_EQ(posto.Run("chave-publica --chave " + pem), 0);
  EXPECT_EQ(posto.last, key.modulus + "\n");
  EXPECT_EQ(posto.Run("chave-publica"), 0);
  EXPECT_EQ(posto.last, testing::TestModulus() + "\n") << "the deployment's pair";

  EXPECT_EQ(posto.Run("assinar " + file + " --chave " + pem), 0) << posto.last;
  EXPECT_EQ(posto.Run("verificar " + file + " --modulo " + key.modulus), 0) << posto.last;
  EXPECT_EQ(posto.Run("verificar --chave " + pem + " " + file), 0) << posto.last;
  EXPECT_EQ(posto.Run("verificar " + file), 1) << "the deployment's pair is another";
  EXPECT_EQ(posto.Run("verificar " + file + " --modulo " + key.modulus.substr(1)), 2);
  const std::string signed_file = ReadFile(file);
  WriteFile(file, "E02" + signed_file.substr(3));
  EXPECT_EQ(posto.Run("verificar " + file + " --modulo " + key.modulus), 1);
  WriteFile(file, signed_file);

  // Every subcommand explains itself; bad options and arguments change nothing.
  for (const char* sub : {"", "assinar ", "verificar ", "chave-publica ", "gerar-chave ",
                          "gerar-chave-serie "}) {
    EXPECT_EQ(posto.Run(std::string(sub) + "--help"), 0) << sub;
    EXPECT_EQ(posto.last.rfind("uso: posto ead ", 0), 0u) << posto.last;
  }
  const std::string other = env.Path("outra.pem");
  for (const std::string& args :
       {"assinar " + file + " --chav " + pem, "assinar " + file + " --modulo " + key.modulus,
        "assinar " + file + " --chave", "verificar " + file + " --chave " + pem + " --modulo " +
        key.modulus, "gerar-chave " + other + " --forcar", "gerar-chave " + other + " " + pem,
        std::string("assinar"), std::string("desconhecido")}) {
    EXPECT_EQ(posto.Run(args), 2) << args;
  }
  EXPECT_EQ(ReadFile(file), signed_file);
  EXPECT_FALSE(fs::exists(other));

  {  // The deployment's pair missing: the message names the file and the variable.
    testing::ScopedVariable missing(kEadKeyVariable, env.Path("sumiu.pem"));
    EXPECT_EQ(posto.Run("assinar " + file), 2);
    EXPECT_NE(posto.last.find(env.Path("sumiu.pem")), std::string::npos) << posto.last;
    EXPECT_NE(posto.last.find("BP_EAD_CHAVE"), std::string::npos) << posto.last;
    EXPECT_EQ(posto.Run("chave-publica"), 2);
  }
  EXPECT_EQ(ReadFile(file), signed_file);
  EXPECT_EQ(posto.Run("assinar " + env.Path("nao_existe.txt")), 2);
  EXPECT_NE(posto.last.find("0x80040660: Erro na assinatura do arquivo"), std::string::npos)
      << posto.last;

  const testing::TestKeys& deployment = testing::InstallTestKeys();
  for (const std::string& secret : {key.private_exponent.bytes, letters.letters.bytes,
                                    deployment.ead.private_exponent.bytes,
                                    deployment.serial.letters.bytes}) {
    EXPECT_EQ(posto.printed.find(secret), std::string::npos);
  }
}

}  // namespace
}  // namespace bp
