// posto ead end to end: key files made and used, a receiver holding only the
// modulus, options checked before anything is touched, exit codes 0 / 1 / 2,
// and no secret in anything the program prints.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bp/keys.h"
#include "support/test_env.h"
#include "support/test_keys.h"

namespace bp {
namespace {

using testing::ReadFile;
using testing::WriteFile;
namespace fs = std::filesystem;

struct Posto {
  explicit Posto(testing::TestEnv& e) : env(e) {}
  testing::TestEnv& env;
  std::string printed;  // everything the program said, all runs

  int Run(const std::string& args) {
    const std::string out = env.Path("out.txt");
    const int rc =
        std::system((std::string(POSTO_BINARY) + " ead " + args + " >" + out + " 2>&1").c_str());
    last = ReadFile(out);
    printed += last;
    return WEXITSTATUS(rc);
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
