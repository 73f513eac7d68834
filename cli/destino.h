// The destination file of a tax or stock export, prepared as a host would:
// the export looks the destination up as an existing file and asks before
// overwriting it. A destination that does not exist yet is created empty
// here, and the question about that file of our own is answered Yes; a file
// that was already there is overwritten only with --sim or a Yes typed on
// the terminal. The empty file is removed again when the export did not
// write it.
#pragma once

#include <string>

#include "cli/ambiente.h"

namespace posto {

extern const Option kOpcaoArquivo;  // --arquivo CAMINHO

class AmbienteDoArquivo : public AmbienteDoComando {
 public:
  // Raises UsageError without --arquivo and Failure when the file cannot be
  // created.
  explicit AmbienteDoArquivo(const Options& options);
  ~AmbienteDoArquivo() override;

  const std::string& Caminho() const { return caminho_; }
  // Call when the export wrote the file: it is kept even if it was ours.
  void Gravado() { gravado_ = true; }

  bp::Answer MessageBox(const bp::MessageBoxRequest& request) override;

 private:
  std::string caminho_;
  bool criado_ = false;
  bool gravado_ = false;
};

// The number of lines of a file written by an export.
int64_t LinhasDoArquivo(const std::string& caminho);

}  // namespace posto
