// posto db gerar: fills a new station database (version 18) with a
// realistic history of movement, for trying the upgrade and measuring it.
#include <iostream>
#include <string>

#include <fmt/format.h>

#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "bp/value.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "station/banco_inicial.h"
#include "station/gerador.h"

namespace posto {

int RunGerar(const Args& args) {
  const Options o(args);
  station::OpcoesGerador g;
  g.dias = o.Int("--dias", g.dias);
  g.cupons_dia = o.Int("--cupons-dia", g.cupons_dia);
  g.itens_cupom = o.Int("--itens-cupom", g.itens_cupom);
  g.produtos = o.Int("--produtos", g.produtos);
  g.clientes = o.Int("--clientes", g.clientes);
  g.funcionarios = o.Int("--funcionarios", g.funcionarios);
  g.bicos = o.Int("--bicos", g.bicos);
  g.impressoras = o.Int("--impressoras", g.impressoras);
  g.semente = static_cast<uint64_t>(static_cast<uint32_t>(o.Int("--semente", 1)));
  g.cd_pessoa_usuaria = o.Int("--empresa", 1);
  if (o.Has("--inicio")) g.inicio = bp::Value(o.Text("--inicio", "")).ToDate();

  auto connection = bp::db::Connection::Open(o.db);
  if (bp::schema::Introspect(*connection).Find("Parametro") == nullptr) {
    station::CriarBancoVersao18(*connection, g.cd_pessoa_usuaria);
    std::cout << "Banco criado na versão 18: " << connection->Describe() << "\n";
  }
  std::cout << fmt::format(
      "Gerando {} dia(s) a partir de {:02}/{:02}/{}: {} cupons por dia, {} itens por cupom em "
      "média, {} produtos, {} clientes, semente {}...\n",
      g.dias, g.inicio.Day(), g.inicio.Month(), g.inicio.Year(), g.cupons_dia, g.itens_cupom,
      g.produtos, g.clientes, g.semente);
  std::cout.flush();
  const station::ResumoGerador r = station::GerarMovimento(*connection, g);
  std::cout << "Linhas gravadas por tabela:\n";
  for (const auto& [tabela, linhas] : r.linhas) {
    std::cout << fmt::format("  {:<22}{:>12}\n", tabela, linhas);
  }
  std::cout << fmt::format("  {:<22}{:>12}\n", "Total", r.Total());
  std::cout << fmt::format("Tempo: {:.2f} s ({:.0f} linhas por segundo)\n", r.segundos,
                           r.segundos > 0 ? static_cast<double>(r.Total()) / r.segundos : 0.0);
  return 0;
}

}  // namespace posto
