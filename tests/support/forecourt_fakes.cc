#include "support/forecourt_fakes.h"

#include <fmt/format.h>

#include "bp/erro.h"

namespace bp::testing {

namespace {

std::string Data(DateTime d) {
  return d.IsEmpty() ? "-" : fmt::format("{:04}-{:02}-{:02}", d.Year(), d.Month(), d.Day());
}

int N(auto e) { return static_cast<int>(e); }

// Each fake logs its session assignment under its own name.
template <class Base>
class FakeNegocio : public Base {
 public:
  FakeNegocio(FakeSessaoForecourt& s, std::string nome) : s_(s), nome_(std::move(nome)) {}
  void SetObBOSistema(host::BOSistemaRef session) override {
    s_.Chamar(nome_ + ".SetObBOSistema");
    Base::SetObBOSistema(std::move(session));
  }

 protected:
  FakeSessaoForecourt& s_;
  std::string nome_;
};

// ... and, when it holds a record, its clearing.
template <class Base>
class Fake : public FakeNegocio<Base> {
 public:
  using FakeNegocio<Base>::FakeNegocio;
  void Limpar() override {
    this->s_.Chamar(this->nome_ + ".Limpar");
    Base::Limpar();
  }
};

class FakeFuncionario final : public Fake<host::BOFuncionario> {
 public:
  using Fake::Fake;
  bool VerificarLogin() override {
    const host::Funcionario& r = Registro();
    s_.Chamar(fmt::format("Funcionario.VerificarLogin {} {} {}", r.Cd_PessoaUsuaria,
                          r.Cd_Funcionario, r.Nm_Senha));
    if (s_.roteiro.login_valido) Registro().Fl_PermitirDesconto = s_.roteiro.fl_permitir_desconto;
    return s_.roteiro.login_valido;
  }
};

class FakeCaixa final : public Fake<host::BOCaixa> {
 public:
  using Fake::Fake;
  void Carregar() override {
    s_.Chamar(fmt::format("Caixa.Carregar {} {}", Registro().Cd_PessoaUsuaria,
                          Registro().Cd_Funcionario));
    Registro().Cd_Caixa = s_.roteiro.cd_caixa;
    Registro().Dt_Abertura = s_.roteiro.dt_abertura;
  }
};

class FakeAbastecimento final : public Fake<host::BOAbastecimento> {
 public:
  using Fake::Fake;
  bool VerificarLiberacaoDinheiroOuCartao(uint8_t bomba, int32_t funcionario,
                                          const std::string& senha, int32_t caixa,
                                          const std::string& veiculo, Money valor,
                                          int32_t hodometro, std::string& resultado) override {
    s_.Chamar(fmt::format("Abastecimento.DinheiroOuCartao {} {} {} {} '{}' {} {}", bomba,
                          funcionario, senha, caixa, veiculo, valor.ToSql(), hodometro));
    resultado = s_.roteiro.ds_resultado;
    return s_.roteiro.dinheiro_ou_cartao;
  }
  bool VerificarLiberacaoVendaCredito(uint8_t bomba, int32_t funcionario,
                                      const std::string& senha, int32_t caixa,
                                      const std::string& veiculo, Money valor, int32_t hodometro,
                                      std::string& resultado) override {
    s_.Chamar(fmt::format("Abastecimento.Credito {} {} {} {} {} '{}' {} {}",
                          Registro().Cd_PessoaUsuaria, bomba, funcionario, senha, caixa, veiculo,
                          valor.ToSql(), hodometro));
    resultado = s_.roteiro.ds_resultado;
    return s_.roteiro.credito;
  }
  bool GravarResponsabilidade(uint8_t bomba, int32_t caixa, const std::string& veiculo,
                              const std::string& cmc7, TipoPagamentoEnum pagamento,
                              host::TipoVencimentoEnum vencimento, bool baixa, Money valor,
                              Money desconto, int32_t hodometro) override {
    s_.Chamar(fmt::format("Abastecimento.GravarResponsabilidade {} {} '{}' '{}' {} {} {} {} {} {}",
                          bomba, caixa, veiculo, cmc7, N(pagamento), N(vencimento), baixa,
                          valor.ToSql(), desconto.ToSql(), hodometro));
    return s_.roteiro.gravar;
  }
};

class FakeCheque final : public Fake<host::BOCheque> {
 public:
  using Fake::Fake;
  bool Ic_ConsultaArmazenada() override {
    s_.Chamar("Cheque.Ic_ConsultaArmazenada");
    return s_.roteiro.consulta_armazenada;
  }
  void Consultar(host::BOSistemaRef& session, OrdemObjetoConsultaCheque& ordem) override {
    const host::Cheque& r = Registro();
    s_.Chamar(fmt::format("Cheque.Consultar {} {} {} '{}' {} {} {} {}", N(ordem),
                          session.get() == &s_ ? "sessao" : "outra", r.Cd_Cmc7, r.Cd_CpfCnpj,
                          N(r.Tp_Pessoa), r.Vl_Cheque.ToSql(), Data(r.Dt_Deposito),
                          N(r.Tp_Operacao)));
    Registro().Ic_Aprovado = s_.roteiro.cheque_aprovado;
    Registro().Ds_Resultado = s_.roteiro.ds_consulta;
  }
  void Carregar(bool& encontrado, std::string&) override {
    s_.Chamar("Cheque.Carregar");
    encontrado = true;
    Registro().Ic_Aprovado = s_.roteiro.cheque_armazenado_aprovado;
    Registro().Ds_Resultado = "Consulta armazenada";
  }
  void Gravar() override { s_.Chamar(fmt::format("Cheque.Gravar {}", Registro().Ic_Consultado)); }
  void Atualizar(std::string&) override {
    s_.Chamar(fmt::format("Cheque.Atualizar {}", Registro().Ic_Consultado));
  }
};

class FakeLog final : public Fake<host::BOLogLiberacaoBico> {
 public:
  using Fake::Fake;
  void Incluir() override {
    const host::LogLiberacaoBico& r = Registro();
    s_.Chamar(fmt::format("LogLiberacaoBico.Incluir {} {} {} '{}' {} {:02}:{:02} {} {} {} {} {}",
                          r.Cd_PessoaUsuaria, r.Cd_Bomba, r.Cd_Caixa, r.Cd_Veiculo,
                          Data(r.Dt_Liberacao), r.Dt_Liberacao.Hour(), r.Dt_Liberacao.Minute(),
                          r.Ic_BaixaAutomatica, r.Cd_Funcionario, r.No_TipoPagamento,
                          r.No_TipoVencimento, r.No_TipoHardware));
  }
};

}  // namespace

void FakeSessaoForecourt::Chamar(const std::string& entrada) {
  log.push_back(entrada);
  const std::string nome = entrada.substr(0, entrada.find(' '));
  auto it = roteiro.falhas.find(nome);
  if (it == roteiro.falhas.end() || it->second.empty()) return;
  const int32_t numero = it->second.front();
  it->second.erase(it->second.begin());
  throw RuntimeErro(numero);
}

host::BOEmpresaUsuaria& FakeSessaoForecourt::EmpresaUsuaria() {
  RaiseRuntime(rt::kObjectNotSet, "EmpresaUsuaria");
}

host::DataAccess& FakeSessaoForecourt::ObDAL() { RaiseRuntime(rt::kObjectNotSet, "ObDAL"); }

void FakeSessaoForecourt::BeginWork(const std::string& origin, bool& marker) {
  Chamar("BeginWork " + origin);
  marker = true;
}

void FakeSessaoForecourt::EndWork(const std::string& origin, bool) { Chamar("EndWork " + origin); }

std::unique_ptr<host::BOFuncionario> FakeSessaoForecourt::CriarFuncionario() {
  return std::make_unique<FakeFuncionario>(*this, "Funcionario");
}
std::unique_ptr<host::BOCaixa> FakeSessaoForecourt::CriarCaixa() {
  return std::make_unique<FakeCaixa>(*this, "Caixa");
}
std::unique_ptr<host::BOAbastecimento> FakeSessaoForecourt::CriarAbastecimento() {
  Chamar("CriarAbastecimento");
  return std::make_unique<FakeAbastecimento>(*this, "Abastecimento");
}
std::unique_ptr<host::BOCheque> FakeSessaoForecourt::CriarCheque() {
  return std::make_unique<FakeCheque>(*this, "Cheque");
}
std::unique_ptr<host::BOLogLiberacaoBico> FakeSessaoForecourt::CriarLogLiberacaoBico() {
  Chamar("CriarLogLiberacaoBico");
  return std::make_unique<FakeLog>(*this, "LogLiberacaoBico");
}
std::unique_ptr<host::BOBomba> FakeSessaoForecourt::CriarBomba() {
  return std::make_unique<FakeNegocio<host::BOBomba>>(*this, "Bomba");
}

}  // namespace bp::testing
