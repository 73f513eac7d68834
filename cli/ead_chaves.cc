// posto ead chave-publica | gerar-chave | gerar-chave-serie: the key files of
// a station deployment. Only the public modulus is ever printed.
#include <filesystem>
#include <iostream>
#include <string>

#include "bp/keys.h"
#include "cli/ead.h"

namespace posto::ead {

bp::KeyResult<bp::EadKey> ChosenKey(const Options& o) {
  return o.Has("--chave") ? bp::ReadEadKey(o.Text("--chave", "")) : bp::DeploymentEadKey();
}

int PublicKey(const Options& o) {
  const bp::KeyResult<bp::EadKey> key = ChosenKey(o);
  if (!key.key) return Fail(key.failure);
  std::cout << key.key->modulus << "\n";
  return kOk;
}

namespace {

// The path to put in a variable: absolute, so it holds from any folder.
std::string Absolute(const std::string& path) { return std::filesystem::absolute(path).string(); }

}  // namespace

int NewPair(const Options& o) {
  const std::string path = o.Argument(0);
  const bp::KeyResult<bp::EadKey> key = bp::WriteNewEadKey(path);
  if (!key.key) return Fail(key.failure);
  std::cout << "Par de chaves EAD gravado em " << path << " (legível só pelo dono).\n"
            << "Chave pública (módulo): " << key.key->modulus << "\n"
            << "Para usá-lo: export " << bp::kEadKeyVariable << "=\"" << Absolute(path)
            << "\", ou guarde-o como " << bp::kEadKeyFileName << " na pasta do programa.\n";
  return kOk;
}

int NewSerialKey(const Options& o) {
  const std::string path = o.Argument(0);
  const bp::KeyResult<bp::SerialKey> key = bp::WriteNewSerialKey(path);
  if (!key.key) return Fail(key.failure);
  std::cout << "Chave do serial gravada em " << path << " (legível só pelo dono).\n"
            << "Para usá-la: export " << bp::kSerialKeyVariable << "=\"" << Absolute(path)
            << "\", ou guarde-a como " << bp::kSerialKeyFileName << " na pasta do programa.\n"
            << "Os seriais cifrados com outra chave deixam de ser lidos.\n";
  return kOk;
}

}  // namespace posto::ead
