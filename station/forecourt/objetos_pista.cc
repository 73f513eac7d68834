#include "station/forecourt/objetos_pista.h"

#include "bp/env.h"
#include "bp/erro.h"
#include "bp/host/data_access.h"
#include "bp/value.h"
#include "station/forecourt/cheque.h"
#include "station/forecourt/regras_pista.h"
#include "station/forecourt/senha.h"
#include "station/forecourt/textos_pista.h"

namespace station {
namespace {

const bp::host::BOSistemaRef& Sessao(const bp::host::BONegocio& bo, const char* classe) {
  if (!bo.ObBOSistema()) bp::RaiseRuntime(bp::rt::kObjectNotSet, classe);
  return bo.ObBOSistema();
}

bp::db::Connection& Conexao(const bp::host::BONegocio& bo, const char* classe) {
  return Sessao(bo, classe)->ObDAL().Conexao();
}

bp::DateTime Agora() { return bp::Env::Current().Now(); }

ConsultaDeCheque ParaConsulta(const bp::host::Cheque& r) {
  ConsultaDeCheque k;
  k.cd_cmc7 = r.Cd_Cmc7;
  k.no_tipo_pessoa = static_cast<uint8_t>(r.Tp_Pessoa);
  k.cd_cpf_cnpj = r.Cd_CpfCnpj;
  k.vl_cheque = r.Vl_Cheque;
  k.dt_deposito = r.Dt_Deposito;
  k.tp_operacao = static_cast<uint8_t>(r.Tp_Operacao);
  k.ds_resultado = r.Ds_Resultado;
  k.ic_consultado = r.Ic_Consultado;
  k.ic_aprovado = r.Ic_Aprovado;
  return k;
}

void DaConsulta(const ConsultaDeCheque& k, bp::host::Cheque& r) {
  r.Tp_Pessoa = static_cast<bp::Tp_PessoaEnum>(k.no_tipo_pessoa);
  r.Cd_CpfCnpj = k.cd_cpf_cnpj;
  r.Vl_Cheque = k.vl_cheque;
  r.Dt_Deposito = k.dt_deposito;
  if (k.tp_operacao != 0) r.Tp_Operacao = static_cast<bp::Tp_OperacaoEnum>(k.tp_operacao);
  r.Ds_Resultado = k.ds_resultado;
  r.Ic_Consultado = k.ic_consultado;
  r.Ic_Aprovado = k.ic_aprovado;
}

}  // namespace

bool BOFuncionario::VerificarLogin() {
  bp::db::Connection& c = Conexao(*this, "BOFuncionario");
  bp::host::Funcionario& r = Registro();
  r.Fl_PermitirDesconto = 0;
  if (!ConferirLogin(c, r.Cd_PessoaUsuaria, r.Cd_Funcionario, r.Nm_Senha, Agora())) return false;
  const bp::db::Recordset rs = c.Query(
      "SELECT Fl_DescontoAbastecimento FROM Usuario WHERE Cd_PessoaUsuaria = ? "
      "AND Cd_Funcionario = ? AND Fl_DescontoAbastecimento = ?",
      {bp::Value(r.Cd_PessoaUsuaria), bp::Value(r.Cd_Funcionario), bp::Value("1")});
  if (!rs.Eof()) r.Fl_PermitirDesconto = static_cast<int32_t>(bp::Fl_OpcaoSenhaEnum::Fl_OpcaoPermitida);
  return true;
}

void BOCaixa::Carregar() {
  bp::host::Caixa& r = Registro();
  const CaixaDoFuncionario k =
      CarregarCaixa(Conexao(*this, "BOCaixa"), r.Cd_PessoaUsuaria, r.Cd_Funcionario);
  r.Cd_Caixa = k.cd_caixa;
  r.Dt_Abertura = k.dt_abertura;
}

namespace {

PedidoLiberacao Pedido(uint8_t Cd_Bomba, int32_t Cd_Funcionario, const std::string& Nm_Senha,
                       int32_t Cd_Caixa, const std::string& Cd_Veiculo, bp::Money Vl_Abastecimento,
                       int32_t No_Hodometro) {
  return {Cd_Bomba, Cd_Funcionario, Nm_Senha, Cd_Caixa, Cd_Veiculo, Vl_Abastecimento, No_Hodometro};
}

}  // namespace

bool BOAbastecimento::VerificarLiberacaoDinheiroOuCartao(
    uint8_t Cd_Bomba, int32_t Cd_Funcionario, const std::string& Nm_Senha, int32_t Cd_Caixa,
    const std::string& Cd_Veiculo, bp::Money Vl_Abastecimento, int32_t No_Hodometro,
    std::string& Ds_Resultado) {
  const bp::host::BOSistemaRef& s = Sessao(*this, "BOAbastecimento");
  const Veredito v = VerificarDinheiroOuCartao(
      s->ObDAL().Conexao(), s->Cd_PessoaUsuaria(),
      Pedido(Cd_Bomba, Cd_Funcionario, Nm_Senha, Cd_Caixa, Cd_Veiculo, Vl_Abastecimento, No_Hodometro),
      Agora());
  Ds_Resultado = v.motivo;
  return v.liberado;
}

bool BOAbastecimento::VerificarLiberacaoVendaCredito(
    uint8_t Cd_Bomba, int32_t Cd_Funcionario, const std::string& Nm_Senha, int32_t Cd_Caixa,
    const std::string& Cd_Veiculo, bp::Money Vl_Abastecimento, int32_t No_Hodometro,
    std::string& Ds_Resultado) {
  const bp::host::BOSistemaRef& s = Sessao(*this, "BOAbastecimento");
  const int32_t empresa =
      Registro().Cd_PessoaUsuaria != 0 ? Registro().Cd_PessoaUsuaria : s->Cd_PessoaUsuaria();
  const Veredito v = VerificarVendaCredito(
      s->ObDAL().Conexao(), empresa,
      Pedido(Cd_Bomba, Cd_Funcionario, Nm_Senha, Cd_Caixa, Cd_Veiculo, Vl_Abastecimento, No_Hodometro),
      Agora());
  Ds_Resultado = v.motivo;
  return v.liberado;
}

bool BOAbastecimento::GravarResponsabilidade(
    uint8_t Cd_Bomba, int32_t Cd_Caixa, const std::string& Cd_Veiculo, const std::string& Cd_Cmc7,
    bp::TipoPagamentoEnum No_TipoPagamento, bp::host::TipoVencimentoEnum No_TipoVencimento,
    bool Ic_BaixaAutomatica, bp::Money Vl_Abastecimento, bp::Money Tx_DescontoAbastecimento,
    int32_t No_Hodometro) {
  const bp::host::BOSistemaRef& s = Sessao(*this, "BOAbastecimento");
  Responsabilidade r;
  r.cd_bomba = Cd_Bomba;
  r.cd_caixa = Cd_Caixa;
  r.cd_veiculo = Cd_Veiculo;
  r.cd_cmc7 = Cd_Cmc7;
  r.no_tipo_pagamento = static_cast<uint8_t>(No_TipoPagamento);
  r.no_tipo_vencimento = static_cast<uint8_t>(No_TipoVencimento);
  r.ic_baixa_automatica = Ic_BaixaAutomatica;
  r.vl_abastecimento = Vl_Abastecimento;
  r.tx_desconto_abastecimento = Tx_DescontoAbastecimento;
  r.no_hodometro = No_Hodometro;
  const Veredito v =
      station::GravarResponsabilidade(s->ObDAL().Conexao(), s->Cd_PessoaUsuaria(), r, Agora());
  motivo_ = v.liberado ? std::string() : v.motivo;
  return v.liberado;
}

bool BOCheque::Ic_ConsultaArmazenada() {
  return ConsultaGuardada(Conexao(*this, "BOCheque"), Registro().Cd_Cmc7);
}

void BOCheque::Consultar(bp::host::BOSistemaRef& ObBOSistema, bp::OrdemObjetoConsultaCheque& Ordem) {
  if (!ObBOSistema) bp::RaiseRuntime(bp::rt::kObjectNotSet, "BOCheque");
  ConsultaDeCheque k = ParaConsulta(Registro());
  ConsultarCheque(ObBOSistema->ObDAL().Conexao(), ObBOSistema->Cd_PessoaUsuaria(),
                  Ordem == bp::OrdemObjetoConsultaCheque::ObjetoSecundario ? OrdemConsulta::kSecundaria
                                                                           : OrdemConsulta::kPrimaria,
                  k, Agora());
  restricoes_ = k.ic_liberado_com_restricoes;
  DaConsulta(k, Registro());
}

void BOCheque::Carregar(bool& Ic_Encontrado, std::string& Ds_Mensagem) {
  const bp::host::BOSistemaRef& s = Sessao(*this, "BOCheque");
  ConsultaDeCheque k = ParaConsulta(Registro());
  Ic_Encontrado = CarregarConsulta(s->ObDAL().Conexao(), s->Cd_PessoaUsuaria(), k);
  if (Ic_Encontrado) {
    restricoes_ = k.ic_liberado_com_restricoes;
    DaConsulta(k, Registro());
  }
  Ds_Mensagem = Ic_Encontrado ? std::string() : textos::kConsultaNaoEncontrada;
}

void BOCheque::Gravar() {
  const bp::host::BOSistemaRef& s = Sessao(*this, "BOCheque");
  ConsultaDeCheque k = ParaConsulta(Registro());
  k.ic_liberado_com_restricoes = restricoes_;
  GuardarConsulta(s->ObDAL().Conexao(), s->Cd_PessoaUsuaria(), k, Agora());
}

void BOCheque::Atualizar(std::string& Ds_Mensagem) {
  ConsultaDeCheque k = ParaConsulta(Registro());
  k.ic_liberado_com_restricoes = restricoes_;
  AtualizarConsulta(Conexao(*this, "BOCheque"), k, Agora());
  Ds_Mensagem.clear();
}

void BOLogLiberacaoBico::Incluir() {
  bp::host::LogLiberacaoBico& r = Registro();
  EntradaLogLiberacao e;
  e.cd_pessoa_usuaria = r.Cd_PessoaUsuaria;
  e.cd_bomba = r.Cd_Bomba;
  e.cd_caixa = r.Cd_Caixa;
  e.cd_veiculo = r.Cd_Veiculo;
  e.dt_liberacao = r.Dt_Liberacao;
  e.ic_baixa_automatica = r.Ic_BaixaAutomatica;
  e.cd_funcionario = r.Cd_Funcionario;
  e.no_tipo_pagamento = r.No_TipoPagamento;
  e.no_tipo_vencimento = r.No_TipoVencimento;
  e.no_tipo_hardware = r.No_TipoHardware;
  r.No_Liberacao = InserirLogLiberacao(Conexao(*this, "BOLogLiberacaoBico"), e);
}

}  // namespace station
