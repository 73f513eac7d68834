#include "cli/destino.h"

#include <filesystem>
#include <fstream>

#include "bp/disco_removivel.h"

namespace posto {

namespace fs = std::filesystem;

const Option kOpcaoArquivo = Text("--arquivo", "CAMINHO", "arquivo a gravar");

AmbienteDoArquivo::AmbienteDoArquivo(const Options& options) : AmbienteDoComando(options) {
  if (!options.Has("--arquivo")) throw UsageError("informe --arquivo");
  caminho_ = fs::absolute(options.Text("--arquivo", "")).string();
  std::error_code ec;
  if (fs::exists(caminho_, ec)) return;
  if (!std::ofstream(caminho_, std::ios::binary)) {
    throw Failure("não foi possível criar " + caminho_ +
                  ": confira se a pasta existe e se pode ser gravada");
  }
  criado_ = true;
}

AmbienteDoArquivo::~AmbienteDoArquivo() {
  std::error_code ec;
  if (criado_ && !gravado_ && fs::file_size(caminho_, ec) == 0) fs::remove(caminho_, ec);
}

bp::Answer AmbienteDoArquivo::MessageBox(const bp::MessageBoxRequest& request) {
  const bool nosso = criado_ && request.buttons == bp::Buttons::YesNo &&
                     request.text.find("'" + caminho_ + "'") != std::string::npos;
  if (nosso) return bp::Answer::Yes;  // the empty file this command created
  return AmbienteDoComando::MessageBox(request);
}

int64_t LinhasDoArquivo(const std::string& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  int64_t linhas = 0;
  for (std::string l; std::getline(in, l);) ++linhas;
  return linhas;
}

}  // namespace posto
