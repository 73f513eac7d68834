// posto dia on the demo station: what a newcomer runs, read back from the
// program's own words.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "bp/db/connection.h"
#include "bp/ead.h"
#include "bp/keys.h"
#include "station/session/sessao.h"
#include "tests/support/db_checks.h"
#include "tests/support/estacao_demo.h"
#include "tests/support/posto.h"
#include "tests/support/test_keys.h"

namespace {

using bp::testing::Posto;
using bp::testing::ReadFile;
using bp::testing::Saida;

// The text after `label` up to the end of its line.
std::string Depois(const std::string& texto, const std::string& label) {
  const size_t at = texto.find(label);
  if (at == std::string::npos) return "";
  const size_t inicio = at + label.size();
  return texto.substr(inicio, texto.find('\n', inicio) - inicio);
}

// Closing the day, closing it again (a printer refuses a second Z of a day,
// so the stored Z and the signed file stay as the first closing left them),
// opening the next day, and a printer switched off at the next closing.
TEST(PostoDia, ClosesAndOpensTheDemoDayAndReportsAFailingPrinter) {
  bp::testing::TestEnv env;
  bp::testing::EstacaoFiscal estacao(env);
  estacao.sessao.reset();
  const std::string db = " --db " + estacao.banco;
  const auto reducoes = [&] {
    return bp::testing::TablesAsText(*bp::db::Connection::Open(estacao.banco), {"ReducaoZ"});
  };

  Saida s = Posto(env, "dia fechar" + db + " --now '2026-12-05 23:00'");
  ASSERT_EQ(s.rc, 0) << s.texto;
  EXPECT_NE(s.texto.find("Dia fechado: redução Z de 05/12/2026."), std::string::npos) << s.texto;
  const std::string fechado = Depois(s.texto, "Arquivo de movimento assinado: ");
  EXPECT_EQ(fechado.rfind(env.Folder() + "/Fiscal/ECF/Dados ReducaoZ/", 0), 0u) << s.texto;
  EXPECT_EQ(fechado.substr(fechado.size() - 12), "05122026.txt");
  const std::string conteudo = ReadFile(fechado);
  const std::string z = reducoes();
  for (const char* quando : {"'2026-12-05 23:30'", "'2026-12-06 01:00'"}) {
    SCOPED_TRACE(quando);
    s = Posto(env, "dia fechar" + db + " --now " + quando);
    EXPECT_EQ(s.rc, 1) << s.texto;
    EXPECT_NE(s.texto.find("Passo 2 falhou: 0x800405F2 A impressora retornou erro"),
              std::string::npos)
        << s.texto;
    EXPECT_EQ(reducoes(), z);
    EXPECT_EQ(ReadFile(fechado), conteudo);
  }

  s = Posto(env, "dia abrir" + db + " --now 2026-12-06T07:00");
  ASSERT_EQ(s.rc, 0) << s.texto;
  EXPECT_NE(s.texto.find("Redução Z de 05/12/2026 gravada."), std::string::npos) << s.texto;
  EXPECT_NE(Depois(s.texto, "Cupons não concluídos excluídos: "), "0") << s.texto;
  EXPECT_EQ(Depois(s.texto, "Arquivo de movimento assinado: "), fechado);
  EXPECT_EQ(bp::VerifyEAD(fechado, bp::testing::TestModulus()).status, bp::EadStatus::kOk);

  ASSERT_EQ(Posto(env, "ecf falha desligada" + db).rc, 0);
  s = Posto(env, "dia fechar" + db + " --now '2026-12-06 23:00'");
  EXPECT_EQ(s.rc, 1) << s.texto;
  EXPECT_NE(s.texto.find("Passo 2 falhou: 0x800405FF Impressora desligada ou cabo desconectado"),
            std::string::npos)
      << s.texto;
  const std::string log = Depois(s.texto, "Falhas registradas em ");
  EXPECT_EQ(log.substr(log.size() - 17), "2026-12-06Ret.log");
  EXPECT_NE(ReadFile(log).find("BPAbrirDia.FecharDia - Passo:2\r\n"), std::string::npos);
}

// The main job a newcomer runs first: the demo station, a release at
// terminal 1, the day closed and the next one opened, the file's signature,
// all with keys the demo makes for itself in its folder (the variables name
// files that do not exist, so the test program's keys cannot stand in).
TEST(PostoDemo, RunsTheWholeStationDayWithItsOwnKeys) {
  bp::testing::TestEnv env;
  bp::testing::ScopedVariable no_pair(bp::kEadKeyVariable, env.Path("nenhuma.pem"));
  bp::testing::ScopedVariable no_serial(bp::kSerialKeyVariable, env.Path("nenhuma.key"));
  const std::string pasta = env.Path("demo");
  const Saida s = Posto(env, "demo " + pasta);
  ASSERT_EQ(s.rc, 0) << s.texto;
  EXPECT_NE(s.texto.find("PERMITIDO(Tecle enter para liberar bico)"), std::string::npos) << s.texto;
  EXPECT_NE(s.texto.find("Bico liberado e responsabilidade gravada."), std::string::npos);
  EXPECT_NE(s.texto.find("Assinatura EAD válida."), std::string::npos) << s.texto;

  const bp::KeyResult<bp::EadKey> pair = bp::ReadEadKey(pasta + "/" + bp::kEadKeyFileName);
  ASSERT_TRUE(pair.key) << pair.failure;
  EXPECT_TRUE(bp::ReadSerialKey(pasta + "/" + bp::kSerialKeyFileName).key);
  for (const auto& arquivo : std::filesystem::directory_iterator(pasta + "/Fiscal/ECF/Dados ReducaoZ")) {
    const Saida v = Posto(env, "ead verificar '" + arquivo.path().string() + "' --modulo " +
                                   pair.key->modulus);
    EXPECT_EQ(v.rc, 0) << v.texto;
  }
}

}  // namespace
