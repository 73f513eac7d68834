// posto mt without a terminal: the line protocol and its JSON answers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "support/estacao_demo.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

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
  const std::string cmd = std::string(POSTO_BINARY) + " mt --db " + banco + " <" +
                          env.Path("script.txt") + " >" + env.Path("saida.txt") + " 2>&1";
  const int rc = std::system(cmd.c_str());
  EXPECT_EQ(WEXITSTATUS(rc), 1);
  const std::string ev = "{\"event\":\"AtualizarCih\",\"mt\":";
  EXPECT_EQ(ReadFile(env.Path("saida.txt")),
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
