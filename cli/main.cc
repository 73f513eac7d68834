// posto: the station's command-line program over the library and the
// reference host.
#include <iostream>
#include <string>

#include "bp/erro.h"
#include "cli/commands.h"

namespace {

void PrintUsage() {
  std::cout << "uso: posto <comando> [argumentos]\n"
               "\n"
               "comandos:\n"
               "  demo                      executa a demonstração completa\n"
               "  classes [NOME]            mostra as classes públicas e as enumerações\n"
               "  ead assinar ARQUIVO [--chave ARQUIVO.pem]\n"
               "                            assina o arquivo com o registro EAD\n"
               "  ead verificar ARQUIVO [--chave ARQUIVO.pem | --modulo HEX]\n"
               "                            confere o registro EAD do arquivo\n"
               "  ead chave-publica [--chave ARQUIVO.pem]\n"
               "                            mostra a chave pública de verificação\n"
               "  ead gerar-chave ARQUIVO.pem\n"
               "                            grava um novo par de chaves EAD\n"
               "  ead gerar-chave-serie ARQUIVO\n"
               "                            grava uma nova chave do serial da ECF\n"
               "  db init [--db BANCO]      cria o banco do posto na versão 18\n"
               "  db upgrade [--db BANCO] [--target N] [--avisar]\n"
               "                            atualiza o banco até a versão da biblioteca\n"
               "  db version [--db BANCO]   mostra a versão do banco e a da biblioteca\n"
               "  db gerar [--db BANCO] [--dias N] [--cupons-dia N] [--itens-cupom N]\n"
               "           [--produtos N] [--clientes N] [--semente N]\n"
               "                            preenche um banco novo (versão 18) com movimento\n"
               "  ecf [--db BANCO] [estado]  mostra a impressora fiscal emulada\n"
               "  ecf [--db BANCO] falha papel|desligada|comunicacao|nenhuma\n"
               "                            liga ou desliga uma falha da impressora\n"
               "  mt [--db BANCO] [--empresa N]\n"
               "                            simula os micro-terminais das bombas (sem terminal,\n"
               "                            lê comandos da entrada e responde em JSON)\n"
               "  station seed [--db BANCO] [--now AAAA-MM-DDTHH:MM]\n"
               "                            cria a estação de demonstração num banco novo\n"
               "  dia abrir|fechar [--db BANCO] [--pasta PASTA] [--now AAAA-MM-DDTHH:MM]\n"
               "                            abre ou fecha o dia fiscal na impressora do posto\n"
               "\n"
               "BANCO é um arquivo SQLite (padrão: posto.db) ou uma URL postgresql://\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "ajuda") {
    PrintUsage();
    return argc < 2 ? 2 : 0;
  }
  const std::string command = argv[1];
  const posto::Args args(argv + 2, argv + argc);
  try {
    if (command == "demo") return posto::RunDemo(args);
    if (command == "classes") return posto::RunClasses(args);
    if (command == "ead") return posto::RunEad(args);
    if (command == "db" && !args.empty() && args[0] == "gerar") return posto::RunGerar(args);
    if (command == "db") return posto::RunDb(args);
    if (command == "ecf") return posto::RunEcf(args);
    if (command == "mt") return posto::RunMt(args);
    if (command == "station") return posto::RunStation(args);
    if (command == "dia") return posto::RunDia(args);
  } catch (const bp::Erro& e) {
    std::cerr << "Erro " << bp::HexNumber(e.number) << " (" << e.number << "): " << e.description
              << "\nFonte: " << e.source << "\n";
    return 2;
  }
  std::cerr << "posto: comando desconhecido: " << command << "\n";
  PrintUsage();
  return 2;
}
