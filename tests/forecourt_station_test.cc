// The nozzle-release rules, over fakes of the host and then over the demo
// station's own forecourt objects.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bp/bp_liberar_bico.h"
#include "bp/erro.h"
#include "bp/host/bo_sistema.h"
#include "bp/registry.h"
#include "station/forecourt/cheque.h"
#include "station/forecourt/objetos_pista.h"
#include "station/forecourt/regras_pista.h"
#include "station/forecourt/senha.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/estacao_demo.h"
#include "support/forecourt_fakes.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

using Strings = std::vector<std::string>;
using TP = TipoPagamentoEnum;

struct MtRegras : ::testing::Test {
  TestEnv env;
  std::shared_ptr<FakeSessaoForecourt> sessao = std::make_shared<FakeSessaoForecourt>();
  std::unique_ptr<BPLiberarBico> regras = CreateObject<BPLiberarBico>("BP.BPLiberarBico");

  MtRegras() {
    regras->setBOSistema(sessao);
    sessao->log.clear();
  }

  bool Verificar(TP tipo, std::string& resultado, const std::string& cmc7 = "",
                 const std::string& documento = "", Money valor = Money::FromInt(50)) {
    return regras->BicoPodeSerLiberado(12, "1234", tipo, "ABC1234", cmc7, documento,
                                       DateTime::Of(2026, 12, 20), 3, true, valor, 900, resultado);
  }
  Strings Cheque() const { return sessao->Calls({"Cheque.", "Abastecimento.Din"}); }
};

TEST_F(MtRegras, SessionReachesTheFiveHelpersTwice) {
  regras->setBOSistema(sessao);
  EXPECT_EQ(sessao->Calls({"Funcionario.Set", "Bomba.Set", "Abastecimento.Set", "Caixa.Set",
                           "Cheque.Set"})
                .size(),
            10u);
}

TEST_F(MtRegras, CheckByMeansOfPaymentAfterLoadingTheCashRegister) {
  for (TP tipo : {TP::PagamentoIndefinido, static_cast<TP>(5)}) {
    sessao->log.clear();
    std::string resultado = "como veio";
    EXPECT_FALSE(Verificar(tipo, resultado));
    EXPECT_EQ(resultado, "como veio");
    EXPECT_EQ(sessao->log, (Strings{"BeginWork BPLiberarBico.BicoPodeSerLiberado",
                                    "Caixa.Carregar 1 12",
                                    "EndWork BPLiberarBico.BicoPodeSerLiberado"}));
  }
  sessao->roteiro.dinheiro_ou_cartao = false;
  sessao->roteiro.ds_resultado = "Bico bloqueado";
  for (TP tipo : {TP::PagamentoDinheiro, TP::PagamentoCartao}) {
    std::string resultado;
    EXPECT_FALSE(Verificar(tipo, resultado));
    EXPECT_EQ(resultado, "Bico bloqueado");
  }
  std::string resultado;
  EXPECT_TRUE(Verificar(TP::PagamentoCredito, resultado));
  EXPECT_EQ(sessao->Calls({"Abastecimento.Din", "Abastecimento.Cred"}),
            (Strings{"Abastecimento.DinheiroOuCartao 3 12 1234 77 'ABC1234' 50 900",
                     "Abastecimento.DinheiroOuCartao 3 12 1234 77 'ABC1234' 50 900",
                     "Abastecimento.Credito 1 3 12 1234 77 'ABC1234' 50 900"}));
}

TEST_F(MtRegras, ChequeWithABlankCodeLineOrNeitherCpfNorCnpj) {
  std::string resultado;
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "  ", "12345678901"));
  EXPECT_EQ(Cheque(), (Strings{"Abastecimento.DinheiroOuCartao 3 12 1234 77 'ABC1234' 50 900"}));

  // Neither a CPF nor a CNPJ: no person kind and no document are consulted.
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C3", "123456789012"));
  EXPECT_EQ(resultado, "Cheque aprovado");
  EXPECT_EQ(sessao->Calls({"Cheque.Consultar"}),
            Strings{"Cheque.Consultar 1 sessao C3 '' 0 50 2026-12-20 1"});
  EXPECT_EQ(sessao->Calls({"Cheque.Gravar"}), Strings{"Cheque.Gravar true"});
}

