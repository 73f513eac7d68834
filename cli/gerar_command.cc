// posto db gerar: fills a new station database (version 18) with a
// realistic history of movement, for trying the upgrade and measuring it.
#include <iostream>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "bp/erro.h"
#include "bp/format.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/csv.h"
#include "cli/progresso.h"
#include "station/session/banco_inicial.h"
#include "station/seed/gerador.h"

namespace posto {
namespace {

// The generator's options from the command line, checked before anything is
// created.
station::OpcoesGerador Opcoes(const Options& o) {
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
  g.inicio = o.Moment("--inicio").value_or(g.inicio).DatePart();
  try {
    station::ConferirOpcoes(g);
  } catch (const bp::Erro& e) {
    throw UsageError(e.description);
  }
  return g;
}

void MostrarResumo(const station::ResumoGerador& r, bool csv) {
  if (csv) {
    std::cout << LinhaCsv({"Tabela", "Linhas"});
    for (const auto& [tabela, linhas] : r.linhas) std::cout << LinhaCsv({tabela, std::to_string(linhas)});
    return;
  }
  std::cout << "Linhas gravadas por tabela:\n";
  for (const auto& [tabela, linhas] : r.linhas) std::cout << fmt::format("  {:<22}{:>12}\n", tabela, linhas);
  std::cout << fmt::format("  {:<22}{:>12}\n", "Total", r.Total());
  std::cout << fmt::format("Tempo: {:.2f} s ({:.0f} linhas por segundo)\n", r.segundos,
                           r.segundos > 0 ? static_cast<double>(r.Total()) / r.segundos : 0.0);
}

int Gerar(const Options& o) {
  station::OpcoesGerador g = Opcoes(o);
  const bool csv = o.Has("--csv");
  // With --csv the table is all that goes to standard output.
  std::ostream& relato = csv ? std::cerr : std::cout;
  auto connection = AbrirBanco(Banco(o), UsoDoBanco::kCriarSeNaoExistir);
  if (!station::BancoDoPosto(*connection)) {
    station::CriarBancoVersao18(*connection, g.cd_pessoa_usuaria);
    relato << "Banco criado na versão 18: " << connection->Describe() << "\n";
  }
  relato << fmt::format(
      "Gerando {} dia(s) a partir de {:02}/{:02}/{}: {} cupons por dia, {} itens por cupom em "
      "média, {} produtos, {} clientes, semente {}...\n",
      g.dias, g.inicio.Day(), g.inicio.Month(), g.inicio.Year(), g.cupons_dia, g.itens_cupom,
      g.produtos, g.clientes, g.semente);
  relato.flush();
  Progresso progresso("Geração do movimento");
  g.ao_fim_do_dia = [&](int32_t feitos, int32_t dias) {
    progresso.Mostrar(feitos, dias, "Dia " + std::to_string(feitos) + " de " + std::to_string(dias));
  };
  const station::ResumoGerador r = station::GerarMovimento(*connection, g);
  progresso.Fechar();
  MostrarResumo(r, csv);
  return 0;
}

}  // namespace

std::vector<Command> ComandosGerar() {
  const station::OpcoesGerador padrao;
  const auto numero = [](const char* nome, const char* texto, int64_t valor) {
    return Integer(nome, "N", fmt::format("{} (padrão: {})", texto, valor));
  };
  return {{"db gerar",
           "Preenche um banco novo (versão 18) com movimento.",
           {kOpcaoDb, numero("--dias", "dias de movimento", padrao.dias),
            numero("--cupons-dia", "cupons fiscais num dia médio", padrao.cupons_dia),
            numero("--itens-cupom", "itens por cupom, em média", padrao.itens_cupom),
            numero("--produtos", "produtos", padrao.produtos),
            numero("--clientes", "clientes a prazo", padrao.clientes),
            numero("--funcionarios", "funcionários", padrao.funcionarios),
            numero("--bicos", "bicos", padrao.bicos),
            numero("--impressoras", "impressoras fiscais", padrao.impressoras),
            numero("--semente", "semente das escolhas ao acaso", 1),
            Moment("--inicio", "primeiro dia do movimento (padrão: " +
                                   bp::Format(padrao.inicio, "dd/mm/yyyy") + ")"),
            kOpcaoEmpresa, kOpcaoCsv},
           {},
           Gerar}};
}

}  // namespace posto
