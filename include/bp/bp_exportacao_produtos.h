// BPExportacaoProdutos: the product register (records P1, P2 and P9 of the
// host's record builder).
#pragma once

#include "bp/exportacao_de_cadastro.h"

namespace bp {

class BPExportacaoProdutos final : public ExportacaoDeCadastro {
 public:
  BPExportacaoProdutos();
  const ClassInfo& Info() const override;

  // True when the whole file was written; False after a refused overwrite,
  // a group the builder could not build (its box) or an unexpected error
  // (shown and logged).
  bool ExportaProdutos() { return Exportar(); }

 private:
  host::RegistrosSintegra Cabecalho(const host::EmpresaDosRegistros& empresa) override;
  host::RegistrosSintegra Itens(const std::string& cnpj, int32_t& contador) override;
  host::RegistrosSintegra Totais(const std::string& cnpj, const std::string& inscricao_estadual,
                                 int32_t& contador) override;
};

}  // namespace bp
