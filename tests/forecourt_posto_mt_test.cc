// `posto mt` in script mode: its line protocol, and whole release dialogues
// on the demo station read back from the database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bp/db/connection.h"
#include "station/seed/seed.h"
#include "support/estacao_demo.h"
#include "support/posto.h"

namespace bp::testing {
namespace {

using D = station::EstacaoDemo;

// A dialogue at terminal `mt`: start it, then each answer key by key and
// Enter; the last Enter confirms the release.
std::string Dialogo(int mt, const std::vector<std::string>& respostas) {
  const std::string t = std::to_string(mt) + " ";
  std::string s = t + "POLL\n" + t + "POLL\n";
  for (const std::string& r : respostas) {
    for (char ch : r) s += t + ch + "\n";
    s += t + "ENTER\n";
  }
  return s;
}

struct Tela {
  std::string texto;
  // True when an event of terminal `mt` showed the two lines.
  bool Mostrou(int mt, const std::string& linha1, const std::string& linha2) const {
    const std::string terminal = "\"mt\":" + std::to_string(mt) + ",";
    const std::string tela = "\"line1\":\"" + linha1 + "\",\"line2\":\"" + linha2 + "\"";
    for (size_t a = 0, b = 0; a < texto.size(); a = b + 1) {
      b = texto.find('\n', a);
      if (b == std::string::npos) b = texto.size();
      const std::string linha = texto.substr(a, b - a);
      if (linha.find(terminal) != std::string::npos && linha.find(tela) != std::string::npos) {
        return true;
      }
    }
    return false;
  }
};

TEST(PostoMtEstacao, ReleasesForEveryMeansOfPaymentAreRecorded) {
  bp::testing::TestEnv env;
  const std::string banco = bp::testing::CopyDemoStation("posto_mt");
  std::string script = "# the demo station at ten in the morning\nNOW 2026-12-05T10:00:00\n";
  // 1: cash, nozzle 3, R$ 50,00 with 2,50 of discount, settled at once.
  script += Dialogo(1, {"1", "1234", "3", "3", "5000", "250", "", ""});
  // 2: credit, plate, odometer, nozzle 1, no amount, not settled.
  script += Dialogo(2, {"1", "1234", "1", "ABC1234", "46000", "1", "", "N", ""});
  // 3: cheque deposited on the 20th, nozzle 2, R$ 80,00.
  script += Dialogo(3, {"1", "1234", "2", D::kCmc7Bom, "12345678909", "20122026", "2", "8000", ""});
  // 5: refusals: the blocked nozzle, the restricted customer, the cheque of
  // an account with a returned cheque, and employee 2's old cash register.
  script += Dialogo(5, {"1", "1234", "3", "8", "", "", "", ""});
  script += Dialogo(5, {"1", "1234", "1", "XYZ9876", "", "2", "", "", ""});
  script += Dialogo(5, {"1", "1234", "2", D::kCmc7Recusado, "98765432100", "", "2", "", ""});
  script += Dialogo(5, {"2", "4321", ""});
  // 4: card by employee 2 before seven, while yesterday's cash register
  // still serves: no discount, no settlement prompt.
  script += "NOW 2026-12-05T06:30:00\n" + Dialogo(4, {"2", "4321", "4", "4", "10000", ""});

  bp::testing::WriteFile(env.Path("script.txt"), script);
  const bp::testing::Saida s =
      bp::testing::Posto(env, "mt --db " + banco + " <" + env.Path("script.txt"));
  ASSERT_EQ(s.rc, 0);
  const Tela out{s.texto};
  EXPECT_EQ(out.texto.find("\"error\""), std::string::npos) << out.texto;
  EXPECT_TRUE(out.Mostrou(1, "PERMITIDO(Tecle enter para liberar bico)", "Liberado"));
  EXPECT_TRUE(out.Mostrou(2, "PERMITIDO(Tecle enter para liberar bico)", "Venda a prazo liberada"));
  EXPECT_TRUE(out.Mostrou(3, "PERMITIDO(Tecle enter para liberar bico)", "Cheque aprovado"));
  EXPECT_TRUE(out.Mostrou(5, "NAO PERMITIDO", "Bico bloqueado"));
  EXPECT_TRUE(out.Mostrou(5, "NAO PERMITIDO", "Cliente com restricao de venda"));
  EXPECT_TRUE(out.Mostrou(5, "NAO PERMITIDO", "Emitente com cheque recusado"));
  EXPECT_TRUE(out.Mostrou(5, "Erro (Tecle enter)", "Nao e permitido abrir um caixa antigo."));

  auto c = bp::db::Connection::Open(banco);
  EXPECT_EQ(Texto(*c,
                  "SELECT No_Liberacao, Cd_Bomba, Cd_Funcionario, No_TipoPagamento, "
                  "No_TipoVencimento, Ic_BaixaAutomatica, COALESCE(Cd_Veiculo, '-'), "
                  "No_TipoHardware FROM LogLiberacaoBico ORDER BY No_Liberacao"),
            "1|3|1|3|1|Verdadeiro|-|2|\n"
            "2|1|1|1|2|Falso|ABC1234|2|\n"
            "3|2|1|2|2|Falso|-|2|\n"
            "4|4|2|4|2|Falso|-|2|\n");
  // Each release's nozzle address, employee, register's opening, amount,
  // discount, odometer and cheque.
  EXPECT_EQ(Texto(*c,
                  "SELECT a.De_EnderecoLogicoBico, a.Cd_Funcionario, k.Dt_Abertura, a.Vl_Total, "
                  "a.Tx_DescontoAbastecimento, a.No_Hodometro, a.Cd_Cmc7, a.Nm_IdDocumento FROM "
                  "Abastecimento a JOIN Caixa k ON k.Cd_Caixa = a.Cd_Caixa WHERE "
                  "a.Tp_OrigemRegistro = 3 ORDER BY a.Cd_Abastecimento"),
            "0201|1|05/12/2026 06:00:00|50|2,5||||\n"
            "0101|1|05/12/2026 06:00:00|0|0|46000|||\n"
            "0102|1|05/12/2026 06:00:00|80|0||" + std::string(D::kCmc7Bom) + "|000123|\n"
            "0202|2|04/12/2026 14:00:00|100|0||||\n");
  EXPECT_EQ(Texto(*c,
                  "SELECT Cd_CpfCnpj, Dt_Deposito, Vl_Cheque, Ic_Aprovado FROM ConsultaCheque "
                  "WHERE Cd_Banco = 237 AND Nm_IdDocumento = '000123'"),
            "123.456.789-09|20/12/2026|80|Verdadeiro|\n");
}

TEST(MtScript, LineProtocolAnswersInJsonAndReportsBadLines) {
  TestEnv env;
  // No line of the script gets as far as reading the database.
  const std::string banco = CopyDemoStation("mt_script");
  WriteFile(env.Path("script.txt"),
            "# the controller's own screens\n"
            "\n"
            "3 ACTION -1\n"
            "3 POLL\n"
            "11 ACTION 1\n"
            "11 POLL\n"
            "3 ACTION 0\n"
            "3 POLL\n"
            "3 POLL\n"
            "3  \n"
            "3 \"\n"
            "3 BS\n"
            "3 BS\n"
            "NOW 2026-02-30T10:00:00\n"
            "3 ENTRE\n");
  const Saida s = Posto(env, "mt --db " + banco + " <" + env.Path("script.txt"));
  EXPECT_EQ(s.rc, 1);
  const std::string ev = "{\"event\":\"AtualizarCih\",\"mt\":";
  EXPECT_EQ(s.texto,
            ev + "3,\"action\":-1,\"step\":0,\"buffer\":\"\",\"line1\":\"Sistema inoperante\",\"line2\":\"\"}\n"
            "{\"call\":\"Execute\",\"mt\":3,\"result\":false}\n"
            "{\"call\":\"Execute\",\"mt\":11,\"error\":{\"number\":91,\"description\":\"Object variable or "
            "With block variable not set (BPMTLiberarBico)\",\"source\":\"BP -> BPMTControlador.Execute, \"}}\n" +
            ev + "3,\"action\":1,\"step\":1,\"buffer\":\"\",\"line1\":\"\",\"line2\":\"\"}\n"
            "{\"call\":\"Execute\",\"mt\":3,\"result\":true}\n" +
            ev + "3,\"action\":1,\"step\":2,\"buffer\":\"\",\"line1\":\"Codigo do funcionario\",\"line2\":\"\"}\n"
            "{\"call\":\"Execute\",\"mt\":3,\"result\":true}\n" +
            ev + "3,\"action\":1,\"step\":2,\"buffer\":\" \",\"line1\":\"Codigo do funcionario\",\"line2\":\" \"}\n"
            "{\"call\":\"Execute\",\"mt\":3,\"result\":true}\n" +
            ev + "3,\"action\":1,\"step\":2,\"buffer\":\" \\\"\",\"line1\":\"Codigo do funcionario\",\"line2\":\" \\\"\"}\n"
            "{\"call\":\"Execute\",\"mt\":3,\"result\":true}\n" +
            ev + "3,\"action\":1,\"step\":2,\"buffer\":\" \",\"line1\":\"Codigo do funcionario\",\"line2\":\" \"}\n"
            "{\"call\":\"Execute\",\"mt\":3,\"result\":true}\n" +
            ev + "3,\"action\":1,\"step\":2,\"buffer\":\"\",\"line1\":\"Codigo do funcionario\",\"line2\":\"\"}\n"
            "{\"call\":\"Execute\",\"mt\":3,\"result\":true}\n"
            "{\"error\":\"linha 14: data e hora inválida, use AAAA-MM-DD[THH:MM[:SS]] ou DD/MM/AAAA[ HH:MM]\"}\n"
            "{\"error\":\"linha 15: tecla inválida: ENTRE\"}\n");
}

}  // namespace
}  // namespace bp::testing
