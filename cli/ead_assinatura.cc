// posto ead assinar | verificar: signs a fiscal file with its EAD record and
// checks the record of a signed file.
#include <iostream>
#include <string>

#include "bp/criptografia.h"
#include "bp/ead.h"
#include "bp/erro.h"
#include "cli/ead.h"

namespace posto::ead {

int Sign(const Options& o) {
  std::string path = o.Argument(0);
  const bp::KeyResult<bp::EadKey> key = ChosenKey(o);
  if (!key.key) return Fail("Não foi possível assinar o arquivo " + path + ".\n" + key.failure);
  bool add_line_break = false;
  try {
    std::string digits = bp::AssinarArquivoDigitalmente(path, add_line_break, *key.key);
    std::cout << "Arquivo assinado: " << path << "\nEAD: " << digits << "\n";
    return kOk;
  } catch (const bp::Erro& e) {
    return Fail("Não foi possível assinar o arquivo " + path + ".\nErro " +
                bp::HexNumber(e.number) + ": " + e.description + "\nFonte: " + e.source);
  }
}

int Verify(const Options& o) {
  const std::string path = o.Argument(0);
  if (o.Has("--chave") && o.Has("--modulo")) return Fail("Use --chave ou --modulo, não os dois.");
  std::string modulus = o.Text("--modulo", "");
  if (modulus.empty()) {
    const bp::KeyResult<bp::EadKey> key = ChosenKey(o);
    if (!key.key) return Fail(key.failure);
    modulus = key.key->modulus;
  }
  const bp::EadVerification v = bp::VerifyEAD(path, modulus);
  switch (v.status) {
    case bp::EadStatus::kOk:
      std::cout << path << ": " << bp::EadStatusMessage(v.status) << " (" << v.signed_bytes
                << " bytes assinados)\n";
      return kOk;
    case bp::EadStatus::kFileUnreadable:
    case bp::EadStatus::kBadKey:
      return Fail(path + ": " + std::string(bp::EadStatusMessage(v.status)));
    default:
      std::cout << path << ": assinatura NÃO confere. " << bp::EadStatusMessage(v.status) << "\n";
      return kVerificationFailed;
  }
}

}  // namespace posto::ead