TEST_F(MtRegras, CashCheckRefusalRefusesTheChequeSaleWithoutConsulting) {
  sessao->roteiro.dinheiro_ou_cartao = false;
  sessao->roteiro.ds_resultado = "Caixa fechado";
  std::string resultado;
  EXPECT_FALSE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(resultado, "Caixa fechado");
  EXPECT_TRUE(sessao->Calls({"Cheque.Consultar"}).empty());
}

TEST_F(MtRegras, StoredConsultationIsAskedAgainOnlyWhenNotApproved) {
  sessao->roteiro.consulta_armazenada = true;
  std::string resultado;
  sessao->roteiro.cheque_aprovado = false;
  sessao->roteiro.ds_consulta = "Cheque sem fundos";
  EXPECT_FALSE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(resultado, "Cheque sem fundos");
  sessao->roteiro.cheque_armazenado_aprovado = true;
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(resultado, "Consulta armazenada");
  EXPECT_EQ(sessao->Calls({"Cheque.I", "Cheque.Con", "Cheque.Car", "Cheque.At", "Cheque.G",
                           "BeginWork BPLiberarBico.BicoPodeSerLiberadoVendaCheque"}),
            (Strings{"Cheque.Ic_ConsultaArmazenada",
                     "BeginWork BPLiberarBico.BicoPodeSerLiberadoVendaCheque", "Cheque.Carregar",
                     "Cheque.Consultar 1 sessao C1 '123.456.789-01' 1 50 2026-12-20 1",
                     "Cheque.Atualizar true", "Cheque.Ic_ConsultaArmazenada",
                     "BeginWork BPLiberarBico.BicoPodeSerLiberadoVendaCheque",
                     "Cheque.Carregar"}));
}

TEST_F(MtRegras, FailedConsultationRetriesPrimaryThenSecondary) {
  sessao->roteiro.falhas["Cheque.Consultar"] = {5, 5};
  std::string resultado;
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  Strings ordens;
  for (const std::string& c : sessao->Calls({"Cheque.Consultar"})) ordens.push_back(c.substr(17, 1));
  EXPECT_EQ(ordens, (Strings{"1", "1", "2"}));

  sessao->log.clear();
  sessao->roteiro.falhas["Cheque.Consultar"] = {5, 5, 5};
  const Erro e =
      testing::FailureOf([&] { Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"); });
  EXPECT_EQ(e.number, 5);
  EXPECT_TRUE(
      e.source.ends_with(" -> BPLiberarBico.BicoPodeSerLiberadoVendaCheque, "
                         " -> BPLiberarBico.BicoPodeSerLiberado, "))
      << e.source;
  EXPECT_EQ(sessao->Calls({"Cheque.Consultar"}).size(), 3u);

  // Before the consultation the counter starts at 0: three retries.
  sessao->log.clear();
  sessao->roteiro.falhas["Abastecimento.DinheiroOuCartao"] = {5, 5, 5};
  EXPECT_TRUE(Verificar(TP::PagamentoCheque, resultado, "C1", "12345678901"));
  EXPECT_EQ(sessao->Calls({"Abastecimento.Din"}).size(), 4u);
  EXPECT_EQ(sessao->Calls({"Cheque.Consultar 1"}).size(), 1u);
}

TEST_F(MtRegras, ReleaseLogIsWrittenWhateverTheRecordingReturned) {
  for (bool gravar : {false, true}) {
    sessao->log.clear();
    sessao->roteiro.gravar = gravar;
    env.now = DateTime::Of(2026, 12, 5, 14, 30);
    std::string resultado = "intacto";
    EXPECT_EQ(regras->GravarResponsabilidade(
                  77, 3, 12, "1234", "ABC1234", "C1", TP::PagamentoCheque,
                  host::TipoVencimentoEnum::TipoVencimentoAPrazo, false, Money::FromInt(50),
                  Money(), 900, resultado, host::TipoHardwareEnum::TipoHardwareMicroTerminal),
              gravar);
    EXPECT_EQ(resultado, "intacto");
    EXPECT_EQ(sessao->Calls({"Abastecimento.G", "LogLiberacaoBico.I", "BeginWork", "EndWork"}),
              (Strings{"Abastecimento.GravarResponsabilidade 3 77 'ABC1234' 'C1' 2 2 false 50 0 900",
                       "BeginWork BPLiberarBico.GravarResponsabilidade",
                       "LogLiberacaoBico.Incluir 1 3 77 'ABC1234' 2026-12-05 14:30 false 12 2 2 2",
                       "EndWork BPLiberarBico.GravarResponsabilidade"}));
  }
}

}  // namespace
}  // namespace bp::testing

