// posto ead: signs a fiscal file with its EAD record, checks the record of a
// signed file, and shows the public key that checks it.
#include <iostream>
#include <string>

#include "bp/criptografia.h"
#include "bp/ead.h"
#include "bp/erro.h"
#include "bp/keys.h"
#include "cli/commands.h"

namespace posto {
namespace {

constexpr int kOk = 0;
constexpr int kVerificationFailed = 1;
constexpr int kUsageOrError = 2;

int Usage() {
  std::cerr << "uso: posto ead assinar ARQUIVO      assina o arquivo com o registro EAD\n"
               "     posto ead verificar ARQUIVO    confere o registro EAD do arquivo\n"
               "     posto ead chave-publica        mostra a chave pública de verificação\n";
  return kUsageOrError;
}

int Sign(std::string path) {
  bool add_line_break = false;
  try {
    std::string ead = bp::AssinarArquivoDigitalmente(path, add_line_break);
    std::cout << "Arquivo assinado: " << path << "\nEAD: " << ead << "\n";
    return kOk;
  } catch (const bp::Erro& e) {
    std::cerr << "Não foi possível assinar o arquivo " << path << ".\nErro "
              << bp::HexNumber(e.number) << ": " << e.description << "\nFonte: " << e.source
              << "\n";
    return kUsageOrError;
  }
}

int Verify(const std::string& path) {
  const bp::KeyResult<bp::EadKey> key = bp::DeploymentEadKey();
  if (!key.key) {
    std::cerr << key.failure << "\n";
    return kUsageOrError;
  }
  bp::EadVerification v = bp::VerifyEAD(path, key.key->modulus);
  switch (v.status) {
    case bp::EadStatus::kOk:
      std::cout << path << ": " << bp::EadStatusMessage(v.status) << " (" << v.signed_bytes
                << " bytes assinados)\n";
      return kOk;
    case bp::EadStatus::kFileUnreadable:
    case bp::EadStatus::kBadKey:
      std::cerr << path << ": " << bp::EadStatusMessage(v.status) << "\n";
      return kUsageOrError;
    default:
      std::cout << path << ": assinatura NÃO confere. " << bp::EadStatusMessage(v.status)
                << "\n";
      return kVerificationFailed;
  }
}

}  // namespace

int RunEad(const Args& args) {
  if (args.size() == 2 && args[0] == "assinar") return Sign(args[1]);
  if (args.size() == 2 && args[0] == "verificar") return Verify(args[1]);
  if (args.size() == 1 && args[0] == "chave-publica") {
    const bp::KeyResult<bp::EadKey> key = bp::DeploymentEadKey();
    if (!key.key) {
      std::cerr << key.failure << "\n";
      return kUsageOrError;
    }
    std::cout << key.key->modulus << "\n";
    return kOk;
  }
  return Usage();
}

}  // namespace posto
