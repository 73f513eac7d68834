#include "bp/bp_liberar_bico.h"

#include <optional>

#include "bp/env.h"
#include "bp/host/bo_log_liberacao_bico.h"
#include "bp/host/unit_of_work.h"
#include "bp/names.h"
#include "bp/registry.h"
#include "bp/trap.h"
#include "bp/value.h"
#include "forecourt/mascara.h"
#include "forecourt/objetos_liberacao.h"
#include "forecourt/textos_mt.h"

namespace bp {

using forecourt::kClasseRegras;
using forecourt::Sessao;

struct BPLiberarBico::Pedido {
  int32_t Cd_Funcionario;
  const std::string& Nm_Senha;
  const std::string& Cd_Veiculo;
  const std::string& Cd_Cmc7;
  const std::string& Cd_CpfCnpj;
  DateTime Dt_Deposito;
  uint8_t Cd_Bomba;
  bool Ic_BaixaAutomatica;
  Money Vl_Abastecimento;
  int32_t No_Hodometro;
};

namespace {

// A failing step of the cheque check runs again while fewer than three
// retries were made; the third retry goes to the secondary consultation
// object. The counter is shared by every step of one check.
class TentativasCheque {
 public:
  int tentativas = 0;
  OrdemObjetoConsultaCheque ordem = OrdemObjetoConsultaCheque::ObjetoPrimario;

