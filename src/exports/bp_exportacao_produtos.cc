#include "bp/bp_exportacao_produtos.h"

#include "bp/registry.h"
#include "exports/textos_exportacao.h"

namespace bp {

BPExportacaoProdutos::BPExportacaoProdutos()
    : ExportacaoDeCadastro(exportacao::kBPExportacaoProdutos,
                           {exportacao::kTituloProdutos, "P", "ExportaProdutos"}) {}

const ClassInfo& BPExportacaoProdutos::Info() const { return typelib::BPExportacaoProdutos(); }

host::RegistrosSintegra BPExportacaoProdutos::Cabecalho(const host::EmpresaDosRegistros& empresa) {
  return Construtor().P1(empresa);
}

host::RegistrosSintegra BPExportacaoProdutos::Itens(const std::string& cnpj, int32_t& contador) {
  return Construtor().P2(cnpj, contador);
}

host::RegistrosSintegra BPExportacaoProdutos::Totais(const std::string& cnpj,
                                                     const std::string& inscricao_estadual,
                                                     int32_t& contador) {
  return Construtor().P9(cnpj, inscricao_estadual, contador);
}

namespace classes {
void RegisterBPExportacaoProdutos() {
  RegisterClass(typelib::BPExportacaoProdutos(),
                [] { return std::make_unique<BPExportacaoProdutos>(); });
}
}  // namespace classes

}  // namespace bp
