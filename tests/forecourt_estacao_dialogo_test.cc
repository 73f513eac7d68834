// Whole release dialogues at a terminal of the demo station, through the
// station's terminal keeper and the station's own business objects: each
// means of payment, the refusals, and what the database keeps afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "station/seed.h"
#include "station/sessao.h"
#include "station/terminais_mt.h"
#include "support/estacao_demo.h"
#include "support/test_env.h"

namespace {

using bp::Value;
using D = station::EstacaoDemo;

class DialogoEstacao : public ::testing::Test {
 protected:
  DialogoEstacao()
      : sessao_(std::make_shared<station::Sessao>(station::Configuracao(bp::testing::CopyDemoStation(
            ::testing::UnitTest::GetInstance()->current_test_info()->name())))),
        terminais_(sessao_) {
    env_.now = bp::testing::DemoStationNow();
  }

  // Starts terminal 1 and answers each prompt in turn.
  void Responder(const std::vector<std::string>& respostas) {
    terminais_.Consultar(1);
    terminais_.Consultar(1);
    for (const std::string& r : respostas) {
      for (char ch : r + "\r") terminais_.Tecla(1, ch);
    }
  }
  const station::TerminaisMT::Terminal& Tela() { return terminais_.Estado(1); }
  bp::db::Recordset Ultimo(const std::string& tabela, const std::string& chave) {
    return sessao_->Dal().Conexao().Query("SELECT * FROM " + tabela + " ORDER BY " + chave +
                                          " DESC LIMIT 1");
  }
  int32_t Contar(const std::string& tabela) {
    return sessao_->Dal().Conexao().Query("SELECT COUNT(*) FROM " + tabela).Field(0).ToInt32();
  }
  // At "PERMITIDO", Enter records the release and the terminal goes idle.
  void Liberar() {
    ASSERT_EQ(Tela().linha1, "PERMITIDO(Tecle enter para liberar bico)") << Tela().linha2;
    terminais_.Tecla(1, '\r');
    EXPECT_EQ(Tela().andamento, 0);
    EXPECT_EQ(Tela().linha1, "");
  }

