// The public classes that can be created in this version. Each registration
// function is defined beside its class and attaches the class's factory with
// RegisterClass; calling each one by name here keeps its object file in the
// link of the static library.
namespace bp::classes {

void RegisterBPEmitirNfServicosDeCupom();
void RegisterEnumerador();
void RegisterBPAtualizarBancoDeDados();
void RegisterBPAbrirDia();
void RegisterBPExportarMovimentoECF();
void RegisterBPMTControlador();
void RegisterBPMTLiberarBico();
void RegisterBPLiberarBico();
void RegisterBPFaturamento();
void RegisterBPExportarCupomFiscal();
void RegisterBPExportacaoSintegra();
void RegisterBPExportacaoGam();
void RegisterBPExportacaoProdutos();
void RegisterBPExportarEstoque();

// Called once by the registry, on first use.
void RegisterBuiltClasses() {
  RegisterBPEmitirNfServicosDeCupom();
  RegisterEnumerador();
  RegisterBPAtualizarBancoDeDados();
  RegisterBPAbrirDia();
  RegisterBPExportarMovimentoECF();
  RegisterBPMTControlador();
  RegisterBPMTLiberarBico();
  RegisterBPLiberarBico();
  RegisterBPFaturamento();
  RegisterBPExportarCupomFiscal();
  RegisterBPExportacaoSintegra();
  RegisterBPExportacaoGam();
  RegisterBPExportacaoProdutos();
  RegisterBPExportarEstoque();
}

}  // namespace bp::classes
