#include <string>

#include "bp/env.h"
#include "bp/erros.h"
#include "bp/format.h"
#include "bp/text_file.h"

namespace bp {

bool GravaLogEMostraErro(int32_t Numero, const std::string& Descricao, const std::string& Source,
                         const std::string& /*Funcao*/, bool Fl_MostrarMensagem,
                         const std::string& Nm_ArquivoLog,
                         bool /*Ic_FecharMensagemAposDeterminadoTempo*/) {
  // Each step swallows its own failure and the next one runs, so a missing
  // "LogErros" folder or a locked file loses the record and nothing else.
  Env& env = Env::Current();
  if (Fl_MostrarMensagem) {
    try {
      MessageBoxRequest box;
      box.text = Descricao;
      box.caption = env.AppTitle();
      box.buttons = Buttons::Ok;
      box.icon = Icon::Critical;
      env.MessageBox(box);
    } catch (...) {
    }
  }
  try {
    const DateTime now = env.Now();
    const std::string path = env.ModuleFolder() + kPathSeparator + "LogErros" + kPathSeparator +
                             Format(now, "yyyy-mm-dd") + Nm_ArquivoLog;
    TextFile log(path, OpenMode::Append);
    log.WriteLine("Data....:" + Format(now, "dd/mm/yyyy hh:Nn:ss"));
    log.WriteLine("Arquivo.:" + env.ModuleName());
    log.WriteLine("Erro....:" + std::to_string(Numero) + "-" + Descricao);
    log.WriteLine("Fonte...:" + Source);
    log.WriteLine("");
    log.WriteLine("");
    log.Close();
  } catch (...) {
  }
  return true;
}

}  // namespace bp