namespace {

using bp::Money;
using bp::Value;
using D = station::EstacaoDemo;
using Pagamento = bp::TipoPagamentoEnum;

// Another cheque of the account of kCmc7Bom (number 000124 instead of 000123).
constexpr const char* kOutroChequeDaConta = "237045670180001245300001234569";
constexpr const char* kCpfErrado = "12345678900";
constexpr const char* kCpfCerto = "12345678909";

class PistaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string nome = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    sessao_ = std::make_shared<station::Sessao>(
        station::Configuracao(bp::testing::CopyDemoStation(nome)));
    env_.now = bp::testing::DemoStationNow();
    regras_.SetObBOSistema(sessao_);
  }
  bp::db::Connection& C() { return sessao_->Dal().Conexao(); }
  Value Um(const std::string& sql) { return bp::testing::Escalar(C(), sql); }
  template <class T>
  std::unique_ptr<T> Objeto(std::unique_ptr<T> bo) {
    bo->SetObBOSistema(sessao_);
    return bo;
  }
  // The cash register employee 1 has open.
  int32_t CaixaDoUm() {
    return station::CarregarCaixa(C(), D::kEmpresa, D::kFuncionarioComDesconto).cd_caixa;
  }
  station::PedidoLiberacao Pedido(uint8_t bico) {
    return {bico, D::kFuncionarioComDesconto, D::kSenhaComDesconto, CaixaDoUm(), "", Money(), 0};
  }
  // BPLiberarBico's verdict on a release of nozzle 2 by employee 1.
  bool Pode(Pagamento pagamento, const std::string& cmc7, const std::string& cpf, Money valor,
            std::string& resultado) {
    resultado.clear();
    return regras_.BicoPodeSerLiberado(D::kFuncionarioComDesconto, D::kSenhaComDesconto, pagamento,
                                       "", cmc7, cpf, bp::DateTime(), 2, true, valor, 0,
                                       resultado);
  }
  // BPLiberarBico recording that release.
  bool Gravar(Pagamento pagamento, const std::string& cmc7, Money valor, Money desconto) {
    std::string resultado;
    return regras_.GravarResponsabilidade(
        CaixaDoUm(), 2, D::kFuncionarioComDesconto, D::kSenhaComDesconto, "", cmc7, pagamento,
        bp::host::TipoVencimentoEnum::TipoVencimentoAVista, true, valor, desconto, 0, resultado,
        bp::host::TipoHardwareEnum::TipoHardwareMicroTerminal);
  }
  int32_t Abastecimentos() { return Um("SELECT COUNT(*) FROM Abastecimento").ToInt32(); }

  bp::testing::TestEnv env_;
  std::shared_ptr<station::Sessao> sessao_;
  bp::BPLiberarBico regras_;
};

