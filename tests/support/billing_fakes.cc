#include "support/billing_fakes.h"

#include "bp/erros.h"
#include "bp/format.h"

namespace bp::testing {
namespace {

std::string N(int64_t n) { return std::to_string(n); }

class FakeCliente : public Bound<host::BOCliente, FakeBillingHost> {
 public:
  using Bound::Bound;
  void Carregar() override {
    h_.Log("Cliente.Carregar " + N(Registro().Cd_PessoaUsuaria) + "/" + N(Registro().Cd_Cliente));
    const host::RegistroCliente chave = Registro();
    Registro() = h_.script.cliente;
    Registro().Cd_PessoaUsuaria = chave.Cd_PessoaUsuaria;
    Registro().Cd_Cliente = chave.Cd_Cliente;
  }
};

class FakeConta : public Bound<host::BOContaAReceber, FakeBillingHost> {
 public:
  using Bound::Bound;
  void Incluir() override {
    h_.Log("Conta.Incluir " + Registro().Vl_Debito.ToSql());
    Registro().Cd_ContaAReceber = h_.script.proxima_conta++;
    h_.contas.push_back(Registro());
  }
  void Alterar() override {
    h_.Log("Conta.Alterar " + Registro().Vl_Debito.ToSql());
    h_.contas.push_back(Registro());
  }
};

class FakeNota : public Bound<host::BONotaSaida, FakeBillingHost> {
 public:
  using Bound::Bound;
  void Preparar() override {
    h_.Log("Nota.Preparar");
    Registro().No_Nota = h_.script.proxima_nota++;
  }
  host::OperacaoNota Operacao() override { return {"5929", "00", "6929", "01"}; }
  std::string UFDestinatario() override { return h_.script.uf_destinatario; }
  void Calcular() override { h_.Log("Nota.Calcular"); }
  void Gravar() override {
    h_.Log("Nota.Gravar");
    h_.notas.push_back(Registro());
    h_.itens.push_back(Itens());
  }
};

class FakeDAL : public Bound<host::DALFaturamento, FakeBillingHost> {
 public:
  using Bound::Bound;
  void SetObDAL(host::DataAccess&) override {}
  // The listings and the fleet files' queries are not billing's: empty.
  db::Recordset CuponsAFatura(int32_t, DateTime) override { return {}; }
  db::Recordset CuponsAFaturaSeletivo(int32_t, int32_t) override { return {}; }
  db::Recordset NotasFiscaisDoFaturamento(int32_t, int32_t, int32_t) override { return {}; }
  db::Recordset ContaAReceberDoFaturamento(int32_t, int32_t, int32_t) override { return {}; }
  bool MudarCupomPendenteParaFaturado(int32_t e, int32_t c, int32_t conta, DateTime fat,
                                      DateTime venc, int32_t func) override {
    h_.Log("DAL.MudarCupomPendenteParaFaturado " + N(e) + " " + N(c) + " " + N(conta) + " " +
           Dia(fat) + " " + Dia(venc) + " " + N(func));
    return h_.script.mudar_resposta;
  }
  Money TotalDosCuponsDaConta(int32_t e, int32_t conta) override {
    h_.Log("DAL.TotalDosCuponsDaConta " + N(e) + " " + N(conta));
    return h_.script.soma;
  }
  db::Recordset LinhasDaNota(int32_t e, int32_t conta, bool todas) override {
    h_.Log("DAL.LinhasDaNota " + N(e) + " " + N(conta) + " " + (todas ? "1" : "0"));
    return db::Recordset({"Cd_Produto", "Vl_UnitVenda", "No_SitTributaria", "Tx_Icms",
                          "Fl_IssRetido", "Tx_BaseCalculo", "No_TribIcms"},
                         h_.script.linhas);
  }
  Money ValorDaLinha(int32_t e, int32_t conta, const host::ChaveLinhaNota& k) override {
    h_.Log("DAL.ValorDaLinha " + N(e) + " " + N(conta) + " " + N(k.Cd_Produto) + " " +
           k.Vl_UnitVenda.ToSql());
    return h_.script.valores_linha.at(linha_++);
  }
  db::Recordset TotaisPorVeiculo(int32_t, int32_t) override { return {}; }
  db::Recordset ItensDosCupons(int32_t, int32_t) override { return {}; }
  db::Recordset VeiculosDaConta(int32_t, int32_t) override { return {}; }
  db::Recordset LeiturasDeHodometro(int32_t, int32_t, const std::string&) override { return {}; }

 private:
  size_t linha_ = 0;
};

}  // namespace

std::unique_ptr<host::BOCliente> FakeBillingHost::CriarCliente() {
  return std::make_unique<FakeCliente>(*this);
}
std::unique_ptr<host::BOContaAReceber> FakeBillingHost::CriarContaAReceber() {
  return std::make_unique<FakeConta>(*this);
}
std::unique_ptr<host::BONotaSaida> FakeBillingHost::CriarNotaSaida() {
  return std::make_unique<FakeNota>(*this);
}
std::unique_ptr<host::DALFaturamento> FakeBillingHost::CriarDALFaturamento() {
  return std::make_unique<FakeDAL>(*this);
}

host::IdentificacaoEmpresa FakeBillingHost::Identificacao() {
  host::IdentificacaoEmpresa id;
  id.endereco.uf = script.uf_empresa;
  return id;
}

FakeCupom::FakeCupom(FakeBillingHost& h, int32_t numero, int32_t cliente, Money valor,
                     DateTime vencimento, DateTime segunda)
    : h_(h) {
  registro_.No_CupomFiscal = numero;
  gravado_ = registro_;
  gravado_.Cd_Cliente = cliente;
  gravado_.Vl_TotalLiquido = valor;
  gravado_.Dt_Vencimento = vencimento;
  gravado_.Dt_EfeFechamento = segunda;
}

void FakeCupom::Carregar() {
  h_.Log("Cupom.Carregar " + N(registro_.No_CupomFiscal));
  registro_ = gravado_;
}

void FakeCupom::Faturar(int32_t conta, DateTime dia, int32_t funcionario, DateTime vencimento,
                        DateTime segunda) {
  h_.Log("Cupom.Faturar " + N(registro_.No_CupomFiscal) + " " + N(conta) + " " + Dia(dia) + " " +
         N(funcionario) + " " + Dia(vencimento) + " " + Dia(segunda));
}

}  // namespace bp::testing
