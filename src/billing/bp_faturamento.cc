#include "bp/bp_faturamento.h"

#include <cmath>
#include <optional>
#include <string>

#include "billing/textos_faturamento.h"
#include "bp/andamento.h"
#include "bp/env.h"
#include "bp/erros.h"
#include "bp/format.h"
#include "bp/host/data_access.h"
#include "bp/host/unit_of_work.h"
#include "bp/registry.h"
#include "bp/trap.h"

namespace bp {
namespace {

using billing::kBPFaturamento;

DateTime Hoje() { return Env::Current().Now().DatePart(); }

// A percentage of a money value, applied in double precision.
Money Percentual(Money valor, double taxa) {
  return Money::FromDouble(valor.ToDouble() / 100 * taxa);
}

// The selective run's percentage label: count / (coupons - 1) x 100, rounded
// to a whole number with halves to even, under "##0.00".
std::string RotuloAndamento(int32_t contador, int32_t total) {
  const double percentual = std::nearbyint(static_cast<double>(contador) / (total - 1) * 100);
  return Format(percentual, "##0.00") + "%";
}

}  // namespace

BPFaturamento::BPFaturamento() = default;
BPFaturamento::~BPFaturamento() = default;

const ClassInfo& BPFaturamento::Info() const { return typelib::BPFaturamento(); }

host::BOSistema& BPFaturamento::Sessao() {
  if (!ObBOSistema()) RaiseRuntime(rt::kObjectNotSet, "ObBOSistema");
  return *ObBOSistema();
}

void BPFaturamento::OnSessionSet() {
  if (!ObBOSistema()) return;
  host::BOSistema& sessao = *ObBOSistema();
  if (!dal_) dal_ = sessao.CriarDALFaturamento();
  if (!cliente_) cliente_ = sessao.CriarCliente();
  if (!conta_) conta_ = sessao.CriarContaAReceber();
  if (!nota_) nota_ = sessao.CriarNotaSaida();
  dal_->SetObDAL(sessao.ObDAL());
  cliente_->SetObBOSistema(ObBOSistema());
  conta_->SetObBOSistema(ObBOSistema());
  nota_->SetObBOSistema(ObBOSistema());
}

bool BPFaturamento::Validar(Tp_EdicaoEnum /*No_TipoEdicao*/) { return true; }

db::Recordset BPFaturamento::CuponsAFaturaRs(int32_t Cd_PessoaUsuaria, DateTime Dt_Faturamento) {
  return Direct(kBPFaturamento, "CuponsAFaturaRs", [&] {
    Sessao();
    return dal_->CuponsAFatura(Cd_PessoaUsuaria, Dt_Faturamento);
  });
}

db::Recordset BPFaturamento::CuponsAFaturaSeletivoRs(int32_t Cd_PessoaUsuaria, int32_t Cd_Pessoa) {
  return Direct(kBPFaturamento, "CuponsAFaturaSeletivoRs", [&] {
    Sessao();
    return dal_->CuponsAFaturaSeletivo(Cd_PessoaUsuaria, Cd_Pessoa);
  });
}

db::Recordset BPFaturamento::NotasFiscaisDoFaturamentoRs(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                                         int32_t final_) {
  return Direct(kBPFaturamento, "NotasFiscaisDoFaturamentoRs", [&] {
    Sessao();
    return dal_->NotasFiscaisDoFaturamento(Cd_PessoaUsuaria, inicial, final_);
  });
}

db::Recordset BPFaturamento::ContaAReceberDoFaturamentoRs(int32_t Cd_PessoaUsuaria, int32_t inicial,
                                                          int32_t final_) {
  return Direct(kBPFaturamento, "ContaAReceberDoFaturamentoRs", [&] {
    Sessao();
    return dal_->ContaAReceberDoFaturamento(Cd_PessoaUsuaria, inicial, final_);
  });
}

void BPFaturamento::CarregarCliente(int32_t Cd_Cliente) {
  cliente_->Limpar();
  cliente_->Registro().Cd_PessoaUsuaria = Sessao().Cd_PessoaUsuaria();
  cliente_->Registro().Cd_Cliente = Cd_Cliente;
  cliente_->Carregar();
}

template <class Etapas>
int32_t BPFaturamento::Executar(const char* proc, Etapas&& etapas) {
  std::optional<host::UnitOfWork> work;
  bool transacao = false;
  try {
    host::BOSistema& sessao = Sessao();
    work.emplace(sessao, host::Origem(kBPFaturamento, proc));
    const int32_t numero = etapas(*work, transacao);
    const bool sucesso = numero != 0;
    if (transacao) {
      if (sucesso) {
        sessao.ObDAL().CommitTrans(proc, work->Marker());
      } else {
        sessao.ObDAL().RollbackTrans(proc, work->Marker());
      }
    }
    work->End();
    return numero;
  } catch (...) {
    CapturaErro("");
    if (transacao) Sessao().ObDAL().RollbackTrans(proc, work->Marker());
    if (work) work->End();
    LancaErro(Segment(kBPFaturamento, proc) + ", ");
  }
}

int32_t BPFaturamento::Faturar(int32_t Cd_Cliente, DateTime Dt_Faturamento, DateTime Dt_Vencimento,
                               uint8_t Tp_ImpNf, int32_t Cd_Funcionario, Money Vl_Debito) {
  return Executar("Faturar", [&](host::UnitOfWork& work, bool& transacao) {
    host::BOSistema& sessao = Sessao();
    CarregarCliente(Cd_Cliente);
    sessao.ObDAL().BeginTrans("Faturar", work.Marker());
    transacao = true;
    const int32_t numero = GerarContaAReceber(Cd_Cliente, Dt_Faturamento, Dt_Vencimento, Tp_ImpNf,
                                              Cd_Funcionario, Vl_Debito);
    if (numero == 0) return 0;
    if (sessao.EmpresaUsuaria().Faturamento().emitir_nf_no_faturamento &&
        DeveraGerarNotaFiscal(Tp_ImpNf, numero) && !GerarNotaFiscalFaturamento(numero)) {
      return 0;
    }
    return numero;
  });
}

int32_t BPFaturamento::FaturamentoSeletivo(
    int32_t Cd_Cliente, const std::vector<host::BOCupomFiscal*>& ColCuponsAFaturar,
    int32_t Cd_Funcionario) {
  return Executar("FaturamentoSeletivo", [&](host::UnitOfWork& work, bool& transacao) {
    host::BOSistema& sessao = Sessao();
    sessao.ObDAL().BeginTrans("FaturamentoSeletivo", work.Marker());
    transacao = true;
    CarregarCliente(Cd_Cliente);
    const int32_t numero =
        GerarContaAReceberSeletivo(Cd_Cliente, ColCuponsAFaturar, Cd_Funcionario);
    if (numero == 0) return 0;
    if (sessao.EmpresaUsuaria().Faturamento().emitir_nf_no_faturamento &&
        cliente_->Registro().Tp_ImpNf == billing::kImpNfNaFatura &&
        !GerarNotaFiscalFaturamento(numero)) {
      return 0;
    }
    return numero;
  });
}

void BPFaturamento::PreencherConta(int32_t Cd_Cliente, DateTime emissao, DateTime vencimento,
                                   int32_t Cd_Funcionario, Money valor) {
  host::BOSistema& sessao = Sessao();
  const host::ConfiguracaoFaturamento empresa = sessao.EmpresaUsuaria().Faturamento();
  const host::RegistroCliente& cliente = cliente_->Registro();
  conta_->Limpar();
  host::RegistroContaAReceber& r = conta_->Registro();
  r.Cd_PessoaUsuaria = sessao.Cd_PessoaUsuaria();
  r.Cd_Cliente = Cd_Cliente;
  r.Cd_Pessoa = cliente.Cd_Pessoa;
  r.Dt_Emissao = emissao;
  r.No_Parcela = billing::kParcela;
  r.Qt_Parcelas = billing::kParcela;
  r.Dt_Vencimento = vencimento;
  r.Dt_VencimentoOriginal = vencimento;
  r.Vl_DespesaCobranca = empresa.valor_padrao_conta_a_receber;
  r.Tp_Documento = billing::kTipoDocumento;
  r.Vl_Debito = valor;
  r.Vl_Desconto = Percentual(valor, cliente.Tx_Desconto);
  r.Vl_Acrescimo = Percentual(valor, cliente.Tx_Acrescimo);
  r.Dt_Cadastro = Env::Current().Now();
  r.Cd_Funcionario = Cd_Funcionario;
  r.Ic_Faturada = true;
  r.Vl_Debito = valor - r.Vl_Desconto + r.Vl_Acrescimo;
  r.Vl_Pagamentos = Money();
  r.Vl_SaldoDebito = r.Vl_Debito;
  for (int tipo = 0; tipo < 3; ++tipo) {
    if (!cliente.Ic_CobrancaTipo[tipo]) continue;
    r.Tp_Cobranca = std::to_string(tipo + 1);
    r.Dt_Cobranca = vencimento.AddDays(empresa.dias_cobranca_tipo[tipo]);
    break;
  }
  r.Dt_Limite = vencimento.AddDays(empresa.dias_segunda_data);
  if (r.Dt_Limite < r.Dt_Cadastro) r.Dt_Limite = Hoje();
  r.Dt_Protesto = cliente.Ic_DataLimiteNoVencimento
                      ? vencimento
                      : vencimento.AddDays(empresa.dias_terceira_data);
}

int32_t BPFaturamento::GerarContaAReceber(int32_t Cd_Cliente, DateTime Dt_Faturamento,
                                          DateTime Dt_Vencimento, uint8_t Tp_ImpNf,
                                          int32_t Cd_Funcionario, Money Vl_Debito) {
  return Direct(kBPFaturamento, "GerarContaAReceber", [&]() -> int32_t {
    const DateTime hoje = Hoje();
    PreencherConta(Cd_Cliente, Dt_Vencimento < hoje ? Dt_Vencimento : hoje, Dt_Vencimento,
                   Cd_Funcionario, Vl_Debito);
    conta_->Incluir();
    host::RegistroContaAReceber& r = conta_->Registro();
    const int32_t empresa = Sessao().Cd_PessoaUsuaria();
    if (!MudarCupomPendenteParaFaturado(empresa, Cd_Cliente, r.Cd_ContaAReceber, Dt_Faturamento,
                                        Dt_Vencimento, Tp_ImpNf, Cd_Funcionario)) {
      return 0;
    }
    const Money soma = BuscarTotalDosCuponsDaConta(empresa, r.Cd_ContaAReceber);
    if (soma == Money()) {
      throw Erro(kErroNegocio, billing::kSemCupons + std::to_string(r.Cd_ContaAReceber));
    }
    if (r.Vl_Debito != soma) {
      r.Vl_Debito = soma;
      conta_->Alterar();
    }
    return r.Cd_ContaAReceber;
  });
}

int32_t BPFaturamento::GerarContaAReceberSeletivo(int32_t Cd_Cliente,
                                                  const std::vector<host::BOCupomFiscal*>& cupons,
                                                  int32_t Cd_Funcionario) {
  return Direct(kBPFaturamento, "GerarContaAReceberSeletivo", [&] {
    Money soma;
    DateTime vencimento;
    DateTime segunda_data;
    for (host::BOCupomFiscal* cupom : cupons) {
      cupom->Carregar();
      const host::RegistroCupomFiscal& r = cupom->Registro();
      soma += r.Vl_TotalLiquido;
      if (r.Dt_Vencimento > vencimento) vencimento = r.Dt_Vencimento;
      if (r.Dt_EfeFechamento > segunda_data) segunda_data = r.Dt_EfeFechamento;
    }
    const DateTime hoje = Hoje();
    if (vencimento < hoje) vencimento = hoje;
    PreencherConta(Cd_Cliente, hoje, vencimento, Cd_Funcionario, soma);
    conta_->Incluir();
    const int32_t numero = conta_->Registro().Cd_ContaAReceber;

    Andamento janela;
    janela.Show();
    const int32_t total = static_cast<int32_t>(cupons.size());
    for (int32_t contador = 0; contador < total; ++contador) {
      if (contador > 0) {
        janela.SetCaption(billing::kTituloAndamento);
        janela.SetAcao(billing::kAcaoAndamento);
        janela.SetMaximo(total);
        janela.SetValor(contador);
        janela.SetPercentual(RotuloAndamento(contador, total));
        janela.DoEvents();
      }
      host::BOCupomFiscal& cupom = *cupons[static_cast<size_t>(contador)];
      if (cupom.Registro().Cd_Cliente != Cd_Cliente) {
        throw Erro(kErroNegocio, billing::kCupomDeOutroCliente);
      }
      cupom.Faturar(numero, hoje, Cd_Funcionario, vencimento, segunda_data);
    }
    janela.Unload();
    return numero;
  });
}

bool BPFaturamento::MudarCupomPendenteParaFaturado(int32_t Cd_PessoaUsuaria, int32_t Cd_Cliente,
                                                   int32_t Cd_ContaAReceber,
                                                   DateTime Dt_Faturamento, DateTime Dt_Vencimento,
                                                   uint8_t /*Tp_ImpNf*/, int32_t Cd_Funcionario) {
  return Direct(kBPFaturamento, "MudarCupomPendenteParaFaturado", [&] {
    return dal_->MudarCupomPendenteParaFaturado(Cd_PessoaUsuaria, Cd_Cliente, Cd_ContaAReceber,
                                                Dt_Faturamento, Dt_Vencimento, Cd_Funcionario);
  });
}

Money BPFaturamento::BuscarTotalDosCuponsDaConta(int32_t Cd_PessoaUsuaria,
                                                 int32_t Cd_ContaAReceber) {
  return Direct(kBPFaturamento, "BuscarTotalDosCuponsDaConta",
                [&] { return dal_->TotalDosCuponsDaConta(Cd_PessoaUsuaria, Cd_ContaAReceber); });
}

namespace classes {
void RegisterBPFaturamento() {
  RegisterClass(typelib::BPFaturamento(), [] { return std::make_unique<BPFaturamento>(); });
}
}  // namespace classes

}  // namespace bp
