#include "bp/host/bo_movimento_caixa.h"

namespace bp::host {

std::string_view TabelaDoMovimento(TipoMovimentoCaixa tipo) {
  switch (tipo) {
    case TipoMovimentoCaixa::kAbastecimento:
      return "Abastecimento";
    case TipoMovimentoCaixa::kPessoa:
      return "Pessoa";
    case TipoMovimentoCaixa::kCliente:
      return "Cliente";
    case TipoMovimentoCaixa::kVeiculo:
      return "Veiculo";
    case TipoMovimentoCaixa::kCardex:
      return "Cardex";
    case TipoMovimentoCaixa::kCupomFiscal:
      return "CupomFiscal";
    case TipoMovimentoCaixa::kItemCupomFiscal:
      return "ItemCupomFiscal";
    case TipoMovimentoCaixa::kRecebimento:
      return "Recebimento";
    case TipoMovimentoCaixa::kRecebimentoCupom:
      return "RecebimentoCupom";
  }
  return {};
}

}  // namespace bp::host