TEST(SenhaTest, HashesAreSaltedBoundedAndOnlyMatchTheirPassword) {
  const std::string a = station::CifrarSenha("1234");
  const std::string b = station::CifrarSenha("1234");
  EXPECT_NE(a, b);
  EXPECT_LE(a.size(), 64u);
  EXPECT_TRUE(station::SenhaConfere("1234", a));
  EXPECT_FALSE(station::SenhaConfere("1235", a));
  EXPECT_FALSE(station::SenhaConfere("", a));
  // Anything but a well-formed hash never matches, not even the password
  // itself kept in clear.
  for (const std::string& ruim : std::vector<std::string>{"1234", "", "100$$", "0$AAAAAAAAAAAAAAAA$" + a.substr(21),
                                 a.substr(0, a.size() - 1), "x" + a}) {
    EXPECT_FALSE(station::SenhaConfere("1234", ruim)) << ruim;
  }
  // The same salt and iterations give the same hash.
  const std::vector<uint8_t> sal(12, 7);
  EXPECT_EQ(station::CifrarSenha("x", sal, 1000), station::CifrarSenha("x", sal, 1000));
  EXPECT_THROW(station::CifrarSenha("x", sal, 1500), bp::Erro);
}

TEST(SenhaTest, DocumentsAndCodeLines) {
  EXPECT_TRUE(station::DocumentoValido("123.456.789-09"));
  EXPECT_TRUE(station::DocumentoValido("11222333000181"));
  EXPECT_FALSE(station::DocumentoValido("12345678900"));
  EXPECT_FALSE(station::DocumentoValido("11111111111"));
  EXPECT_FALSE(station::DocumentoValido("1122233300018"));
  const auto k = station::LerCmc7("<23704567<0180001235>300001234569:");
  ASSERT_TRUE(k);
  EXPECT_EQ(k->banco, 237);
  EXPECT_EQ(k->agencia, 456);
  EXPECT_EQ(k->conta, 123456);
  EXPECT_EQ(k->numero, "000123");
  EXPECT_FALSE(station::LerCmc7("23704567018000123530000123456"));
  EXPECT_FALSE(station::LerCmc7("237045670180001235399999999999"));  // account too large
}

TEST_F(PistaTest, LoginChecksHashedPasswordsOfActiveEmployees) {
  EXPECT_EQ(Um("SELECT COUNT(*) FROM Funcionario WHERE Nm_Senha IS NOT NULL").ToInt32(), 0);
  auto f = Objeto(sessao_->CriarFuncionario());
  auto login = [&](int32_t codigo, const std::string& senha) {
    f->Limpar();
    f->Registro().Cd_PessoaUsuaria = D::kEmpresa;
    f->Registro().Cd_Funcionario = codigo;
    f->Registro().Nm_Senha = senha;
    return f->VerificarLogin();
  };
  EXPECT_TRUE(login(1, "1234"));
  EXPECT_EQ(f->Registro().Fl_PermitirDesconto, 1);
  EXPECT_TRUE(login(2, "4321"));
  EXPECT_EQ(f->Registro().Fl_PermitirDesconto, 0);
  EXPECT_FALSE(login(1, "4321"));
  EXPECT_FALSE(login(3, "1234"));
  EXPECT_FALSE(login(0, ""));

  // Dismissed today, or a user marked inactive: refused.
  C().Execute("UPDATE Funcionario SET Dt_Demissao = ? WHERE Cd_Funcionario = 2",
              {Value(env_.now.DatePart())});
  EXPECT_FALSE(login(2, "4321"));
  C().Execute("UPDATE Usuario SET Ic_Ativo = ? WHERE Cd_Funcionario = 1", {Value(false)});
  EXPECT_FALSE(login(1, "1234"));

  // A password left in clear by an older program is moved into a hash.
  C().Execute("UPDATE Funcionario SET Nm_Senha = '777', Dt_Demissao = NULL WHERE Cd_Funcionario = 2");
  EXPECT_FALSE(login(2, "777"));
  EXPECT_EQ(station::MigrarSenhasEmClaro(C(), D::kEmpresa), 1);
  EXPECT_TRUE(login(2, "777"));
  EXPECT_TRUE(Um("SELECT Nm_Senha FROM Funcionario WHERE Cd_Funcionario = 2").IsNull());
}

