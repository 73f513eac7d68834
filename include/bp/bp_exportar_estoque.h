// BPExportarEstoque: the stock at a reference date (records E1, E2 and E9
// of the host's record builder).
#pragma once

#include "bp/datetime.h"
#include "bp/exportacao_de_cadastro.h"

namespace bp {

class BPExportarEstoque final : public ExportacaoDeCadastro {
 public:
  BPExportarEstoque();
  const ClassInfo& Info() const override;

  // As BPExportacaoProdutos::ExportaProdutos, for the stock at Dt_Referencia.
  bool ExportarEstoque(DateTime Dt_Referencia);

 private:
  host::RegistrosSintegra Cabecalho(const host::EmpresaDosRegistros& empresa) override;
  host::RegistrosSintegra Itens(const std::string& cnpj, int32_t& contador) override;
  host::RegistrosSintegra Totais(const std::string& cnpj, const std::string& inscricao_estadual,
                                 int32_t& contador) override;

  DateTime dt_referencia_;
};

}  // namespace bp
