#include "bp/bp_exportar_estoque.h"

#include "bp/registry.h"
#include "exports/textos_exportacao.h"

namespace bp {

BPExportarEstoque::BPExportarEstoque()
    : ExportacaoDeCadastro(exportacao::kBPExportarEstoque,
                           {exportacao::kTituloEstoque, "E", "ExportarEstoque"}) {}

const ClassInfo& BPExportarEstoque::Info() const { return typelib::BPExportarEstoque(); }

bool BPExportarEstoque::ExportarEstoque(DateTime Dt_Referencia) {
  dt_referencia_ = Dt_Referencia;
  return Exportar();
}

host::RegistrosSintegra BPExportarEstoque::Cabecalho(const host::EmpresaDosRegistros& empresa) {
  return Construtor().E1(empresa);
}

host::RegistrosSintegra BPExportarEstoque::Itens(const std::string& cnpj, int32_t& contador) {
  return Construtor().E2(cnpj, contador, dt_referencia_);
}

host::RegistrosSintegra BPExportarEstoque::Totais(const std::string& cnpj,
                                                  const std::string& inscricao_estadual,
                                                  int32_t& contador) {
  return Construtor().E9(cnpj, inscricao_estadual, contador);
}

namespace classes {
void RegisterBPExportarEstoque() {
  RegisterClass(typelib::BPExportarEstoque(), [] { return std::make_unique<BPExportarEstoque>(); });
}
}  // namespace classes

}  // namespace bp