  template <class Passo>
  auto Executar(Passo&& passo) -> decltype(passo()) {
    for (;;) {
      try {
        return passo();
      } catch (...) {
        if (tentativas >= 3) RethrowDirect(kClasseRegras, "BicoPodeSerLiberadoVendaCheque");
        if (tentativas == 2) ordem = OrdemObjetoConsultaCheque::ObjetoSecundario;
        ++tentativas;
      }
    }
  }
};

}  // namespace

BPLiberarBico::BPLiberarBico() : objetos_(std::make_unique<forecourt::ObjetosLiberacao>()) {}
BPLiberarBico::~BPLiberarBico() = default;

const ClassInfo& BPLiberarBico::Info() const { return typelib::BPLiberarBico(); }

void BPLiberarBico::OnSessionSet() {
  objetos_->EntregarSessao(ObBOSistema());
  Iniciar();
}

void BPLiberarBico::Iniciar() {
  Direct(kClasseRegras, "Iniciar", [&] { objetos_->EntregarSessao(ObBOSistema()); });
}

bool BPLiberarBico::BicoPodeSerLiberado(int32_t Cd_Funcionario, const std::string& Nm_Senha,
                                        TipoPagamentoEnum No_TipoPagamento,
                                        const std::string& Cd_Veiculo, const std::string& Cd_Cmc7,
                                        const std::string& Cd_CpfCnpj, DateTime Dt_Deposito,
                                        uint8_t Cd_Bomba, bool Ic_BaixaAutomatica,
                                        Money Vl_Abastecimento, int32_t No_Hodometro,
                                        std::string& Ds_Resultado) {
  return Direct(kClasseRegras, "BicoPodeSerLiberado", [&] {
    host::BOSistema& sessao = Sessao(ObBOSistema());
    host::Caixa& caixa = objetos_->Caixa().Registro();
    caixa.Cd_PessoaUsuaria = sessao.Cd_PessoaUsuaria();
    caixa.Cd_Funcionario = Cd_Funcionario;
    {
      host::UnitOfWork trabalho(sessao, host::Origem(kClasseRegras, "BicoPodeSerLiberado"));
      objetos_->Caixa().Carregar();
      trabalho.End();
    }

    const Pedido pedido{Cd_Funcionario, Nm_Senha,   Cd_Veiculo,         Cd_Cmc7,
                        Cd_CpfCnpj,     Dt_Deposito, Cd_Bomba,          Ic_BaixaAutomatica,
                        Vl_Abastecimento, No_Hodometro};
    switch (No_TipoPagamento) {
      case TipoPagamentoEnum::PagamentoCartao:
      case TipoPagamentoEnum::PagamentoDinheiro:
        return BicoPodeSerLiberadoDinheiroOuCartao(pedido, Ds_Resultado);
      case TipoPagamentoEnum::PagamentoCredito:
        return BicoPodeSerLiberadoVendaCredito(pedido, Ds_Resultado);
      case TipoPagamentoEnum::PagamentoCheque:
        return BicoPodeSerLiberadoVendaCheque(pedido, Ds_Resultado);
      default:
        return false;
    }
  });
}

bool BPLiberarBico::VerificarDinheiroOuCartao(const Pedido& p, std::string& Ds_Resultado) {
  auto abastecimento = forecourt::CriarComSessao(ObBOSistema(), &host::BOSistema::CriarAbastecimento);
  return abastecimento->VerificarLiberacaoDinheiroOuCartao(
      p.Cd_Bomba, p.Cd_Funcionario, p.Nm_Senha, objetos_->Caixa().Registro().Cd_Caixa,
      p.Cd_Veiculo, p.Vl_Abastecimento, p.No_Hodometro, Ds_Resultado);
}

bool BPLiberarBico::BicoPodeSerLiberadoDinheiroOuCartao(const Pedido& p,
                                                        std::string& Ds_Resultado) {
  return Direct(kClasseRegras, "BicoPodeSerLiberadoDinheiroOuCartao",
                [&] { return VerificarDinheiroOuCartao(p, Ds_Resultado); });
}

bool BPLiberarBico::BicoPodeSerLiberadoVendaCredito(const Pedido& p, std::string& Ds_Resultado) {
  return Direct(kClasseRegras, "BicoPodeSerLiberadoVendaCredito", [&] {
    auto abastecimento =
        forecourt::CriarComSessao(ObBOSistema(), &host::BOSistema::CriarAbastecimento);
    abastecimento->Registro().Cd_PessoaUsuaria = Sessao(ObBOSistema()).Cd_PessoaUsuaria();
    return abastecimento->VerificarLiberacaoVendaCredito(
        p.Cd_Bomba, p.Cd_Funcionario, p.Nm_Senha, objetos_->Caixa().Registro().Cd_Caixa,
        p.Cd_Veiculo, p.Vl_Abastecimento, p.No_Hodometro, Ds_Resultado);
  });
}

// A cheque sale must pass the cash-or-card check (the nozzle, the cash
// register) before its cheque is consulted; a refusal there refuses the sale
// without a consultation. Without a code line there is nothing to consult
// and that check's verdict stands (docs/release-rules.md).
bool BPLiberarBico::BicoPodeSerLiberadoVendaCheque(const Pedido& p, std::string& Ds_Resultado) {
  TentativasCheque t;
  auto abastecimento = t.Executar([&] {
    return forecourt::CriarComSessao(ObBOSistema(), &host::BOSistema::CriarAbastecimento);
  });
  const bool dinheiro_ou_cartao = t.Executar([&] {
    return abastecimento->VerificarLiberacaoDinheiroOuCartao(
        p.Cd_Bomba, p.Cd_Funcionario, p.Nm_Senha, objetos_->Caixa().Registro().Cd_Caixa,
        p.Cd_Veiculo, p.Vl_Abastecimento, p.No_Hodometro, Ds_Resultado);
  });
  if (!dinheiro_ou_cartao) return false;
  if (TrimSpace(p.Cd_Cmc7).empty()) return true;

  t.tentativas = 1;
  t.ordem = OrdemObjetoConsultaCheque::ObjetoPrimario;
  t.Executar([&] { Iniciar(); });
  host::BOCheque& cheque = t.Executar([&]() -> host::BOCheque& { return objetos_->Cheque(); });
  PreencherCheque(p, cheque.Registro());

  host::BOSistemaRef sessao = ObBOSistema();
  const std::string origem = host::Origem(kClasseRegras, "BicoPodeSerLiberadoVendaCheque");
  std::optional<host::UnitOfWork> trabalho;
  const auto comecar = [&] { trabalho.emplace(Sessao(sessao), origem); };
  const auto consultar = [&] {
    t.Executar([&] { cheque.Consultar(sessao, t.ordem); });
    Ds_Resultado = cheque.Registro().Ds_Resultado;
    cheque.Registro().Ic_Consultado = true;
    return cheque.Registro().Ic_Aprovado;
  };

  bool aprovado = false;
  if (!t.Executar([&] { return cheque.Ic_ConsultaArmazenada(); })) {
    aprovado = consultar();
    t.Executar(comecar);
    t.Executar([&] { cheque.Gravar(); });
  } else {
    t.Executar(comecar);
    t.Executar([&] {
      bool encontrado = false;
      std::string mensagem;
      cheque.Carregar(encontrado, mensagem);
    });
    if (!cheque.Registro().Ic_Aprovado) {
      aprovado = consultar();
      t.Executar([&] {
        std::string mensagem;
        cheque.Atualizar(mensagem);
      });
    } else {
      Ds_Resultado = cheque.Registro().Ds_Resultado;
      aprovado = true;
    }
  }
  t.Executar([&] { trabalho->End(); });
  return aprovado;
}

void BPLiberarBico::PreencherCheque(const Pedido& p, host::Cheque& cheque) {
  cheque.Cd_Cmc7 = p.Cd_Cmc7;
  const size_t tamanho = p.Cd_CpfCnpj.size();
  if (tamanho == 11) {
    cheque.Tp_Pessoa = Tp_PessoaEnum::Tp_PessoaFisica;
    cheque.Cd_CpfCnpj = forecourt::AplicarMascara(p.Cd_CpfCnpj, forecourt::kFormatoCpf);
  } else if (tamanho == 14) {
    cheque.Tp_Pessoa = Tp_PessoaEnum::Tp_PessoaJuridica;
    cheque.Cd_CpfCnpj = forecourt::AplicarMascara(p.Cd_CpfCnpj, forecourt::kFormatoCnpj);
  } else {
    // Neither a CPF nor a CNPJ: no person kind and no document, rather than
    // those of the cheque consulted before.
    cheque.Tp_Pessoa = Tp_PessoaEnum::Tp_PessoaNaoDefinida;
    cheque.Cd_CpfCnpj.clear();
  }
  cheque.Vl_Cheque = p.Vl_Abastecimento > Money() ? p.Vl_Abastecimento : Money::FromInt(1);
  cheque.Dt_Deposito = p.Dt_Deposito;
  cheque.Tp_Operacao = Tp_OperacaoEnum::Tp_OperacaoChequeEmitente;
}

bool BPLiberarBico::GravarResponsabilidade(
    int32_t Cd_Caixa, uint8_t Cd_Bomba, int32_t Cd_Funcionario, const std::string& /*Nm_Senha*/,
    const std::string& Cd_Veiculo, const std::string& Cd_Cmc7, TipoPagamentoEnum No_TipoPagamento,
    host::TipoVencimentoEnum No_TipoVencimento, bool Ic_BaixaAutomatica, Money Vl_Abastecimento,
    Money Tx_DescontoAbastecimento, int32_t No_Hodometro, std::string& /*Ds_Resultado*/,
    host::TipoHardwareEnum No_TipoHardware) {
  return Direct(kClasseRegras, "GravarResponsabilidade", [&] {
    const host::BOSistemaRef& sessao = ObBOSistema();
    auto abastecimento = forecourt::CriarComSessao(sessao, &host::BOSistema::CriarAbastecimento);
    auto log = forecourt::CriarComSessao(sessao, &host::BOSistema::CriarLogLiberacaoBico);

    const bool gravado = abastecimento->GravarResponsabilidade(
        Cd_Bomba, Cd_Caixa, Cd_Veiculo, Cd_Cmc7, No_TipoPagamento, No_TipoVencimento,
        Ic_BaixaAutomatica, Vl_Abastecimento, Tx_DescontoAbastecimento, No_Hodometro);

    host::UnitOfWork trabalho(Sessao(sessao), host::Origem(kClasseRegras, "GravarResponsabilidade"));
    host::LogLiberacaoBico& entrada = log->Registro();
    entrada.Cd_PessoaUsuaria = Sessao(sessao).Cd_PessoaUsuaria();
    entrada.Cd_Bomba = Cd_Bomba;
    entrada.Cd_Caixa = Cd_Caixa;
    entrada.Cd_Veiculo = Cd_Veiculo;
    entrada.Dt_Liberacao = Env::Current().Now();
    entrada.Ic_BaixaAutomatica = Ic_BaixaAutomatica;
    entrada.Cd_Funcionario = Cd_Funcionario;
    entrada.No_TipoPagamento = Value(ToInt32(No_TipoPagamento)).ToByte();
    entrada.No_TipoVencimento = Value(static_cast<int32_t>(No_TipoVencimento)).ToByte();
    entrada.No_TipoHardware = Value(static_cast<int32_t>(No_TipoHardware)).ToInt16();
    log->Incluir();
    trabalho.End();
    return gravado;
  });
}

namespace classes {
void RegisterBPLiberarBico() {
  RegisterClass(typelib::BPLiberarBico(), [] { return std::make_unique<BPLiberarBico>(); });
}
}  // namespace classes

}  // namespace bp
