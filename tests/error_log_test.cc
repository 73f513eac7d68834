#include <gtest/gtest.h>

#include <filesystem>

#include "bp/erros.h"
#include "support/test_env.h"

namespace bp {
namespace {

TEST(GravaLogEMostraErro, AppendsSixLinesToTheDaysLogBesideTheModule) {
  testing::TestEnv env;
  env.now = DateTime::Of(2026, 12, 5, 7, 8, 9);
  std::filesystem::create_directory(env.Path("LogErros"));

  EXPECT_TRUE(GravaLogEMostraErro(-2147219872, "Falha ação", "X -> BPAbrirDia.FecharDia, ",
                                  "FecharDia", false, "Ret.log"));
  EXPECT_TRUE(GravaLogEMostraErro(6, "Overflow", "BP", "", false, "Ret.log"));

  EXPECT_TRUE(env.boxes.empty());
  const std::string bytes = testing::ReadFile(env.Path("LogErros/2026-12-05Ret.log"));
  EXPECT_EQ(bytes,
            "Data....:05/12/2026 07:08:09\r\n"
            "Arquivo.:BP\r\n"
            "Erro....:-2147219872-Falha a\xE7\xE3o\r\n"
            "Fonte...:X -> BPAbrirDia.FecharDia, \r\n"
            "\r\n"
            "\r\n"
            "Data....:05/12/2026 07:08:09\r\n"
            "Arquivo.:BP\r\n"
            "Erro....:6-Overflow\r\n"
            "Fonte...:BP\r\n"
            "\r\n"
            "\r\n");
}

TEST(GravaLogEMostraErro, ShowsTheBoxFirstAndStaysSilentWithoutTheFolder) {
  testing::TestEnv env;
  EXPECT_TRUE(GravaLogEMostraErro(1, "Sem pasta", "S", "", true, "Ret.log"));
  ASSERT_EQ(env.boxes.size(), 1u);
  EXPECT_EQ(env.boxes[0].text, "Sem pasta");
  EXPECT_EQ(env.boxes[0].caption, "BP");
  EXPECT_EQ(env.boxes[0].icon, Icon::Critical);
  EXPECT_EQ(env.boxes[0].buttons, Buttons::Ok);
  EXPECT_FALSE(std::filesystem::exists(env.Path("LogErros")));
}

}  // namespace
}  // namespace bp