TEST_F(PistaTest, CashRegisterLoadGivesTheOpenOneOrTheLastOne) {
  auto caixa = Objeto(sessao_->CriarCaixa());
  auto carregar = [&](int32_t funcionario) {
    caixa->Limpar();
    caixa->Registro().Cd_PessoaUsuaria = D::kEmpresa;
    caixa->Registro().Cd_Funcionario = funcionario;
    caixa->Carregar();
    return caixa->Registro();
  };
  const bp::host::Caixa um = carregar(1);
  EXPECT_GT(um.Cd_Caixa, 0);
  EXPECT_EQ(um.Dt_Abertura, bp::DateTime::Of(2026, 12, 5, 6, 0, 0));
  EXPECT_EQ(carregar(2).Dt_Abertura, bp::DateTime::Of(2026, 12, 4, 14, 0, 0));
  EXPECT_EQ(carregar(999).Cd_Caixa, 0);
  EXPECT_TRUE(carregar(999).Dt_Abertura.IsEmpty());

  // Closed: still the last one, and the check refuses it.
  C().Execute("UPDATE Caixa SET Ic_Fechado = ? WHERE Cd_Caixa = ?", {Value(true), Value(um.Cd_Caixa)});
  EXPECT_EQ(carregar(1).Cd_Caixa, um.Cd_Caixa);
  const station::Veredito v = station::VerificarDinheiroOuCartao(C(), D::kEmpresa, Pedido(1), env_.now);
  EXPECT_FALSE(v.liberado);
  EXPECT_EQ(v.motivo, "Caixa fechado");
}

TEST_F(PistaTest, CashOrCardCheck) {
  auto a = Objeto(sessao_->CriarAbastecimento());
  auto verificar = [&](station::PedidoLiberacao p) {
    std::string ds = "antes";
    const bool ok = a->VerificarLiberacaoDinheiroOuCartao(p.cd_bomba, p.cd_funcionario, p.nm_senha,
                                                          p.cd_caixa, p.cd_veiculo,
                                                          p.vl_abastecimento, p.no_hodometro, ds);
    return std::make_pair(ok, ds);
  };
  EXPECT_EQ(verificar(Pedido(1)), std::make_pair(true, std::string("Liberado")));
  EXPECT_EQ(verificar(Pedido(9)), std::make_pair(false, std::string("Bico nao cadastrado")));
  station::PedidoLiberacao p = Pedido(1);
  p.nm_senha = "4321";
  EXPECT_EQ(verificar(p).second, "Usuario ou senha invalido");
  p = Pedido(1);
  p.cd_caixa = 0;
  EXPECT_EQ(verificar(p).second, "Funcionario sem caixa aberto");
  p.cd_caixa = station::CarregarCaixa(C(), D::kEmpresa, 2).cd_caixa;
  EXPECT_EQ(verificar(p).second, "Caixa de outro funcionario");
  C().Execute("UPDATE Bomba SET Ic_Ativo = ? WHERE Cd_Bomba = 3", {Value(false)});
  EXPECT_EQ(verificar(Pedido(3)).second, "Bico inativo");
}

TEST_F(PistaTest, CreditCheck) {
  auto credito = [&](const std::string& placa, int32_t hodometro, uint8_t bico = 1) {
    station::PedidoLiberacao p = Pedido(bico);
    p.cd_veiculo = placa;
    p.no_hodometro = hodometro;
    return station::VerificarVendaCredito(C(), D::kEmpresa, p, env_.now).motivo;
  };
  EXPECT_EQ(credito("ABC1234", 45300), "Venda a prazo liberada");
  EXPECT_EQ(credito(" abc1234 ", 45210), "Venda a prazo liberada");
  EXPECT_EQ(credito("ABC1234", 45300, 8), "Bico bloqueado");
  EXPECT_EQ(credito("ABC1234", 0), "Informe o hodometro");
  EXPECT_EQ(credito("ABC1234", 45000), "Hodometro menor que o ultimo");
  EXPECT_EQ(credito("XYZ9876", 99000), "Cliente com restricao de venda");
  EXPECT_EQ(credito("", 0), "Informe a placa");
  EXPECT_EQ(credito("QQQ0000", 0), "Veiculo nao cadastrado");
  // The restriction is per product: a product not listed may be sold.
  C().Execute("DELETE FROM RestricaoDeVenda WHERE Cd_Cliente = 101 AND Cd_Produto = 1");
  EXPECT_EQ(credito("XYZ9876", 0), "Venda a prazo liberada");
  C().Execute("UPDATE Cliente SET Ic_Bloqueado = ? WHERE Cd_Cliente = 100", {Value(true)});
  EXPECT_EQ(credito("ABC1234", 45300), "Cliente bloqueado");
}

