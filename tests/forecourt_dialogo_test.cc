// The micro-terminal controller and the nozzle-release dialogue, over fakes
// of the host: screens, answers, masks and the host calls in order.
#include <gtest/gtest.h>

#include "bp/bp_mt_controlador.h"
#include "bp/erro.h"
#include "bp/registry.h"
#include "support/db_checks.h"
#include "support/forecourt_terminais.h"

namespace bp::testing {
namespace {

using Strings = std::vector<std::string>;
using host::AcaoEnum;

struct MtControlador : ::testing::Test {
  TestEnv env;
  std::shared_ptr<FakeSessaoForecourt> sessao = std::make_shared<FakeSessaoForecourt>();
  std::unique_ptr<BPMTControlador> c = CreateObject<BPMTControlador>("BP.BPMTControlador");
  std::vector<TelaMT> telas;

  MtControlador() {
    c->setBOSistema(sessao);
    c->AtualizarCih.Connect([this](int16_t mt, AcaoEnum a, int16_t s, const std::string& b,
                                   const std::string& l1, const std::string& l2) {
      telas.push_back({mt, static_cast<int32_t>(a), s, b, l1, l2});
    });
  }

  bool Execute(int16_t mt, AcaoEnum& acao, int16_t andamento, std::string buffer) {
    std::string l1 = "linha 1", l2 = "linha 2";
    return c->Execute(mt, acao, andamento, buffer, l1, l2);
  }
};

TEST_F(MtControlador, OwnScreensForIdleOutOfServiceAndUnknownActions) {
  AcaoEnum acao = AcaoEnum::AcaoMenuPrincipal;
  EXPECT_TRUE(Execute(3, acao, 0, ""));
  EXPECT_EQ(acao, AcaoEnum::AcaoLiberarBico);
  ASSERT_EQ(telas.size(), 1u);
  EXPECT_EQ(telas[0].mt, 3);
  EXPECT_EQ(telas[0].Texto(), "1/1 []  | ");

  acao = AcaoEnum::AcaoInoperante;
  EXPECT_FALSE(Execute(4, acao, 7, "12"));
  EXPECT_EQ(acao, AcaoEnum::AcaoInoperante);
  ASSERT_EQ(telas.size(), 2u);
  EXPECT_EQ(telas[1].Texto(), "-1/7 [12] Sistema inoperante | ");

  acao = static_cast<AcaoEnum>(2);
  EXPECT_FALSE(Execute(5, acao, 3, "x"));
  ASSERT_EQ(telas.size(), 3u);
  EXPECT_EQ(telas[2].Texto(), "2/3 [x] Opcao nao configurada | Solicite suporte tecnico");
  // Nothing of the dialogue was created for these.
  EXPECT_TRUE(sessao->log.empty());
}

TEST_F(MtControlador, OneDialogueObjectPerTerminalCreatedOnFirstRelease) {
  AcaoEnum acao = AcaoEnum::AcaoLiberarBico;
  EXPECT_EQ(c->Dialogo(3), nullptr);
  EXPECT_TRUE(Execute(3, acao, 1, ""));
  const BPMTLiberarBico* terceiro = c->Dialogo(3);
  ASSERT_NE(terceiro, nullptr);
  EXPECT_EQ(terceiro->ObBOSistema(), sessao);
  EXPECT_EQ(telas.back().linha1, "Codigo do funcionario");
  EXPECT_EQ(telas.back().mt, 3);

  EXPECT_TRUE(Execute(3, acao, 2, "1"));
  EXPECT_EQ(c->Dialogo(3), terceiro);
  EXPECT_EQ(telas.back().linha2, "1");

  // Terminal 4 has its own object and its own step.
  EXPECT_TRUE(Execute(4, acao, 1, ""));
  ASSERT_NE(c->Dialogo(4), nullptr);
  EXPECT_NE(c->Dialogo(4), terceiro);
  EXPECT_EQ(terceiro->Estado(3).No_Andamento, 2);
  EXPECT_EQ(c->Dialogo(4)->Estado(4).No_Andamento, 2);

  // A new session reaches new dialogue objects only.
  auto outra = std::make_shared<FakeSessaoForecourt>();
  c->setBOSistema(outra);
  EXPECT_TRUE(Execute(5, acao, 1, ""));
  EXPECT_EQ(c->Dialogo(5)->ObBOSistema(), outra);
  EXPECT_EQ(c->Dialogo(3)->ObBOSistema(), sessao);
}

TEST_F(MtControlador, EveryConnectedHandlerSeesEachScreen) {
  std::vector<int16_t> segundo;
  const size_t id = c->AtualizarCih.Connect(
      [&](int16_t mt, AcaoEnum, int16_t, const std::string&, const std::string&,
          const std::string&) { segundo.push_back(mt); });
  AcaoEnum acao = AcaoEnum::AcaoLiberarBico;
  Execute(3, acao, 1, "");
  Execute(3, acao, 2, "12\r");  // two screens in one call
  EXPECT_EQ(telas.size(), 3u);
  EXPECT_EQ(segundo, (std::vector<int16_t>{3, 3, 3}));
  c->AtualizarCih.Disconnect(id);
  Execute(3, acao, 4, "1");
  EXPECT_EQ(telas.size(), 4u);
  EXPECT_EQ(segundo.size(), 3u);
}

TEST_F(MtControlador, ReleaseOnATerminalOutsideOneToTenRaisesWithoutEvent) {
  for (int16_t mt : {int16_t{0}, int16_t{11}}) {
    AcaoEnum acao = AcaoEnum::AcaoLiberarBico;
    const Erro e = testing::FailureOf([&] { Execute(mt, acao, 1, ""); });
    EXPECT_EQ(e.number, rt::kObjectNotSet);
    EXPECT_TRUE(e.source.ends_with(" -> BPMTControlador.Execute, ")) << e.source;
  }
  EXPECT_TRUE(telas.empty());
}

TEST_F(MtControlador, EscapeFollowedByTextIsText) {
  AcaoEnum acao = AcaoEnum::AcaoLiberarBico;
  Execute(3, acao, 1, "");
  // Escape followed by a digit is plain text, echoed.
  Execute(3, acao, 2, std::string("\x1b") + "5");
  EXPECT_EQ(telas.back().linha2, "\x1b" "5");
  EXPECT_EQ(telas.back().andamento, 2);
}


struct MtDialogo : ::testing::Test, TerminaisDeTeste {
  const std::vector<std::string> kGravacao = {"Abastecimento.GravarResponsabilidade",
                                              "LogLiberacaoBico.Incluir"};
  // Confirms at "PERMITIDO" and expects the recording and the reset.
  void Confirmar(int16_t mt) {
    ASSERT_EQ(Ultima().linha1, "PERMITIDO(Tecle enter para liberar bico)");
    ASSERT_EQ(Ultima().andamento, 27);
    const size_t antes = telas.size();
    Digitar(mt, "\r");
    ASSERT_EQ(telas.size(), antes + 2);
    EXPECT_EQ(telas[antes].linha1, "Gravando...");
    EXPECT_EQ(Ultima().Texto(), "0/0 []  | ");
  }
};

TEST_F(MtDialogo, StartLoginAndPasswordEcho) {
  Iniciar(3);
  ASSERT_EQ(telas.size(), 2u);
  EXPECT_EQ(Ultima().Texto(), "1/2 [] Codigo do funcionario | ");

  Responder(3, "12");
  ASSERT_EQ(telas.size(), 6u);  // two echoes, then two screens in one call
  EXPECT_EQ(telas[4].Texto(), "1/2 [12] Processando... | ");
  EXPECT_EQ(telas[5].Texto(), "1/4 [] Senha | ");

  Digitar(3, "abc");
  EXPECT_EQ(Ultima().Texto(), "1/4 [abc] Senha | ***");
  EXPECT_EQ(env.do_events, 5);  // once after every echo
  Digitar(3, "\b");
  EXPECT_EQ(Ultima().Texto(), "1/4 [ab] Senha | **");
  Digitar(3, "\x1b");  // Esc hands the answer in, as Enter does
  EXPECT_EQ(Ultima().linha1, "Pgto(1-Credito,2-CH,3-Dinheiro,4-Cartao)");
  EXPECT_EQ(sessao->Calls({"Funcionario.Limpar", "Funcionario.Verificar", "Caixa.Limpar",
                           "Caixa.Carregar", "Cheque.Limpar", "Abastecimento.Limpar", "BeginWork",
                           "EndWork"}),
            (Strings{"Funcionario.Limpar", "Caixa.Limpar", "Abastecimento.Limpar",
                     "Cheque.Limpar", "BeginWork BPMTLiberarBico.ProcessarAndamento",
                     "Funcionario.VerificarLogin 1 12 ab",
                     "EndWork BPMTLiberarBico.ProcessarAndamento",
                     "BeginWork BPMTLiberarBico.ProcessarAndamento", "Caixa.Carregar 1 12",
                     "EndWork BPMTLiberarBico.ProcessarAndamento"}));
}

TEST_F(MtDialogo, WrongPasswordShowsTheErrorAndEnterResets) {
  sessao->roteiro.login_valido = false;
  AtePagamento(3);
  EXPECT_EQ(Ultima().Texto(), "1/28 [] Erro (Tecle enter) | Usuario ou senha invalido");
  Digitar(3, "\r");
  EXPECT_EQ(Ultima().Texto(), "0/0 []  | ");
}

TEST_F(MtDialogo, EachMeansOfPaymentAsksItsQuestionsAndRecordsTheRelease) {
  struct Venda {
    const char* nome;
    Strings respostas;      // after the payment prompt
    Strings perguntas;      // the prompts they answered
    const char* resultado;  // the check's verdict under "PERMITIDO"
    Strings filtro;         // the host calls looked at
    Strings chamadas;
  };
  const std::string valor = "Valor abastecimento (vazio = sem valor)";
  const std::vector<Venda> vendas = {
      {"credit, where only a capital N means no",
       {"1", "ABC1234", "15000", "2", "5000", "n"},
       {"Placa", "Hodometro", "Bico", valor, "Baixa automatica (S/N) (vazio = S)"},
       "Liberado",
       {"Abastecimento.Credito", "Abastecimento.Gravar", "LogLiberacaoBico.I"},
       {"Abastecimento.Credito 1 2 12 1234 77 'ABC1234' 50 15000",
        "Abastecimento.GravarResponsabilidade 2 77 'ABC1234' '' 1 2 true 50 0 15000",
        "LogLiberacaoBico.Incluir 1 2 77 'ABC1234' 2026-12-05 10:00 true 12 1 2 2"}},
      {"cheque without a code line: no consultation",
       {"2", "", "1", ""},
       {"CMC7 (I-INCIA LEITURA)", "Bico", valor},
       "Liberado",
       {"Cheque.Consultar"},
       {}},
      {"cheque with an empty date: today, due at sight",
       {"2", "99", "12345678901", "", "1", ""},
       {"CMC7 (I-INCIA LEITURA)", "CPF/CNPJ", "Data deposito Cheque (vazio = hoje)", "Bico", valor},
       "Cheque aprovado",
       {"Cheque.Consultar", "Abastecimento.Gravar"},
       {"Cheque.Consultar 1 sessao 99 '123.456.789-01' 1 1 2026-12-05 1",
        "Abastecimento.GravarResponsabilidade 1 77 '' '99' 2 1 false 0 0 0"}},
  };
  for (const Venda& v : vendas) {
    SCOPED_TRACE(v.nome);
    sessao->log.clear();
    AtePagamento(3);
    const size_t desde = telas.size();
    ResponderEmOrdem(3, v.respostas);
    EXPECT_EQ(Prompts(desde), v.perguntas);
    EXPECT_EQ(Ultima().linha2, v.resultado);
    Confirmar(3);
    EXPECT_EQ(sessao->Calls(v.filtro), v.chamadas);
  }

  // An unknown kind asks the nozzle and the amount, then refuses.
  AtePagamento(3);
  const size_t desde = telas.size();
  ResponderEmOrdem(3, {"9", "7", ""});
  EXPECT_EQ(Prompts(desde), (Strings{"Bico", valor}));
  EXPECT_EQ(Ultima().Texto(), "1/28 [] NAO PERMITIDO | ");
}

TEST_F(MtDialogo, ChequeSaleWithCodeLineDocumentAndDate) {
  AtePagamento(3);
  const size_t desde = telas.size();
  Responder(3, "2");
  Digitar(3, "12345678");
  EXPECT_EQ(Ultima().linha2, "12345678-          -            .");
  Responder(3, "");
  Digitar(3, "12345678901");
  EXPECT_EQ(Ultima().linha2, "123.456.789-01.");
  Digitar(3, "234");
  EXPECT_EQ(Ultima().linha2, "12.345.678/9012-34.");
  Responder(3, "");
  Digitar(3, "05122026");
  EXPECT_EQ(Ultima().linha2, "05/12/2026.");
  ResponderEmOrdem(3, {"", "4"});
  Digitar(3, "1234");
  EXPECT_EQ(Ultima().linha2, "   , 12.34.");
  Responder(3, "");
  EXPECT_EQ(Prompts(desde), (Strings{"CMC7 (I-INCIA LEITURA)", "CPF/CNPJ",
                                     "Data deposito Cheque (vazio = hoje)", "Bico",
                                     "Valor abastecimento (vazio = sem valor)"}));
  Confirmar(3);
  EXPECT_EQ(sessao->Calls({"Cheque.Consultar", "Abastecimento.Gravar"}),
            (Strings{"Cheque.Consultar 1 sessao 12345678 '12.345.678/9012-34' 2 12.34 "
                     "2026-12-05 1",
                     "Abastecimento.GravarResponsabilidade 4 77 '' '12345678' 2 2 false 12.34 0 "
                     "0"}));
}

TEST_F(MtDialogo, CashSaleDiscountOnlyForPermittedAttendants) {
  AtePagamento(3);
  size_t desde = telas.size();
  ResponderEmOrdem(3, {"3", "1", "10000"});
  Digitar(3, "250");
  EXPECT_EQ(Ultima().linha2, " 2.50.");
  ResponderEmOrdem(3, {"", ""});
  EXPECT_EQ(Prompts(desde), (Strings{"Bico", "Valor abastecimento (vazio = sem valor)",
                                     "Desconto (vazio = sem desconto)",
                                     "Baixa automatica (S/N) (vazio = S)"}));
  Confirmar(3);

  sessao->roteiro.fl_permitir_desconto = 0;
  AtePagamento(3);
  desde = telas.size();
  ResponderEmOrdem(3, {"3", "1", "", "N"});
  EXPECT_EQ(Prompts(desde), (Strings{"Bico", "Valor abastecimento (vazio = sem valor)",
                                     "Baixa automatica (S/N) (vazio = S)"}));
  Confirmar(3);
  EXPECT_EQ(sessao->Calls({"Abastecimento.DinheiroOu", "Abastecimento.Gravar"}),
            (Strings{"Abastecimento.DinheiroOuCartao 1 12 1234 77 '' 100 0",
                     "Abastecimento.GravarResponsabilidade 1 77 '' '' 3 1 true 100 2.5 0",
                     "Abastecimento.DinheiroOuCartao 1 12 1234 77 '' 0 0",
                     "Abastecimento.GravarResponsabilidade 1 77 '' '' 3 1 false 0 0 0"}));
}

TEST_F(MtDialogo, EmptyPaymentAnswerChangesNothing) {
  AtePagamento(3);
  const size_t antes = telas.size();
  Digitar(3, "\r");
  EXPECT_EQ(telas.size(), antes);
  EXPECT_EQ(terminais.Estado(3).andamento, 7);
  EXPECT_EQ(terminais.Controlador().Dialogo(3)->Estado(3).Tx_Linha1,
            "Pgto(1-Credito,2-CH,3-Dinheiro,4-Cartao)");
  // A host that keeps the Enter hands it in again with the next answer,
  // which then reads as no number: only the nozzle is asked.
  size_t desde = telas.size();
  ResponderEmOrdem(3, {"3", "1"});
  EXPECT_EQ(Prompts(desde), Strings{"Bico"});
  EXPECT_EQ(Ultima().linha1, "NAO PERMITIDO");
  Digitar(3, "\r");

  // A host that keeps only what the events give reads the next answer.
  terminais.tecla_fica_no_buffer = false;
  AtePagamento(3);
  Digitar(3, "\r");
  desde = telas.size();
  Responder(3, "3");
  EXPECT_EQ(Prompts(desde), Strings{"Bico"});
  Responder(3, "1");
  EXPECT_EQ(Ultima().linha1, "Valor abastecimento (vazio = sem valor)");
}

TEST_F(MtDialogo, BackspaceErasesOneCharacterOrLeavesTheDialogue) {
  AtePagamento(3);
  ResponderEmOrdem(3, {"4", "1"});
  Digitar(3, "123\b");
  EXPECT_EQ(Ultima().Texto(), "1/21 [12] Valor abastecimento (vazio = sem valor) |    ,   .12.");
  Digitar(3, "\b\b");
  const size_t antes = telas.size();
  Digitar(3, "\b");
  ASSERT_EQ(telas.size(), antes + 2);
  EXPECT_EQ(telas[antes].Texto(), "0/0 []  | ");
  EXPECT_EQ(Ultima().Texto(), "0/0 []  |    ,   .  .");
}

TEST_F(MtDialogo, OldCashRegisterRuleAtSevenInTheMorning) {
  struct Caso {
    DateTime caixa;
    DateTime agora;
    bool antigo;
  };
  const Caso casos[] = {
      {DateTime::Of(2026, 12, 4, 18), DateTime::Of(2026, 12, 5, 6, 59), false},
      {DateTime::Of(2026, 12, 4, 18), DateTime::Of(2026, 12, 5, 7, 0), false},
      {DateTime::Of(2026, 12, 4, 18), DateTime::Of(2026, 12, 5, 7, 0, 1), true},
      {DateTime::Of(2026, 12, 4, 18), DateTime::Of(2026, 12, 5, 7, 1), true},
      {DateTime::Of(2026, 12, 3, 18), DateTime::Of(2026, 12, 5, 6, 0), true},
      {DateTime::Of(2026, 12, 5, 6, 0), DateTime::Of(2026, 12, 5, 23, 0), false},
  };
  for (const Caso& c : casos) {
    sessao->roteiro.dt_abertura = c.caixa;
    env.now = c.agora;
    AtePagamento(3);
    if (c.antigo) {
      EXPECT_EQ(Ultima().Texto(),
                "1/28 [] Erro (Tecle enter) | Nao e permitido abrir um caixa antigo.");
      Digitar(3, "\r");
    } else {
      EXPECT_EQ(Ultima().andamento, 7);
      Digitar(3, "\b");
    }
  }
}

TEST_F(MtDialogo, NozzleOutOfRangeAndBadAnswersFailTheStep) {
  AtePagamento(3);
  Responder(3, "4");
  const Erro e = testing::FailureOf([&] { Responder(3, "300"); });
  EXPECT_EQ(e.number, rt::kOverflow);
  EXPECT_TRUE(
      e.source.ends_with(" -> BPMTLiberarBico.ProcessarAndamento, "
                         " -> BPMTLiberarBico.Execute, "
                         " -> BPMTControlador.Execute, "))
      << e.source;
  EXPECT_EQ(Ultima().Texto(), "1/28 [] Erro (Tecle enter) | Overflow");
  Digitar(3, "\r");

  // An amount that is not wholly a number, and a date that does not exist.
  AtePagamento(3);
  ResponderEmOrdem(3, {"4", "1"});
  EXPECT_THROW(Responder(3, "12a"), Erro);
  EXPECT_EQ(Ultima().linha2, "Type mismatch");
  Digitar(3, "\r");
  AtePagamento(3);
  ResponderEmOrdem(3, {"2", "1", "123"});
  EXPECT_THROW(Responder(3, "31022026"), Erro);
  EXPECT_EQ(Ultima().linha1, "Erro (Tecle enter)");
}

TEST_F(MtDialogo, LostConnectionIsRecoveredThreeTimesInOneCall) {
  AtePagamento(3);
  sessao->log.clear();
  // The recording: first the check at step 26, then the recovered failures.
  sessao->roteiro.falhas["Abastecimento.DinheiroOuCartao"] = {3709, 3709, 3709};
  ResponderEmOrdem(3, {"4", "1", ""});
  EXPECT_EQ(Ultima().andamento, 27);
  const Strings trabalho = sessao->Calls({"BeginWork BPMT", "EndWork BPMT", "Abastecimento.Din"});
  EXPECT_EQ(trabalho.size(), 8u);
  EXPECT_EQ(trabalho.back(), "EndWork BPMTLiberarBico.ProcessarAndamento");
  EXPECT_EQ(trabalho[1], "BeginWork BPMTLiberarBico.ProcessarAndamento");
  terminais.DefinirAcao(3, host::AcaoEnum::AcaoMenuPrincipal);

  sessao->roteiro.falhas["Funcionario.VerificarLogin"] = {3709, 3709, 3709, 3709};
  sessao->log.clear();
  EXPECT_THROW(AtePagamento(3), Erro);
  EXPECT_EQ(Ultima().linha1, "Erro (Tecle enter)");
  EXPECT_EQ(sessao->Calls({"Funcionario.VerificarLogin"}).size(), 4u);
  // The step's own unit of work and three recoveries began work; a failed
  // call ends only the step's own.
  EXPECT_EQ(sessao->Calls({"BeginWork BPMTLiberarBico"}).size(), 4u);
  EXPECT_EQ(sessao->Calls({"EndWork BPMTLiberarBico"}).size(), 1u);
}

TEST_F(MtDialogo, RefusedRecordingShowsNaoGravadoAndKeepsTheLog) {
  sessao->roteiro.gravar = false;
  AtePagamento(3);
  ResponderEmOrdem(3, {"4", "1", ""});
  Digitar(3, "\r");
  EXPECT_EQ(Ultima().Texto(), "1/28 [] Erro (Tecle enter) | NAO GRAVADO.");
  EXPECT_EQ(sessao->Calls({"LogLiberacaoBico.Incluir"}).size(), 1u);
}

}  // namespace
}  // namespace bp::testing
