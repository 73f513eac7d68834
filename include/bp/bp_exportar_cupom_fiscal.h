// BPExportarCupomFiscal: the file of the fuelings behind one receivable, for
// the customer's fleet control: fixed-width text with one line per vehicle
// (201), analytic CSV with one line per coupon item (101), synthetic CSV with
// one line per vehicle with odometer readings and consumption (102).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "bp/andamento.h"
#include "bp/enums.h"
#include "bp/host/dal_faturamento.h"
#include "bp/public_class.h"
#include "bp/text_file.h"

namespace bp {

// The file kinds of the export.
inline constexpr int32_t kArquivoCupomTexto = 201;
inline constexpr int32_t kArquivoCupomAnalitico = 101;
inline constexpr int32_t kArquivoCupomSintetico = 102;

class BPExportarCupomFiscal final : public PublicClass {
 public:
  BPExportarCupomFiscal();
  ~BPExportarCupomFiscal() override;
  const ClassInfo& Info() const override;

  int32_t Cd_ContaAReceber() const { return cd_conta_; }
  void SetCd_ContaAReceber(int32_t conta) { cd_conta_ = conta; }
  const std::string& Ds_Path() const { return ds_path_; }
  void SetDs_Path(const std::string& path) { ds_path_ = path; }
  // Set by the export: the file written.
  const std::string& Nm_ArqDestino() const { return nm_arq_destino_; }
  void SetNm_ArqDestino(const std::string& nome) { nm_arq_destino_ = nome; }

  // Raises 0x80040660 without a receivable, without a folder, or when no
  // file matches the folder; otherwise True.
  bool Validar(Tp_EdicaoEnum No_TipoEdicao = Tp_EdicaoEnum{});
  // Shows ObAndamento and writes the file of the kind given. True when it was
  // written; a refused overwrite or an unknown kind raises "Erro durante
  // exportação"; what was written before a failure stays on disk.
  bool Exportar(Andamento* ObAndamento, int32_t No_TipoArquivoExportacao);

  void LetProperty(std::string_view name, const Value& value) override;
  Value GetProperty(std::string_view name) const override;

 private:
  void OnSessionSet() override;
  // Names the file, asks before overwriting and opens it; false when the
  // user keeps the old file.
  bool Abrir(const char* final_do_nome, std::unique_ptr<TextFile>& arquivo);
  void Andamento(int64_t feitos, int64_t total, const std::string& descricao);
  bool ExportarRegistroCF_Txt1();
  bool ExportarRegistroCF_Csv1();
  bool ExportarRegistroCF_Csv2();

  int32_t cd_conta_ = 0;
  std::string ds_path_;
  std::string nm_arq_destino_;
  std::unique_ptr<host::DALFaturamento> dal_;
  std::unique_ptr<bp::Andamento> janela_;
  ProgressoDoExportador progresso_;
};

}  // namespace bp
