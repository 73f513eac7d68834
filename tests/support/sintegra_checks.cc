#include "support/sintegra_checks.h"

#include <cmath>
#include <map>

#include <gtest/gtest.h>

#include "bp/bp_exportacao_gam.h"
#include "bp/bp_exportacao_sintegra.h"
#include "bp/bp_exportar_estoque.h"
#include "bp/format.h"

namespace bp::testing {
namespace {

const DateTime kInicio = DateTime::Of(2026, 11, 1);
const DateTime kFim = DateTime::Of(2026, 11, 30);

double Numero(const std::string& linha, size_t de, size_t largura, int decimais) {
  return std::stod(linha.substr(de, largura)) / std::pow(10.0, decimais);
}

// Every record is 126 characters; record 90 has the pair of each type the
// file holds, with its count, and "99" with the number of records.
void ConferirContagens(const std::vector<std::string>& registros) {
  std::map<std::string, int> tipos;
  for (const std::string& r : registros) {
    EXPECT_EQ(r.size(), 126u) << r.substr(0, 3);
    const std::string tipo = r.substr(0, 2);
    if (tipo != "10" && tipo != "11" && tipo != "90") ++tipos[tipo];
  }
  const std::string& noventa = registros.back();
  ASSERT_EQ(noventa.substr(0, 2), "90");
  std::map<std::string, int> declarados;
  size_t i = 30;
  for (; noventa.substr(i, 2) != "99"; i += 10) {
    declarados[noventa.substr(i, 2)] = std::stoi(noventa.substr(i + 2, 8));
  }
  EXPECT_EQ(declarados, tipos);
  EXPECT_EQ(std::stoi(noventa.substr(i + 2, 8)), static_cast<int>(registros.size()));
  EXPECT_EQ(noventa.back(), '1');
}

// Quantity and average cost of each product consolidated at a date.
std::map<int32_t, std::pair<double, double>> Consolidado(db::Connection& c, DateTime data) {
  std::map<int32_t, std::pair<double, double>> linhas;
  const db::Recordset rs = c.Query(
      "SELECT Cd_Produto, Qt_Estoque, Vl_CustoMedio FROM EstoqueConsolidado WHERE Dt_Referencia = "
      "?",
      {Value(data)});
  for (const auto& r : rs.Rows()) {
    linhas[r[0].ToInt32()] = {r[1].ToDouble(), r[2].IsNull() ? 0.0 : r[2].ToDouble()};
  }
  return linhas;
}

}  // namespace

std::vector<std::string> Registros(const std::string& arquivo) {
  const std::string bytes = ReadFile(arquivo);
  std::vector<std::string> linhas;
  size_t inicio = 0;
  for (size_t fim; (fim = bytes.find("\r\n", inicio)) != std::string::npos; inicio = fim + 2) {
    linhas.push_back(bytes.substr(inicio, fim - inicio));
  }
  EXPECT_EQ(inicio, bytes.size()) << "a line without CR LF";
  return linhas;
}

void ConferirMesDaEstacao(const std::shared_ptr<station::Sessao>& sessao, TestEnv& env) {
  db::Connection& c = sessao->Dal().Conexao();
  host::BOEmpresaUsuaria& empresa = sessao->EmpresaUsuaria();

  // From scratch at the month's end, and forward from its middle.
  empresa.ConsolidarEstoqueNaData(kFim, nullptr);
  const auto do_zero = Consolidado(c, kFim);
  ASSERT_GT(do_zero.size(), 4u);
  c.Execute("DELETE FROM EstoqueConsolidado");
  c.Execute("UPDATE EmpresaUsuaria SET Dt_UltimaConsolidacaoEstoque = NULL");
  empresa.ConsolidarEstoqueNaData(DateTime::Of(2026, 11, 15), nullptr);
  EXPECT_EQ(empresa.DataUltimaConsolidacaoEstoque(), DateTime::Of(2026, 11, 15));

  BPExportacaoSintegra sintegra;  // consolidates forward to the 30th
  sintegra.SetObBOSistema(sessao);
  sintegra.SetDt_Inicial(kInicio);
  sintegra.SetDt_Final(kFim);
  sintegra.SetDs_Caminho(env.Path("sintegra.txt"));
  sintegra.SetNm_Funcionario("JOÃO DA SILVA");
  ASSERT_TRUE(sintegra.ExportaSintegra());
  EXPECT_EQ(Consolidado(c, kFim), do_zero);
  const std::vector<std::string> registros = Registros(env.Path("sintegra.txt"));
  ConferirContagens(registros);

  // Each printer day: its 60M carries the Z's grand total, and its sales
  // (60M) and its totalisers (60A) add up to the Z's totals.
  std::map<std::string, double> soma_60a, venda_bruta;
  int dias = 0;
  for (const std::string& r : registros) {
    if (r.rfind("60A", 0) == 0) soma_60a[r.substr(3, 8)] += Numero(r, 35, 12, 2);
  }
  for (const std::string& r : registros) {
    if (r.rfind("60M", 0) != 0) continue;
    ++dias;
    const std::string dia = r.substr(3, 8);
    venda_bruta[dia] = Numero(r, 57, 16, 2);
    const DateTime data = DateTime::Of(std::stoi(dia.substr(0, 4)), std::stoi(dia.substr(4, 2)),
                                       std::stoi(dia.substr(6, 2)));
    const db::Recordset z = c.Query("SELECT * FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(data)});
    ASSERT_FALSE(z.Eof()) << dia;
    EXPECT_NEAR(Numero(r, 73, 16, 2), z["Vl_GTotalFinal"].ToDouble(), 0.005) << dia;
    double total = 0;
    for (int i = 1; i <= 20; ++i) {
      const Value& v = z["Vl_T" + Format(i, "00")];
      if (!v.IsNull()) total += v.ToDouble();
    }
    for (const char* coluna :
         {"Vl_IsentasICMS", "Vl_NaoIncidenciaICMS", "Vl_SubTribICMS", "Vl_IsentasISS",
          "Vl_NaoIncidenciaISS", "Vl_SubTribISS", "Vl_CancelamentosICMS", "Vl_CancelamentosISS",
          "Vl_DescontosICMS", "Vl_DescontosISS"}) {
      if (!z[coluna].IsNull()) total += z[coluna].ToDouble();
    }
    EXPECT_NEAR(venda_bruta[dia], total, 0.005) << dia;
    EXPECT_NEAR(soma_60a[dia], total, 0.005) << dia;
  }
  EXPECT_EQ(dias, 26);  // the 5th to the 30th

  BPExportacaoGam gam;
  gam.SetObBOSistema(sessao);
  gam.SetDt_Inicial(kInicio);
  gam.SetDt_Final(kFim);
  gam.SetDs_Caminho(env.Path("gam.txt"));
  ASSERT_TRUE(gam.ExportaGAM());
  const std::vector<std::string> gam_registros = Registros(env.Path("gam.txt"));
  ConferirContagens(gam_registros);
  for (const std::string& r : gam_registros) {
    EXPECT_TRUE(r.rfind("53", 0) != 0 && r.rfind("74", 0) != 0 && r.rfind("60", 0) != 0) << r;
  }

  // The stock file: each product's quantity as consolidated at the date.
  BPExportarEstoque estoque;
  estoque.SetObBOSistema(sessao);
  estoque.SetDs_Caminho(env.Path("estoque.txt"));
  ASSERT_TRUE(estoque.ExportarEstoque(kFim));
  int produtos = 0;
  for (const std::string& r : Registros(env.Path("estoque.txt"))) {
    if (r.rfind("E2", 0) != 0) continue;
    ++produtos;
    const int32_t codigo = std::stoi(r.substr(16, 14));
    const double qt = Numero(r, 87, 9, 3) * (r[86] == '-' ? -1 : 1);
    EXPECT_NEAR(qt, do_zero.count(codigo) ? do_zero.at(codigo).first : 0.0, 0.0005) << r;
  }
  EXPECT_EQ(produtos, 12);
}

}  // namespace bp::testing
