// Billing over the demo station's database, and posto faturar and posto
// faturamento read back through the program's own queries.
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_exportar_cupom_fiscal.h"
#include "bp/bp_faturamento.h"
#include "bp/erros.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/estacao_demo.h"
#include "support/posto.h"

namespace bp {
namespace {

constexpr int32_t kCliente = 119;  // a history customer with coupons pending in December
const DateTime kAte = DateTime::Of(2026, 12, 5);
const DateTime kVencimento = DateTime::Of(2027, 1, 5);

struct Estacao {
  explicit Estacao(const std::string& nome)
      : sessao(std::make_shared<station::Sessao>(
            station::Configuracao(testing::CopyDemoStation("faturamento_" + nome)))) {
    env.now = testing::DemoStationNow();
    classe.SetObBOSistema(sessao);
  }
  db::Connection& C() { return sessao->Dal().Conexao(); }
  Money Pendente() {
    Money soma;
    const db::Recordset rs = C().Query(
        "SELECT Vl_TotalLiquido FROM CupomFiscal WHERE Cd_Cliente = ? AND "
        "Cd_ContaAReceber IS NULL AND Tp_Venda IN (11, 12, 13)",
        {Value(kCliente)});
    for (const auto& row : rs.Rows()) soma += row[0].ToMoney();
    return soma;
  }
  // Every row of the tables a run writes, as text.
  std::string Tabelas() {
    return testing::TablesAsText(C(),
                                 {"ContaAReceber", "CupomFiscal", "NotaSaida", "ItemNotaSaida"});
  }
  int32_t Faturar(uint8_t imp_nf = 12) {
    return classe.Faturar(kCliente, kAte, kVencimento, imp_nf, 1, Money::FromInt(100));
  }
  testing::TestEnv env;
  std::shared_ptr<station::Sessao> sessao;
  BPFaturamento classe;
};

TEST(BillingStation, BillsTheCustomersCouponsWithTheirInvoice) {
  Estacao e("inteiro");
  e.C().Execute("UPDATE EmpresaUsuaria SET Ic_EmitirNfNoFaturamento = ?", {Value(true)});
  e.C().Execute("UPDATE Cliente SET Tx_Desconto = ? WHERE Cd_Cliente = ?",
                {Value(Money::FromDouble(2.5)), Value(kCliente)});
  const Money soma = e.Pendente();
  ASSERT_GT(soma, Money());
  const int32_t conta = e.Faturar();
  ASSERT_GT(conta, 0);
  db::Recordset r = e.C().Query(
      "SELECT Vl_Debito, Vl_Desconto, Vl_SaldoDebito, Dt_Vencimento, Cd_Cliente FROM ContaAReceber "
      "WHERE Cd_ContaAReceber = ?",
      {Value(conta)});
  EXPECT_EQ(r["Vl_Debito"].ToMoney(), soma);
  EXPECT_EQ(r["Vl_Desconto"].ToMoney(), Money::FromDouble(2.5));
  EXPECT_EQ(r["Vl_SaldoDebito"].ToMoney(), Money::FromDouble(97.5));
  EXPECT_EQ(r["Dt_Vencimento"].ToDate(), kVencimento);
  EXPECT_EQ(e.Pendente(), Money());
  r = e.C().Query(
      "SELECT SUM(Vl_TotalLiquido), COUNT(*) FROM CupomFiscal WHERE Cd_ContaAReceber = ? "
      "AND FL_Fechada <> 0",
      {Value(conta)});
  EXPECT_EQ(r.Field(0).ToMoney(), soma);

  // The invoice: operation 91, lines numbered from 1, each line's quantity
  // times its price giving back the items' amounts.
  r = e.C().Query(
      "SELECT No_Nota, Cd_Operacao, Ds_Observacao, Hr_Emissao, Vl_Total FROM NotaSaida "
      "WHERE Cd_ContaAReceber = ?",
      {Value(conta)});
  ASSERT_FALSE(r.Eof());
  EXPECT_EQ(r["Cd_Operacao"].ToInt32(), 91);
  EXPECT_EQ(r["Ds_Observacao"].ToText(), "TRIBUTADO PELOS CUPONS FISCAIS");
  EXPECT_EQ(r["Hr_Emissao"].ToText(), "10:00:00");
  EXPECT_EQ(r["Vl_Total"].ToMoney(), soma);
  const db::Recordset itens = e.C().Query(
      "SELECT No_Item, Qt_Unidade, Vl_UnitVenda, Cd_CfopItem FROM ItemNotaSaida WHERE No_Nota = ? "
      "ORDER BY No_Item",
      {r["No_Nota"]});
  ASSERT_FALSE(itens.Rows().empty());
  double linhas = 0;
  for (size_t i = 0; i < itens.Rows().size(); ++i) {
    const auto& row = itens.Rows()[i];
    EXPECT_EQ(row[0].ToInt32(), static_cast<int32_t>(i + 1));
    EXPECT_EQ(row[3].ToText(), "5929");
    linhas += row[1].ToDouble() * row[2].ToDouble();
  }
  const db::Recordset esperado = e.C().Query(
      "SELECT SUM(ROUND(i.Qt_Unidade * i.Vl_UnitVenda, 2)) FROM ItemCupomFiscal i JOIN CupomFiscal "
      "c "
      "ON c.No_Impressora = i.No_Impressora AND c.No_CupomFiscal = i.No_CupomFiscal AND "
      "c.Dt_Emissao = i.Dt_Emissao WHERE c.Cd_ContaAReceber = ?",
      {Value(conta)});
  EXPECT_NEAR(linhas, esperado.Field(0).ToDouble(), 0.001);
}

TEST(BillingStation, AFailureInAnyWriteLeavesTheDatabaseAsBefore) {
  struct Falha {
    const char* tabela;
    const char* evento;
  };
  for (const Falha& f : {Falha{"ContaAReceber", "INSERT"}, Falha{"CupomFiscal", "UPDATE"},
                         Falha{"ContaAReceber", "UPDATE"}, Falha{"NotaSaida", "INSERT"},
                         Falha{"ItemNotaSaida", "INSERT"}}) {
    SCOPED_TRACE(std::string(f.tabela) + " " + f.evento);
    Estacao e(std::string(f.tabela) + f.evento);
    e.C().Execute("UPDATE EmpresaUsuaria SET Ic_EmitirNfNoFaturamento = ?", {Value(true)});
    const std::string antes = e.Tabelas();
    e.C().Execute(std::string("CREATE TRIGGER Falha BEFORE ") + f.evento + " ON " + f.tabela +
                  " BEGIN SELECT RAISE(ABORT, 'falha injetada'); END");
    EXPECT_NE(testing::FailureOf([&] { e.Faturar(); }).description.find("falha injetada"),
              std::string::npos);
    EXPECT_EQ(e.C().TransactionDepth(), 0);
    EXPECT_EQ(e.Tabelas(), antes);
  }
}

TEST(BillingStation, SelectiveRunBillsThePickedCouponsAtTheirSum) {
  Estacao e("seletivo");
  const db::Recordset rs = e.C().Query(
      "SELECT No_Impressora, No_CupomFiscal, Dt_Emissao, Cd_Cliente FROM CupomFiscal WHERE "
      "Cd_ContaAReceber IS NULL AND Tp_Venda IN (11, 12, 13) ORDER BY Cd_Cliente DESC, "
      "Dt_Emissao");
  std::vector<std::unique_ptr<station::CupomFiscal>> cupons;
  std::vector<host::BOCupomFiscal*> col;
  auto pegar = [&](size_t linha) {
    auto c = std::make_unique<station::CupomFiscal>(*e.sessao);
    c->Registro().Cd_PessoaUsuaria = 1;
    c->Registro().No_Impressora = rs.Rows()[linha][0].ToByte();
    c->Registro().No_CupomFiscal = rs.Rows()[linha][1].ToInt32();
    c->Registro().Dt_Emissao = rs.Rows()[linha][2].ToDate();
    col.push_back(c.get());
    cupons.push_back(std::move(c));
  };
  ASSERT_EQ(rs.Rows()[0][3].ToInt32(), kCliente);
  pegar(0);
  pegar(1);
  const int32_t conta = e.classe.FaturamentoSeletivo(kCliente, col, 1);
  const db::Recordset r = e.C().Query(
      "SELECT r.Vl_Debito, (SELECT SUM(Vl_TotalLiquido) FROM CupomFiscal c WHERE "
      "c.Cd_ContaAReceber = r.Cd_ContaAReceber), (SELECT COUNT(*) FROM CupomFiscal c WHERE "
      "c.Cd_ContaAReceber = r.Cd_ContaAReceber) FROM ContaAReceber r WHERE r.Cd_ContaAReceber = ?",
      {Value(conta)});
  EXPECT_EQ(r.Field(0).ToMoney(), r.Field(1).ToMoney());
  EXPECT_EQ(r.Field(2).ToInt32(), 2);
}

std::vector<std::string> Linhas(const std::string& arquivo) {
  return testing::CrlfLines(testing::ReadFile(arquivo));
}

// The fleet files of a receivable of customer 100.
TEST(BillingExportar, WritesTheThreeLayoutsOfAReceivable) {
  Estacao e("exportar");
  testing::TestEnv& env = e.env;
  const int32_t conta = e.classe.Faturar(station::EstacaoDemo::kClienteCredito, env.now.DatePart(),
                                         env.now.AddDays(30), 1, 1, Money::FromInt(100));
  ASSERT_GT(conta, 0);

  BPExportarCupomFiscal exportador;
  exportador.SetObBOSistema(e.sessao);
  EXPECT_THROW(exportador.Validar(), Erro);  // no receivable yet
  exportador.SetCd_ContaAReceber(conta);
  exportador.SetDs_Path(env.Folder());
  const std::string base = env.Folder() + "/CF Conta " + std::to_string(conta);

  // Text: one line per vehicle, 26 characters, the amounts adding up to the
  // receivable (the export checks it).
  ASSERT_TRUE(exportador.Exportar(nullptr, kArquivoCupomTexto));
  EXPECT_EQ(exportador.Nm_ArqDestino(), base + ".Txt");
  const std::vector<std::string> texto = Linhas(base + ".Txt");
  ASSERT_EQ(texto.size(), 3u);
  double soma = 0;
  for (const std::string& l : texto) {
    EXPECT_EQ(l.size(), 26u) << l;
    EXPECT_EQ(l[23], '.') << l;
    soma += std::stod(l.substr(14));
  }
  const Value debito = testing::Escalar(
      e.C(), "SELECT Vl_Debito FROM ContaAReceber WHERE Cd_ContaAReceber = ?", {Value(conta)});
  EXPECT_NEAR(soma, debito.ToDouble(), 0.001);

  ASSERT_TRUE(exportador.Exportar(nullptr, kArquivoCupomAnalitico));
  const std::vector<std::string> analitico = Linhas(base + " Analitico.Csv");
  EXPECT_EQ(analitico.at(0),
            "Produto;Data;Quantidade;Preco;Total;Matricula;Placa;ID;Km;Consumo;Nome");
  EXPECT_GE(analitico.size(), 21u);

  ASSERT_TRUE(exportador.Exportar(nullptr, kArquivoCupomSintetico));
  const std::vector<std::string> sintetico = Linhas(base + " Sintetico.Csv");
  ASSERT_EQ(sintetico.size(), 4u);
  EXPECT_EQ(sintetico[0], "Placa;Marca;Cor;Km Final;Km Inicial;Km Rodado;Quantidade;Media");
  EXPECT_EQ(sintetico[1].rfind("ABC1234;MERCEDES-BENZ;BRANCO;45.210,0;", 0), 0u) << sintetico[1];

  // An unknown kind writes nothing; an existing file is kept when the
  // question is answered No (the default).
  const size_t arquivos =
      static_cast<size_t>(std::distance(std::filesystem::directory_iterator(env.Folder()), {}));
  EXPECT_THROW(exportador.Exportar(nullptr, 7), Erro);
  EXPECT_EQ(
      static_cast<size_t>(std::distance(std::filesystem::directory_iterator(env.Folder()), {})),
      arquivos);
  const Erro erro = testing::FailureOf([&] { exportador.Exportar(nullptr, kArquivoCupomTexto); });
  EXPECT_EQ(erro.description, "Erro durante exportação");
  EXPECT_EQ(erro.number, kErroNegocio);
}

using testing::Saida;

// posto with its own copy of the demo station.
struct Posto {
  Saida operator()(const std::string& args) {
    return testing::Posto(env, args + " --db " + db);
  }
  testing::TestEnv env;
  std::string db = testing::CopyDemoStation("posto_faturar");
};

// The number after `label` on its line.
int Numero(const std::string& texto, const std::string& label) {
  const size_t at = texto.find(label);
  return at == std::string::npos ? 0 : std::stoi(texto.substr(at + label.size()));
}

std::vector<std::string> Campos(const std::string& linha) {
  std::vector<std::string> f;
  for (size_t a = 0, b; a <= linha.size(); a = b + 1) {
    b = linha.find(';', a);
    if (b == std::string::npos) b = linha.size();
    f.push_back(linha.substr(a, b - a));
  }
  return f;
}

const std::string kAgora = " --now 2026-12-05T10:00";

TEST(PostoFaturar, BillsTheDemoCustomersAndShowsTheirReceivables) {
  Posto posto;
  Saida s = posto("faturamento cupons --cliente 100 --csv" + kAgora);
  ASSERT_EQ(s.rc, 0) << s.texto;
  EXPECT_EQ(s.texto.rfind("Cd_Cliente;Nm_Pessoa;No_Impressora;No_CupomFiscal;", 0), 0u) << s.texto;
  // The seed leaves customer 100 at least 20 coupons on at least 5 days of one month.
  std::set<std::string> dias, meses;
  size_t linhas = 0;
  for (size_t a = s.texto.find('\n') + 1, b; a < s.texto.size(); a = b + 1, ++linhas) {
    b = s.texto.find('\n', a);
    const std::string data = Campos(s.texto.substr(a, b - a)).at(4);  // dd/mm/aaaa
    dias.insert(data.substr(0, 10));
    meses.insert(data.substr(3, 7));
  }
  EXPECT_GE(linhas, 20u) << s.texto;
  EXPECT_GE(dias.size(), 5u) << s.texto;
  EXPECT_EQ(meses.size(), 1u) << s.texto;

  s = posto("faturar --cliente 100 --ate 2026-12-05 --vencimento 2027-01-05 --valor 100" + kAgora);
  ASSERT_EQ(s.rc, 0) << s.texto;
  const int conta = Numero(s.texto, "Conta a receber ");
  ASSERT_GT(conta, 0) << s.texto;
  EXPECT_EQ(s.texto.find("Nota fiscal"), std::string::npos);  // customer 100 invoices at sale
  EXPECT_EQ(posto("faturamento cupons --cliente 100 --csv" + kAgora).texto.find('\n') + 1,
            posto("faturamento cupons --cliente 100 --csv" + kAgora).texto.size());

  // Nothing pending any more: the coupon check, with number and trail.
  s = posto("faturar --cliente 100 --ate 2026-12-05 --vencimento 2027-01-05 --valor 100" + kAgora);
  EXPECT_EQ(s.rc, 2);
  EXPECT_NE(s.texto.find("Erro 0x80040660"), std::string::npos) << s.texto;
  EXPECT_NE(
      s.texto.find("Fonte:  -> BPFaturamento.GerarContaAReceber,  -> BPFaturamento.Faturar, "),
      std::string::npos)
      << s.texto;

  // 114 has a discount of 5 %, 115 a surcharge of 2,5 %; 116 gets its invoice.
  s = posto("faturar --cliente 114 --ate 2026-12-05 --vencimento 2027-01-05 --valor 200" + kAgora);
  const int c114 = Numero(s.texto, "Conta a receber ");
  s = posto("faturar --cliente 115 --ate 2026-12-05 --vencimento 2027-01-05 --valor 200" + kAgora);
  const int c115 = Numero(s.texto, "Conta a receber ");
  s = posto("faturar --cliente 116 --ate 2026-12-05 --vencimento 2027-01-05 --valor 200" + kAgora);
  const int c116 = Numero(s.texto, "Conta a receber ");
  ASSERT_GT(Numero(s.texto, "Nota fiscal "), 0) << s.texto;
  s = posto("faturamento contas --de " + std::to_string(c114) + " --ate " + std::to_string(c115) +
            " --csv");
  EXPECT_NE(s.texto.find(";10,00;0,00;190,00"), std::string::npos) << s.texto;
  EXPECT_NE(s.texto.find(";0,00;5,00;205,00"), std::string::npos) << s.texto;
  s = posto("faturamento notas --de " + std::to_string(c116) + " --ate " + std::to_string(c116) +
            " --csv");
  EXPECT_NE(s.texto.find(std::to_string(c116) + ";"), std::string::npos) << s.texto;
  EXPECT_NE(s.texto.find(";5929;"), std::string::npos) << s.texto;
}

TEST(PostoFaturar, ASelectiveRunWithAnotherCustomersCouponBillsNothing) {
  Posto posto;
  const Saida cupons = posto("faturamento cupons --cliente 117 --csv" + kAgora);
  const size_t linha = cupons.texto.find('\n') + 1;
  // Cd_Cliente;Nm_Pessoa;No_Impressora;No_CupomFiscal;Dt_Emissao;...
  const std::vector<std::string> f =
      Campos(cupons.texto.substr(linha, cupons.texto.find('\n', linha) - linha));
  ASSERT_GE(f.size(), 5u) << cupons.texto;
  const std::string dia = f[4].substr(6, 4) + "-" + f[4].substr(3, 2) + "-" + f[4].substr(0, 2);
  const Saida s = posto("faturar --cliente 100 --cupons " + f[2] + ":" + f[3] + ":" + dia + kAgora);
  EXPECT_EQ(s.rc, 2);
  EXPECT_NE(s.texto.find("não pertence ao cliente do faturamento"), std::string::npos) << s.texto;
  EXPECT_EQ(posto("faturamento cupons --cliente 117 --csv" + kAgora).texto, cupons.texto);
}

}  // namespace
}  // namespace bp
