#include <string>

#include "bp/schema/version_step.h"

namespace bp::schema {
namespace {

constexpr const char* kTitulo = "Atualização do banco de dados";

MessageBoxRequest Info(std::string text, std::string caption = kTitulo) {
  MessageBoxRequest box;
  box.text = std::move(text);
  box.caption = std::move(caption);
  box.buttons = Buttons::Ok;
  box.icon = Icon::Information;
  return box;
}

std::string Inicio(int32_t shown) {
  return "Será iniciado atualização da estrutura do banco de dados versão " +
         std::to_string(shown) + ", esse processo poderá demorar alguns minutos";
}

std::string Fim(int32_t shown) {
  return "Atualização da estrutura do banco de dados versão " + std::to_string(shown) +
         " realizada com sucesso!";
}

}  // namespace

StepMessages MessagesFor(int32_t step) {
  StepMessages m;
  switch (step) {
    case 245:
      m.before = Info(
          "Será iniciado atualização da estrutura do banco de dados, esse processo poderá "
          "demorar alguns minutos");
      m.after = Info("Atualização da estrutura do banco de dados realizada com sucesso!");
      break;
    case 272:
    case 275:
    case 277:
    case 278:
    case 286:
    case 295:
    case 308:
    case 324: {
      // Steps 308 and 324 announce the number of the version before them.
      const int32_t shown = step == 308 ? 307 : step == 324 ? 323 : step;
      m.before = Info(Inicio(shown));
      m.after = Info(Fim(shown));
      break;
    }
    case 453: {
      MessageBoxRequest box = Info(
          "Serão criados novos indices no banco de dados, esse processo pode demorar alguns "
          "minutos",
          "Versão 2.1.453");
      box.icon = Icon::Exclamation;
      m.before = box;
      break;
    }
    default: break;
  }
  return m;
}

}  // namespace bp::schema
