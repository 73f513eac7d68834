// BPExportarMovimentoECF: writes the ECF movement file of a period, the
// record types R01 to R07 in that order, each as the host's record writer
// gives it. The class owns the file: the removable-disk and overwrite
// questions, progress display, failure messages and closing.
#pragma once

#include <memory>
#include <string>

#include "bp/andamento.h"
#include "bp/datetime.h"
#include "bp/host/bo_ecf.h"
#include "bp/host/bo_registro_movimento_ecf.h"
#include "bp/public_class.h"
#include "bp/text_file.h"

namespace bp {

class BPExportarMovimentoECF final : public PublicClass {
 public:
  BPExportarMovimentoECF();
  ~BPExportarMovimentoECF() override;

  const ClassInfo& Info() const override;

  // Full path and name of the file to write.
  const std::string& Ds_Caminho() const { return ds_caminho_; }
  void SetDs_Caminho(const std::string& caminho) { ds_caminho_ = caminho; }
  // Kept for the caller ("Nm_CampoErroCrítica"); the export does not use it.
  const std::string& Nm_CampoErroCritica() const { return nm_campo_erro_critica_; }
  void SetNm_CampoErroCritica(const std::string& nome) { nm_campo_erro_critica_ = nome; }

  bool Validar();

  // Writes the file for the ECF of ObBOECF. True when it was written
  // completely; False after a refused overwrite (the file untouched) or a
  // record type the writer could not build (a message box, and the types
  // before it left in the file). Other failures are raised.
  bool ExportarMovimentoECF(const DateTime& Dt_Inicial, const DateTime& Dt_Final,
                            const bool& Ic_ConfirmarAntesDeSobrescreverArquivo,
                            host::BOECF* ObBOECF);

  void LetProperty(std::string_view name, const Value& value) override;
  Value GetProperty(std::string_view name) const override;

 protected:
  // Creates the record writer when absent and hands it the data-access object.
  void OnSessionSet() override;

 private:
  bool Exportar(const DateTime& Dt_Inicial, const DateTime& Dt_Final, bool confirmar,
                host::BOECF& ecf, std::unique_ptr<TextFile>& arquivo);
  // Closes the file when open and unloads the progress window.
  void Encerrar(std::unique_ptr<TextFile>& arquivo);

  std::string ds_caminho_;
  std::string nm_campo_erro_critica_;
  std::unique_ptr<host::BORegistroMovimentoECF> escritor_;
  std::unique_ptr<Andamento> janela_;
  ProgressoDoExportador progresso_;
};

}  // namespace bp