  bp::testing::TestEnv env_;
  std::shared_ptr<station::Sessao> sessao_;
  station::TerminaisMT terminais_;
};

TEST_F(DialogoEstacao, CashSaleWithDiscountIsRecordedAndLogged) {
  // Employee, password, cash, nozzle 3, R$ 50,00, 2,50 of discount, settle.
  Responder({"1", "1234", "3", "3", "5000", "250", ""});
  EXPECT_EQ(Tela().linha2, "Liberado");
  Liberar();
  const bp::db::Recordset a = Ultimo("Abastecimento", "Cd_Abastecimento");
  EXPECT_EQ(a["De_EnderecoLogicoBico"].ToText(), "0201");
  EXPECT_EQ(a["Cd_Funcionario"].ToInt32(), 1);
  EXPECT_EQ(a["No_TipoPagamento"].ToInt32(), 3);
  EXPECT_EQ(a["No_TipoVencimento"].ToInt32(), 1);
  EXPECT_EQ(a["Vl_Total"].ToMoney(), bp::Money::FromInt(50));
  EXPECT_DOUBLE_EQ(a["Tx_DescontoAbastecimento"].ToDouble(), 2.5);
  EXPECT_TRUE(a["Ic_BaixaAutomatica"].ToBool());
  const bp::db::Recordset l = Ultimo("LogLiberacaoBico", "No_Liberacao");
  EXPECT_EQ(l["No_Liberacao"].ToInt32(), 1);
  EXPECT_EQ(l["Cd_Bomba"].ToInt32(), 3);
  EXPECT_EQ(l["Cd_Caixa"].ToInt32(), a["Cd_Caixa"].ToInt32());
  EXPECT_EQ(l["Dt_Liberacao"].ToDate(), env_.now);
  EXPECT_EQ(l["No_TipoHardware"].ToInt32(), 2);
}

TEST_F(DialogoEstacao, CreditCardAndChequeSales) {
  // Credit: plate, odometer, nozzle 1, no amount, no automatic settlement.
  Responder({"1", "1234", "1", "ABC1234", "46000", "1", "", "N"});
  EXPECT_EQ(Tela().linha2, "Venda a prazo liberada");
  Liberar();
  bp::db::Recordset a = Ultimo("Abastecimento", "Cd_Abastecimento");
  EXPECT_EQ(a["Cd_Veiculo"].ToText(), "ABC1234");
  EXPECT_EQ(a["No_Hodometro"].ToInt32(), 46000);
  EXPECT_FALSE(a["Ic_BaixaAutomatica"].ToBool());

  // Card, by employee 2 before seven in the morning (yesterday's cash
  // register still serves): no discount prompt, no settlement prompt.
  env_.now = bp::DateTime::Of(2026, 12, 5, 6, 30, 0);
  Responder({"2", "4321", "4", "2", "10000"});
  EXPECT_EQ(Tela().linha2, "Liberado");
  Liberar();
  a = Ultimo("Abastecimento", "Cd_Abastecimento");
  EXPECT_EQ(a["Cd_Funcionario"].ToInt32(), 2);
  EXPECT_EQ(a["No_TipoVencimento"].ToInt32(), 2);

  // Cheque with a deposit date: consulted, stored, and recorded with its key.
  env_.now = bp::testing::DemoStationNow();
  Responder({"1", "1234", "2", D::kCmc7Bom, "12345678909", "20122026", "2", "8000"});
  EXPECT_EQ(Tela().linha2, "Cheque aprovado");
  Liberar();
  a = Ultimo("Abastecimento", "Cd_Abastecimento");
  EXPECT_EQ(a["Cd_Cmc7"].ToText(), D::kCmc7Bom);
  EXPECT_EQ(a["Nm_IdDocumento"].ToText(), "000123");
  EXPECT_EQ(a["No_TipoVencimento"].ToInt32(), 2);
  const bp::db::Recordset k = Ultimo("ConsultaCheque", "Dt_Consulta");
  EXPECT_EQ(k["Cd_CpfCnpj"].ToText(), "123.456.789-09");
  EXPECT_EQ(k["Dt_Deposito"].ToDate(), bp::DateTime::Of(2026, 12, 20));
  EXPECT_EQ(k["Vl_Cheque"].ToMoney(), bp::Money::FromInt(80));
  EXPECT_EQ(Contar("LogLiberacaoBico"), 3);
}

TEST_F(DialogoEstacao, RefusalsLeaveNoRecord) {
  const int32_t antes = Contar("Abastecimento");
  Responder({"1", "1234", "3", "8", "", "", ""});
  EXPECT_EQ(Tela().linha1, "NAO PERMITIDO");
  EXPECT_EQ(Tela().linha2, "Bico bloqueado");
  terminais_.Tecla(1, '\r');
  Responder({"1", "1234", "1", "XYZ9876", "", "2", "", ""});
  EXPECT_EQ(Tela().linha2, "Cliente com restricao de venda");
  terminais_.Tecla(1, '\r');
  Responder({"1", "1234", "2", D::kCmc7Recusado, "98765432100", ""});
  Responder({"2"});  // the nozzle; the dialogue goes on with the amount
  EXPECT_EQ(Tela().linha1, "Valor abastecimento (vazio = sem valor)");
  terminais_.Tecla(1, '\r');
  EXPECT_EQ(Tela().linha2, "Emitente com cheque recusado");
  terminais_.Tecla(1, '\r');
  // Employee 2's cash register is from yesterday: too old after seven.
  Responder({"2", "4321"});
  EXPECT_EQ(Tela().linha2, "Nao e permitido abrir um caixa antigo.");
  EXPECT_EQ(Contar("Abastecimento"), antes);
  EXPECT_EQ(Contar("LogLiberacaoBico"), 0);
}

}  // namespace
