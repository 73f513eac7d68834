// posto ead: finds the subcommand, answers --help, and refuses unknown
// options and a wrong number of arguments before anything is touched.
#include <iostream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/ead.h"

namespace posto {
namespace {

struct Subcommand {
  std::string_view name;
  std::string_view usage;  // after "uso: posto ead "
  std::initializer_list<std::string_view> options;
  std::size_t arguments;
  int (*run)(const Options&);
};

const Subcommand kSubcommands[] = {
    {"assinar",
     "assinar ARQUIVO [--chave ARQUIVO.pem]\n"
     "     assina o arquivo com o registro EAD\n",
     {"--chave"}, 1, ead::Sign},
    {"verificar",
     "verificar ARQUIVO [--chave ARQUIVO.pem | --modulo HEX]\n"
     "     confere o registro EAD do arquivo (0 confere, 1 não confere, 2 erro)\n",
     {"--chave", "--modulo"}, 1, ead::Verify},
    {"chave-publica",
     "chave-publica [--chave ARQUIVO.pem]\n"
     "     mostra a chave pública de verificação (módulo, 256 dígitos hexadecimais)\n",
     {"--chave"}, 0, ead::PublicKey},
    {"gerar-chave",
     "gerar-chave ARQUIVO.pem\n"
     "     grava um novo par RSA de 1024 bits (expoente 65537), legível só pelo dono\n",
     {}, 1, ead::NewPair},
    {"gerar-chave-serie",
     "gerar-chave-serie ARQUIVO\n"
     "     grava uma nova chave do serial da ECF (16 letras), legível só pelo dono\n",
     {}, 1, ead::NewSerialKey},
};

constexpr std::string_view kWhereKeysAre =
    "Sem --chave vale a chave da instalação: o arquivo indicado pela variável BP_EAD_CHAVE\n"
    "ou, sem ela, ead.pem na pasta do programa. A chave do serial vem de BP_CHAVE_SERIE\n"
    "ou de chave-serie.key na mesma pasta.\n";

void PrintUsage(std::ostream& out) {
  std::string_view lead = "uso: ";
  for (const Subcommand& s : kSubcommands) {
    out << lead << "posto ead " << s.usage;
    lead = "     ";
  }
  out << "\n" << kWhereKeysAre;
}

int Refuse(const Subcommand& s, const std::string& why) {
  std::cerr << "posto ead " << s.name << ": " << why << "\nuso: posto ead " << s.usage;
  return ead::kUsageOrError;
}

}  // namespace

int RunEad(const Args& args) {
  if (args.empty()) {
    PrintUsage(std::cerr);
    return ead::kUsageOrError;
  }
  if (args[0] == "--help" || args[0] == "ajuda") {
    PrintUsage(std::cout);
    return ead::kOk;
  }
  for (const Subcommand& s : kSubcommands) {
    if (args[0] != s.name) continue;
    const Options o(Args(args.begin() + 1, args.end()));
    if (o.Has("--help")) {
      std::cout << "uso: posto ead " << s.usage;
      return ead::kOk;
    }
    if (const std::string unknown = o.Unknown(s.options); !unknown.empty()) {
      return Refuse(s, "opção desconhecida: " + unknown);
    }
    for (std::string_view option : s.options) {
      if (o.Has(std::string(option)) && o.Text(std::string(option), "").empty()) {
        return Refuse(s, std::string(option) + " pede um valor");
      }
    }
    if (o.positional.size() < s.arguments) return Refuse(s, "falta o arquivo");
    if (o.positional.size() > s.arguments) {
      return Refuse(s, "argumento a mais: " + o.positional[s.arguments]);
    }
    return s.run(o);
  }
  std::cerr << "posto ead: subcomando desconhecido: " << args[0] << "\n";
  PrintUsage(std::cerr);
  return ead::kUsageOrError;
}

}  // namespace posto