TEST_F(PistaTest, ChequeConsultationAndItsStoredPath) {
  auto cheque = Objeto(sessao_->CriarCheque());
  bp::host::BOSistemaRef s = sessao_;
  auto consultar = [&](const std::string& cmc7, const std::string& doc, bp::DateTime deposito,
                       bp::OrdemObjetoConsultaCheque ordem) {
    cheque->Limpar();
    cheque->Registro().Cd_Cmc7 = cmc7;
    cheque->Registro().Cd_CpfCnpj = doc;
    cheque->Registro().Vl_Cheque = Money::FromInt(50);
    cheque->Registro().Dt_Deposito = deposito;
    cheque->Consultar(s, ordem);
    EXPECT_TRUE(cheque->Registro().Ic_Consultado);
    return cheque->Registro().Ds_Resultado;
  };
  const auto primario = bp::OrdemObjetoConsultaCheque::ObjetoPrimario;
  const bp::DateTime hoje = env_.now.DatePart();
  EXPECT_EQ(consultar(D::kCmc7Bom, "123.456.789-09", hoje, primario), "Cheque aprovado");
  EXPECT_TRUE(cheque->Registro().Ic_Aprovado);
  EXPECT_EQ(consultar(D::kCmc7Bom, "123.456.789-09", hoje.AddDays(60), primario), "Cheque aprovado");
  EXPECT_EQ(consultar(D::kCmc7Bom, "123.456.789-09", hoje.AddDays(61), primario),
            "Deposito acima de 60 dias");
  EXPECT_EQ(consultar(D::kCmc7Bom, "123.456.789-09", hoje.AddDays(-1), primario),
            "Data de deposito ja passou");
  EXPECT_FALSE(cheque->Registro().Ic_Aprovado);
  EXPECT_EQ(consultar(D::kCmc7Bom, "123.456.789-00", hoje, primario), "CPF/CNPJ do emitente invalido");
  EXPECT_EQ(consultar("12345", "123.456.789-09", hoje, primario), "CMC7 invalido");
  EXPECT_EQ(consultar(D::kCmc7Recusado, "987.654.321-00", hoje, primario),
            "Emitente com cheque recusado");
  EXPECT_EQ(consultar(D::kCmc7Bom, "11.222.333/0001-81", hoje,
                      bp::OrdemObjetoConsultaCheque::ObjetoSecundario),
            "Cheque aprovado com restricoes");

  // Stored: the path flag turns, and loading the same data gives the stored
  // approval back; other data read as not approved and stay as typed.
  EXPECT_FALSE(cheque->Ic_ConsultaArmazenada());
  cheque->Gravar();
  EXPECT_TRUE(cheque->Ic_ConsultaArmazenada());
  EXPECT_EQ(Um("SELECT Ic_LiberadoComRestricoes FROM ConsultaCheque WHERE Nm_IdDocumento = '000123'")
                .ToBool(),
            true);
  bool achou = false;
  std::string msg;
  cheque->Registro().Ic_Aprovado = false;
  cheque->Carregar(achou, msg);
  EXPECT_TRUE(achou);
  EXPECT_TRUE(cheque->Registro().Ic_Aprovado);
  cheque->Registro().Cd_CpfCnpj = "123.456.789-09";
  cheque->Carregar(achou, msg);
  EXPECT_FALSE(cheque->Registro().Ic_Aprovado);
  EXPECT_EQ(cheque->Registro().Cd_CpfCnpj, "123.456.789-09");
  cheque->Registro().Cd_CpfCnpj = "11.222.333/0001-81";
  cheque->Registro().Ic_Aprovado = false;
  cheque->Atualizar(msg);
  cheque->Carregar(achou, msg);
  EXPECT_FALSE(cheque->Registro().Ic_Aprovado);
}

