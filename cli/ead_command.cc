// posto ead: the EAD signatures of fiscal files and the deployment's keys.
// The work of each subcommand is in cli/ead_assinatura.cc and
// cli/ead_chaves.cc.
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/ead.h"

namespace posto {
namespace {

const char kOndeEstaAChave[] =
    "chave privada (padrão: BP_EAD_CHAVE ou ead.pem na pasta do programa)";

}  // namespace

std::vector<Command> ComandosEad() {
  return {
      {"ead assinar",
       "Assina o arquivo com o registro EAD.",
       {Text("--chave", "ARQUIVO.pem", kOndeEstaAChave)},
       {{"ARQUIVO", "o arquivo a assinar"}},
       ead::Sign},
      {"ead verificar",
       "Confere o registro EAD do arquivo (0 confere, 1 não confere, 2 erro).",
       {Text("--chave", "ARQUIVO.pem", kOndeEstaAChave),
        Text("--modulo", "HEX", "só a chave pública: o módulo, 256 dígitos hexadecimais")},
       {{"ARQUIVO", "o arquivo assinado"}},
       ead::Verify},
      {"ead chave-publica",
       "Mostra a chave pública de verificação (módulo, 256 dígitos hexadecimais).",
       {Text("--chave", "ARQUIVO.pem", kOndeEstaAChave)},
       {},
       ead::PublicKey},
      {"ead gerar-chave",
       "Grava um novo par RSA de 1024 bits (expoente 65537), legível só pelo dono.",
       {},
       {{"ARQUIVO.pem", "o arquivo novo (não é sobrescrito)"}},
       ead::NewPair},
      {"ead gerar-chave-serie",
       "Grava uma nova chave do serial da ECF (16 letras), legível só pelo dono.",
       {},
       {{"ARQUIVO", "o arquivo novo, não sobrescrito (use-o por BP_CHAVE_SERIE ou como "
                    "chave-serie.key na pasta do programa)"}},
       ead::NewSerialKey},
  };
}

}  // namespace posto
