// A minimal station host: opens a SQLite station database (creating a new
// one at version 18 when the file holds none), creates the library's upgrade
// class by its program identifier, hands it the station's session and brings
// the database to the version the library expects.
#include <iostream>
#include <memory>
#include <utility>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/registry.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " STATION.db\n";
    return 2;
  }
  try {
    station::Configuracao config(argv[1]);
    std::unique_ptr<bp::db::Connection> connection = bp::db::Connection::Open(config.banco);
    if (!station::BancoDoPosto(*connection))
      station::CriarBancoVersao18(*connection, config.cd_pessoa_usuaria);
    auto session = std::make_shared<station::Sessao>(std::move(connection), config);

    auto upgrade = bp::CreateObject<bp::BPAtualizarBancoDeDados>("BP.BPAtualizarBancoDeDados");
    upgrade->SetObBOSistema(session);
    upgrade->Atualizar(true);

    std::cout << argv[1] << ": version " << station::VersaoDoBanco(session->Dal().Conexao())
              << " (library " << upgrade->TargetVersion() << ")\n";
    return 0;
  } catch (const bp::Erro& e) {
    std::cerr << "error " << e.number << ": " << e.description << "\n";
    return 1;
  }
}
