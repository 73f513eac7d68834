// posto faturar and posto faturamento on the demo station, as a new user
// would try them: the receivable and the invoice read back through the
// program's own queries.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/estacao_demo.h"
#include "support/posto.h"

namespace {

using bp::testing::Saida;

struct Posto {
  Saida operator()(const std::string& args) {
    return bp::testing::Posto(env, args + " --db " + db);
  }
  bp::testing::TestEnv env;
  std::string db = bp::testing::CopyDemoStation("posto_faturar");
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
