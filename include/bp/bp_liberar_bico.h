// BPLiberarBico: the release rules of the forecourt. It decides whether an
// attendant may release a nozzle for a sale, by the check that fits the
// means of payment (and the cheque consultation for a cheque sale), and
// records who is responsible for the fuelling, writing the release log.
// The checks, the consultation and the recording are the host's business
// objects; the texts explaining a verdict come from them unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "bp/datetime.h"
#include "bp/enums.h"
#include "bp/host/valores_mt.h"
#include "bp/money.h"
#include "bp/public_class.h"

namespace bp {

namespace forecourt {
struct ObjetosLiberacao;
}
namespace host {
struct Cheque;
}

class BPLiberarBico final : public PublicClassWithSetBOSistema {
 public:
  BPLiberarBico();
  ~BPLiberarBico() override;

  const ClassInfo& Info() const override;

  // Hands the stored session to the five helper business objects again.
  void Iniciar();

  // True when the nozzle may be released; Ds_Resultado receives the
  // explanation of the check that ran. Loads the attendant's cash register
  // first. Cash and card sales run the cash-or-card check, credit sales the
  // credit check, cheque sales the cash-or-card check and the consultation
  // of the cheque (see docs/release-rules.md); any other means of payment is
  // refused with Ds_Resultado left as it came.
  bool BicoPodeSerLiberado(int32_t Cd_Funcionario, const std::string& Nm_Senha,
                           TipoPagamentoEnum No_TipoPagamento, const std::string& Cd_Veiculo,
                           const std::string& Cd_Cmc7, const std::string& Cd_CpfCnpj,
                           DateTime Dt_Deposito, uint8_t Cd_Bomba, bool Ic_BaixaAutomatica,
                           Money Vl_Abastecimento, int32_t No_Hodometro,
                           std::string& Ds_Resultado);

  // Records the responsibility through the host's fuelling object and then,
  // whatever that returned, writes one release-log entry. True when the
  // responsibility was recorded. Ds_Resultado is not touched.
  bool GravarResponsabilidade(int32_t Cd_Caixa, uint8_t Cd_Bomba, int32_t Cd_Funcionario,
                              const std::string& Nm_Senha, const std::string& Cd_Veiculo,
                              const std::string& Cd_Cmc7, TipoPagamentoEnum No_TipoPagamento,
                              host::TipoVencimentoEnum No_TipoVencimento,
                              bool Ic_BaixaAutomatica, Money Vl_Abastecimento,
                              Money Tx_DescontoAbastecimento, int32_t No_Hodometro,
                              std::string& Ds_Resultado, host::TipoHardwareEnum No_TipoHardware);

 protected:
  void OnSessionSet() override;

 private:
  // The arguments of a check: those of BicoPodeSerLiberado but the means of
  // payment.
  struct Pedido;

  bool BicoPodeSerLiberadoDinheiroOuCartao(const Pedido& pedido, std::string& Ds_Resultado);
  bool BicoPodeSerLiberadoVendaCredito(const Pedido& pedido, std::string& Ds_Resultado);
  bool BicoPodeSerLiberadoVendaCheque(const Pedido& pedido, std::string& Ds_Resultado);
  // The cash-or-card check on a new fuelling object.
  bool VerificarDinheiroOuCartao(const Pedido& pedido, std::string& Ds_Resultado);
  // Fills the cheque record for a consultation: code line, person kind and
  // formatted document, value, deposit date, operation kind.
  static void PreencherCheque(const Pedido& pedido, host::Cheque& cheque);

  // The employee, pump, fuelling, cash-register and cheque objects.
  std::unique_ptr<forecourt::ObjetosLiberacao> objetos_;
};

}  // namespace bp
