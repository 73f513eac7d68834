#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "bp/erros.h"
#include "bp/trap.h"

namespace bp {
namespace {

// Three procedures deep: an inner capture-style procedure with a clean-up,
// a direct-style one above it, and a direct-style one on top.
void Innermost(std::vector<std::string>& log) {
  Capture("BPAbrirDia", "GravarDadosDaUltimaReducaoZ",
          [] { throw Erro(kErroNegocio, "falhou", "Host.Objeto"); },
          [&] { log.push_back("fim do trabalho"); });
}
void Middle(std::vector<std::string>& log) {
  Direct("BPAbrirDia", "AbrirDia", [&] { Innermost(log); });
}
void Outer(std::vector<std::string>& log) {
  Direct("BPHost", "Abrir", [&] { Middle(log); });
}

TEST(ErroTrail, ThreeProceduresDeepKeepNumberAndGrowTheSource) {
  std::vector<std::string> log;
  try {
    Outer(log);
    FAIL() << "no error";
  } catch (const Erro& e) {
    EXPECT_EQ(e.number, kErroNegocio);
    EXPECT_EQ(e.description, "falhou");
    EXPECT_EQ(e.source,
              "Host.Objeto -> BPAbrirDia.GravarDadosDaUltimaReducaoZ -> BPAbrirDia.AbrirDia, "
              " -> BPHost.Abrir, ");
  }
  EXPECT_EQ(log, std::vector<std::string>{"fim do trabalho"});
}

TEST(ErroTrail, DirectDropsHelpButCaptureKeepsIt) {
  const Erro original(7, "x", "S", "ajuda.hlp", 42, 5);
  try {
    Direct("C", "P", [&] { throw original; });
  } catch (const Erro& e) {
    EXPECT_EQ(e.help_file, "");
    EXPECT_EQ(e.help_context, 0);
  }
  try {
    Capture("C", "P", [&] { throw original; }, [] {});
  } catch (const Erro& e) {
    EXPECT_EQ(e.help_file, "ajuda.hlp");
    EXPECT_EQ(e.help_context, 42);
    EXPECT_EQ(e.source, "S -> C.P");
  }
  EXPECT_EQ(ErroCapturado().last_dll_error, 5);
}

TEST(ErroTrail, CapturaErroAppendsTheComplementAfterOneBlank) {
  for (const auto& [complement, expected] : {std::pair{"", "texto"}, std::pair{"X", "texto X"}}) {
    try {
      throw Erro(1, "texto", "F");
    } catch (...) {
      CapturaErro(complement);
    }
    EXPECT_EQ(ErroCapturado().description, expected);
  }
  EXPECT_THROW(LancaErro(" -> A.B"), Erro);
}

TEST(ErroTrail, ForeignFailuresBecomeRuntimeNumbers) {
  auto number_of = [](auto thrower) {
    try {
      Direct("C", "P", thrower);
    } catch (const Erro& e) {
      EXPECT_EQ(e.source.substr(e.source.size() - 9), " -> C.P, ");
      return e.number;
    }
    return 0;
  };
  EXPECT_EQ(number_of([] { throw std::overflow_error("o"); }), 6);
  EXPECT_EQ(number_of([] { (void)std::vector<int>{}.at(3); }), 9);
  EXPECT_EQ(number_of([] { (void)std::stoi("abc"); }), 13);
  EXPECT_EQ(number_of([] { throw 42; }), 51);
  try {
    Direct("C", "P", [] { RaiseRuntime(rt::kObjectNotSet); });
  } catch (const Erro& e) {
    EXPECT_EQ(e.description, "Object variable or With block variable not set");
    EXPECT_EQ(e.source, "BP -> C.P, ");
  }
  EXPECT_EQ(RuntimeErro(3709).description,
            "The connection cannot be used to perform this operation. It is either closed or "
            "invalid in this context.");
  EXPECT_EQ(RuntimeErro(380).description, "Invalid property value");
  EXPECT_EQ(HexNumber(kErroArquivoReducaoZ), "0x80042D72");
}

}  // namespace
}  // namespace bp
