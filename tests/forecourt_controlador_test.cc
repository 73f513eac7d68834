// The micro-terminal controller: its own screens, the slots of the dialogue
// objects, and the control keys at the end of the buffer.
#include <gtest/gtest.h>

#include "bp/bp_mt_controlador.h"
#include "bp/registry.h"
#include "support/db_checks.h"
#include "support/forecourt_terminais.h"

namespace bp::testing {
namespace {

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
  EXPECT_EQ(telas[0].acao, 1);
  EXPECT_EQ(telas[0].andamento, 1);
  EXPECT_EQ(telas[0].buffer + telas[0].linha1 + telas[0].linha2, "");

  acao = AcaoEnum::AcaoInoperante;
  EXPECT_FALSE(Execute(4, acao, 7, "12"));
  EXPECT_EQ(acao, AcaoEnum::AcaoInoperante);
  ASSERT_EQ(telas.size(), 2u);
  EXPECT_EQ(telas[1].acao, -1);
  EXPECT_EQ(telas[1].andamento, 7);
  EXPECT_EQ(telas[1].buffer, "12");
  EXPECT_EQ(telas[1].linha1, "Sistema inoperante");
  EXPECT_EQ(telas[1].linha2, "");

  acao = static_cast<AcaoEnum>(2);
  EXPECT_FALSE(Execute(5, acao, 3, "x"));
  ASSERT_EQ(telas.size(), 3u);
  EXPECT_EQ(telas[2].acao, 2);
  EXPECT_EQ(telas[2].linha1, "Opcao nao configurada");
  EXPECT_EQ(telas[2].linha2, "Solicite suporte tecnico");
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

TEST_F(MtControlador, ControlKeysCountOnlyAtTheEndOfTheBuffer) {
  AcaoEnum acao = AcaoEnum::AcaoLiberarBico;
  Execute(3, acao, 1, "");
  // Escape followed by a digit is plain text, echoed.
  Execute(3, acao, 2, std::string("\x1b") + "5");
  EXPECT_EQ(telas.back().linha2, "\x1b" "5");
  EXPECT_EQ(telas.back().andamento, 2);
  // Two digits and Enter hand in the answer.
  Execute(3, acao, 2, "12\r");
  EXPECT_EQ(telas.back().linha1, "Senha");
  // Backspace alone leaves the dialogue.
  Execute(3, acao, 4, "\b");
  EXPECT_EQ(telas[telas.size() - 2].acao, 0);
  EXPECT_EQ(telas[telas.size() - 2].andamento, 0);
}

}  // namespace
}  // namespace bp::testing
