// What the exports over the host's SINTEGRA record builder share: the
// destination, the builder (created on first use), the progress window, the
// output file, the failure boxes, and the frame every export runs in (the
// file closed and the window unloaded on every ending, an unexpected error
// logged under the library module's name + ".log" and turned into False).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "bp/andamento.h"
#include "bp/host/bo_registro_sintegra.h"
#include "bp/public_class.h"
#include "bp/text_file.h"

namespace bp {

class ExportacaoDeRegistros : public PublicClass {
 public:
  ~ExportacaoDeRegistros() override;

  // Full path of the file to write.
  const std::string& Ds_Caminho() const { return ds_caminho_; }
  void SetDs_Caminho(const std::string& caminho) { ds_caminho_ = caminho; }
  // "Nm_CampoErroCrítica": the property at fault after a failed Validar.
  const std::string& Nm_CampoErroCritica() const { return nm_campo_erro_critica_; }
  void SetNm_CampoErroCritica(const std::string& nome) { nm_campo_erro_critica_ = nome; }

  void LetProperty(std::string_view name, const Value& value) override;
  Value GetProperty(std::string_view name) const override;

 protected:
  explicit ExportacaoDeRegistros(const char* classe);

  const char* Classe() const { return classe_; }
  // The builder, created and handed the data-access object on first use.
  host::BORegistroSintegra& Construtor();
  // The progress window, created on first use.
  Andamento& Janela();

  // The progress percentage: 0 is shown as 1, above 100 as 100.
  void SetPercentual(int percentual);
  void SetDescricao(const std::string& descricao) { progresso_.SetDescricaoAndamento(descricao); }
  void SetTitulo(const std::string& titulo) { progresso_.SetTituloAndamento(titulo); }

  // Opens Ds_Caminho for output, asking before overwriting; False on No.
  bool AbrirArquivo();
  // Writes a builder result's text as one line (nothing when empty);
  // returns its success.
  bool Escrever(const host::RegistrosSintegra& registros);
  // An exclamation box with OK.
  static void Aviso(const std::string& titulo, const std::string& texto);
  // `ok`, after the box when it is False.
  static bool Passo(bool ok, const std::string& titulo, const std::string& texto);

  // Runs an export's body; closes the file and unloads the window on every
  // ending; an unexpected error is shown and logged for `proc` and gives
  // False.
  bool Executar(const char* proc, const std::function<bool()>& corpo);

 private:
  void Encerrar();

  const char* classe_;
  std::string ds_caminho_;
  std::string nm_campo_erro_critica_;
  std::unique_ptr<host::BORegistroSintegra> construtor_;
  std::unique_ptr<Andamento> janela_;
  std::unique_ptr<TextFile> arquivo_;
  ProgressoDoExportador progresso_;
};

}  // namespace bp