TEST_F(PistaTest, ResponsibilityAndReleaseLog) {
  auto a = Objeto(sessao_->CriarAbastecimento());
  const int32_t caixa = CaixaDoUm();
  const int32_t antes = Um("SELECT MAX(Cd_Abastecimento) FROM Abastecimento").ToInt32();
  ASSERT_TRUE(a->GravarResponsabilidade(2, caixa, "abc1234", "", bp::TipoPagamentoEnum::PagamentoCredito,
                                        bp::host::TipoVencimentoEnum::TipoVencimentoAPrazo, true,
                                        Money::FromDouble(80.5), Money(), 45500));
  // The row, then the odometers of the nozzle and of the vehicle.
  EXPECT_EQ(bp::testing::Texto(C(),
                               "SELECT De_EnderecoLogicoBico, Cd_Caixa, Cd_Funcionario, Cd_Veiculo, "
                               "No_TipoPagamento, No_TipoVencimento, Ic_BaixaAutomatica, "
                               "Ic_Baixado, Vl_Total, No_Hodometro, Dt_Termino FROM Abastecimento "
                               "WHERE Cd_Abastecimento = ? UNION ALL SELECT No_Hodometro, "
                               "(SELECT No_KmAtual FROM Veiculo WHERE Cd_Veiculo = 'ABC1234'), "
                               "NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL FROM Bomba "
                               "WHERE Cd_Bomba = 2",
                               {Value(antes + 1)}),
            "0102|" + std::to_string(caixa) +
                "|1|ABC1234|1|2|Verdadeiro|Falso|80,5|45500|05/12/2026 10:00:00|\n"
                "45500|45500||||||||||\n");


  // Refused: nothing written.
  const int32_t escritos = Um("SELECT COUNT(*) FROM Abastecimento").ToInt32();
  EXPECT_FALSE(a->GravarResponsabilidade(9, caixa, "", "", bp::TipoPagamentoEnum::PagamentoDinheiro,
                                         bp::host::TipoVencimentoEnum::TipoVencimentoAVista, true,
                                         Money(), Money(), 0));
  EXPECT_FALSE(a->GravarResponsabilidade(1, 0, "", "", bp::TipoPagamentoEnum::PagamentoDinheiro,
                                         bp::host::TipoVencimentoEnum::TipoVencimentoAVista, true,
                                         Money(), Money(), 0));
  EXPECT_EQ(Um("SELECT COUNT(*) FROM Abastecimento").ToInt32(), escritos);

  // The log numbers the company's releases; unknown plates and employees
  // are written empty, an unknown nozzle cannot be logged.
  auto log = Objeto(sessao_->CriarLogLiberacaoBico());
  auto incluir = [&](uint8_t bico, const std::string& placa, int32_t funcionario) {
    log->Limpar();
    bp::host::LogLiberacaoBico& e = log->Registro();
    e.Cd_PessoaUsuaria = D::kEmpresa;
    e.Cd_Bomba = bico;
    e.Cd_Caixa = caixa;
    e.Cd_Veiculo = placa;
    e.Dt_Liberacao = env_.now;
    e.Cd_Funcionario = funcionario;
    e.No_TipoPagamento = 3;
    e.No_TipoHardware = 2;
    log->Incluir();
    return e.No_Liberacao;
  };
  EXPECT_EQ(incluir(1, "ABC1234", 1), 1);
  EXPECT_EQ(incluir(2, "NAOEXIST", 77), 2);
  EXPECT_THROW(incluir(99, "", 1), bp::Erro);
  EXPECT_EQ(bp::testing::Texto(C(), "SELECT No_Liberacao, COALESCE(Cd_Veiculo, 'nulo'), "
                                    "Cd_Funcionario IS NULL FROM LogLiberacaoBico ORDER BY 1"),
            "1|ABC1234|0|\n2|nulo|1|\n");
}

