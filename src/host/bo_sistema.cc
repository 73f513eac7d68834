#include "bp/host/bo_sistema.h"

#include "bp/erro.h"
#include "bp/host/bo_abastecimento.h"
#include "bp/host/bo_abertura_dia.h"
#include "bp/host/bo_bomba.h"
#include "bp/host/bo_caixa.h"
#include "bp/host/bo_cardex.h"
#include "bp/host/bo_cheque.h"
#include "bp/host/bo_cliente.h"
#include "bp/host/bo_conta_a_receber.h"
#include "bp/host/bo_ecf.h"
#include "bp/host/bo_estoque.h"
#include "bp/host/bo_funcionario.h"
#include "bp/host/bo_log_liberacao_bico.h"
#include "bp/host/bo_nota_saida.h"
#include "bp/host/bo_reducao_z.h"
#include "bp/host/bo_registro_movimento_ecf.h"
#include "bp/host/bo_registro_sintegra.h"
#include "bp/host/dal_faturamento.h"

namespace bp::host {

std::unique_ptr<BORecalculoEstoque> BOSistema::CriarRecalculoEstoque() {
  RaiseRuntime(rt::kCantCreateObject, "BORecalculoEstoque");
}

std::unique_ptr<BORecalculoGeralEstoque> BOSistema::CriarRecalculoGeralEstoque() {
  RaiseRuntime(rt::kCantCreateObject, "BORecalculoGeralEstoque");
}

std::unique_ptr<BOCardex> BOSistema::CriarCardex() {
  RaiseRuntime(rt::kCantCreateObject, "BOCardex");
}

std::unique_ptr<BOECF> BOSistema::CriarECF() { RaiseRuntime(rt::kCantCreateObject, "BOECF"); }

std::unique_ptr<BOReducaoZ> BOSistema::CriarReducaoZ() {
  RaiseRuntime(rt::kCantCreateObject, "BOReducaoZ");
}

std::unique_ptr<BORegistroMovimentoECF> BOSistema::CriarRegistroMovimentoECF() {
  RaiseRuntime(rt::kCantCreateObject, "BORegistroMovimentoECF");
}

std::unique_ptr<BOAberturaDia> BOSistema::CriarAberturaDia() {
  RaiseRuntime(rt::kCantCreateObject, "BOAberturaDia");
}

std::unique_ptr<BOFuncionario> BOSistema::CriarFuncionario() {
  RaiseRuntime(rt::kCantCreateObject, "BOFuncionario");
}

std::unique_ptr<BOCaixa> BOSistema::CriarCaixa() {
  RaiseRuntime(rt::kCantCreateObject, "BOCaixa");
}

std::unique_ptr<BOAbastecimento> BOSistema::CriarAbastecimento() {
  RaiseRuntime(rt::kCantCreateObject, "BOAbastecimento");
}

std::unique_ptr<BOCheque> BOSistema::CriarCheque() {
  RaiseRuntime(rt::kCantCreateObject, "BOCheque");
}

std::unique_ptr<BOLogLiberacaoBico> BOSistema::CriarLogLiberacaoBico() {
  RaiseRuntime(rt::kCantCreateObject, "BOLogLiberacaoBico");
}

std::unique_ptr<BOBomba> BOSistema::CriarBomba() {
  RaiseRuntime(rt::kCantCreateObject, "BOBomba");
}

std::unique_ptr<BOCliente> BOSistema::CriarCliente() {
  RaiseRuntime(rt::kCantCreateObject, "BOCliente");
}

std::unique_ptr<BOContaAReceber> BOSistema::CriarContaAReceber() {
  RaiseRuntime(rt::kCantCreateObject, "BOContaAReceber");
}

std::unique_ptr<BONotaSaida> BOSistema::CriarNotaSaida() {
  RaiseRuntime(rt::kCantCreateObject, "BONotaSaida");
}

std::unique_ptr<DALFaturamento> BOSistema::CriarDALFaturamento() {
  RaiseRuntime(rt::kCantCreateObject, "DALFaturamento");
}

std::unique_ptr<BORegistroSintegra> BOSistema::CriarRegistroSintegra() {
  RaiseRuntime(rt::kCantCreateObject, "BORegistroSintegra");
}

}  // namespace bp::host
