// posto ead: signs a fiscal file with its EAD record, checks the record of a
// signed file, and shows the public key that checks it.
#include <iostream>
#include <string>
#include <vector>

#include "bp/criptografia.h"
#include "bp/ead.h"
#include "bp/erro.h"
#include "cli/commands.h"

namespace posto {
namespace {

constexpr int kOk = 0;
constexpr int kVerificationFailed = 1;
constexpr int kUsageOrError = 2;

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
  bp::EadVerification v = bp::VerifyEAD(path, std::string(bp::EadPublicKey()));
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

std::vector<Command> ComandosEad() {
  return {
      {"ead assinar", "Assina o arquivo com o registro EAD.", {},
       {{"ARQUIVO", "o arquivo a assinar"}}, [](const Options& o) { return Sign(o.Argument(0)); }},
      {"ead verificar", "Confere o registro EAD do arquivo.", {},
       {{"ARQUIVO", "o arquivo assinado"}}, [](const Options& o) { return Verify(o.Argument(0)); }},
      {"ead chave-publica", "Mostra a chave pública de verificação.", {}, {},
       [](const Options&) {
         std::cout << bp::EadPublicKey() << "\n";
         return kOk;
       }},
  };
}

}  // namespace posto