TEST_F(PistaTest, SeedRefusesADatabaseThatIsNotNew) {
  const bp::Erro e = bp::testing::FailureOf([&] { station::SeedDemoStation(sessao_, env_.now); });
  EXPECT_NE(e.description.find("O banco já tem cadastros (tabela Funcionario)"), std::string::npos)
      << e.description;
}

TEST_F(PistaTest, ATypingMistakeIsNotTheIssuersRefusalAndAChequePaysOneFuelling) {
  std::string r;
  EXPECT_FALSE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfErrado, Money::FromInt(50), r));
  EXPECT_EQ(r, "CPF/CNPJ do emitente invalido");

  // The account's other cheques are not blocked by it...
  EXPECT_TRUE(
      Pode(Pagamento::PagamentoCheque, kOutroChequeDaConta, kCpfCerto, Money::FromInt(20), r));
  EXPECT_EQ(r, "Cheque aprovado");
  // ...and the same cheque with the corrected document is consulted afresh
  // and stored with it.
  EXPECT_TRUE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfCerto, Money::FromInt(50), r));
  EXPECT_EQ(r, "Cheque aprovado");
  EXPECT_EQ(Um("SELECT Cd_CpfCnpj FROM ConsultaCheque WHERE Nm_IdDocumento = '000123'").ToText(),
            "123.456.789-09");
  // A cheque that paid a fuelling is refused afterwards: its stored approval
  // does not outlive its use, and a terminal that consulted it before the
  // use cannot record it either. The account's other cheques still pass.
  ASSERT_TRUE(Gravar(Pagamento::PagamentoCheque, D::kCmc7Bom, Money::FromInt(50), Money()));
  EXPECT_FALSE(Pode(Pagamento::PagamentoCheque, D::kCmc7Bom, kCpfCerto, Money::FromInt(50), r));
  EXPECT_EQ(r, "Cheque ja utilizado");
  const int32_t antes = Abastecimentos();
  EXPECT_FALSE(Gravar(Pagamento::PagamentoCheque, D::kCmc7Bom, Money::FromInt(30), Money()));
  EXPECT_EQ(Abastecimentos(), antes);
  EXPECT_TRUE(
      Pode(Pagamento::PagamentoCheque, kOutroChequeDaConta, kCpfCerto, Money::FromInt(20), r));
}

TEST_F(PistaTest, AmountsAndDiscountsOutsideTheirRangeAreRefused) {
  std::string r;
  EXPECT_FALSE(Pode(Pagamento::PagamentoDinheiro, "", "", Money::FromDouble(-5), r));
  EXPECT_EQ(r, "Valor negativo");
  EXPECT_TRUE(Pode(Pagamento::PagamentoDinheiro, "", "", Money(), r)) << r;

  const int32_t antes = Abastecimentos();
  const Money dez = Money::FromInt(10);
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", Money::FromDouble(-5), Money()));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", dez, Money::FromInt(50)));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", dez, dez));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", dez, Money::FromDouble(-1)));
  EXPECT_FALSE(Gravar(Pagamento::PagamentoDinheiro, "", Money(), Money::FromInt(2)));
  EXPECT_EQ(Abastecimentos(), antes);
  EXPECT_TRUE(Gravar(Pagamento::PagamentoDinheiro, "", dez, Money::FromDouble(9.99)));
  EXPECT_TRUE(Gravar(Pagamento::PagamentoDinheiro, "", Money(), Money()));
  EXPECT_EQ(Abastecimentos(), antes + 2);
}

}  // namespace
