#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
  // Each record: the moment, the module, number and text, the source, two
  // empty lines; Windows-1252 text with CR LF line ends.
  const auto record = [](const std::string& erro, const std::string& fonte) {
    return "Data....:05/12/2026 07:08:09\r\nArquivo.:BP\r\nErro....:" + erro + "\r\nFonte...:" +
           fonte + "\r\n\r\n\r\n";
  };
  EXPECT_EQ(testing::ReadFile(env.Path("LogErros/2026-12-05Ret.log")),
            record("-2147219872-Falha a\xE7\xE3o", "X -> BPAbrirDia.FecharDia, ") +
                record("6-Overflow", "BP"));
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
