#include "support/fiscal_fakes.h"

#include <filesystem>

#include "bp/format.h"
#include "station/fiscal/encriptar.h"

namespace bp::testing {
namespace {

class FakeImpressora : public Bound<host::BOImpressora, FakeFiscalHost> {
 public:
  using Bound::Bound;
  std::string Cd_IdentificacaoECF() override { return h_.script.identificacao; }
  DateTime Dt_Movimento() override {
    h_.Log("Impressora.Dt_Movimento");
    return h_.script.dt_movimento;
  }
  host::DadosReducaoZ DadosultimaReducaoZ(host::BOSistema&) override {
    h_.Log("Impressora.DadosultimaReducaoZ");
    host::DadosReducaoZ dados;
    if (!h_.script.reducoes.empty()) {
      dados.Dt_Movimento = h_.script.reducoes.front();
      h_.script.reducoes.pop_front();
    }
    dados.Ds_LetraIndicativaMemoriaAdicional = "A";
    dados.Ds_ModeloECF = "MP-2100 TH FI";
    dados.No_Impressora = h_.script.numero_ecf;
    dados.No_OrdemUsuario = 1;
    return dados;
  }
  void ImprimirVolumeCombustivelVendido(host::BOSistema&, DateTime ini, DateTime fim) override {
    h_.Log("Impressora.ImprimirVolumeCombustivelVendido " + Dia(ini) + " " + Dia(fim));
  }
  void ImprimirReducaoZ() override { h_.Log("Impressora.ImprimirReducaoZ"); }
};

class FakeECF : public Bound<host::BOECF, FakeFiscalHost> {
 public:
  using Bound::Bound;
  void SetObBOSistema(host::BOSistemaRef) override { h_.Log("BOECF.ObBOSistema"); }
  host::RegistroECF& Registro() override {
    if (plain_ != h_.script.serie) {
      plain_ = h_.script.serie;
      registro_.No_SerieCriptografada = station::Encriptar(plain_);
    }
    return registro_;
  }
  void Carregar() override {
    h_.Log("BOECF.Carregar " + std::to_string(registro_.Cd_PessoaUsuaria) + "/" +
           std::to_string(registro_.No_Impressora));
  }
  DateTime Dt_Referencia() override { return h_.script.referencia; }
  db::Recordset Cancelamentos(DateTime) override {
    return db::Recordset({"Vl_Cancelamentos"}, {{Value(h_.script.cancelamentos)}});
  }
  db::Recordset GTotal(DateTime) override {
    return db::Recordset({"Vl_GTotalFinal"}, {{Value(h_.script.gtotal)}});
  }

 private:
  host::RegistroECF registro_;
  std::string plain_;
};

class FakeCupomFiscal : public Bound<host::BOCupomFiscal, FakeFiscalHost> {
 public:
  using Bound::Bound;
  void SetObBOSistema(host::BOSistemaRef) override {}
  host::RegistroCupomFiscal& Registro() override { return registro_; }
  db::Recordset CuponsNaoConcluidos(DateTime data, uint8_t ecf) override {
    h_.Log("BOCupomFiscal.CuponsNaoConcluidos " + Dia(data) + " " + std::to_string(ecf));
    return db::Recordset({"Vl_GTotal", "Vl_Cancelamentos", "Vl_Total", "No_Impressora",
                          "No_CupomFiscal", "Dt_Emissao"},
                         h_.script.cupons);
  }
  void Carregar() override { h_.Log("BOCupomFiscal.Carregar " + std::to_string(registro_.No_CupomFiscal)); }
  void Excluir() override { h_.Log("BOCupomFiscal.Excluir " + std::to_string(registro_.No_CupomFiscal)); }
  void Faturar(int32_t, DateTime, int32_t, DateTime, DateTime) override {}

 private:
  host::RegistroCupomFiscal registro_;
};

class FakeReducaoZ : public Bound<host::BOReducaoZ, FakeFiscalHost> {
 public:
  using Bound::Bound;
  ~FakeReducaoZ() override { h_.log.push_back("BOReducaoZ released"); }
  void SetObBOSistema(host::BOSistemaRef) override {}
  void SetDados(const host::DadosReducaoZ& dados) override { dados_ = dados; }
  const host::DadosReducaoZ& Dados() override { return dados_; }
  void Gravar() override { h_.Log("BOReducaoZ.Gravar " + Dia(dados_.Dt_Movimento)); }
  void CarregarUltimaReducaoZ(int32_t, uint8_t ecf) override { dados_.No_Impressora = ecf; }

 private:
  host::DadosReducaoZ dados_;
};

class FakeRegistros : public Bound<host::BORegistroMovimentoECF, FakeFiscalHost> {
 public:
  using Bound::Bound;
  void SetObDAL(host::DataAccess&) override {}
  host::RegistroMovimento R01(DateTime, DateTime, const std::string& serie, const std::string&,
                              const std::string&, const std::string&, const std::string&,
                              const std::string&, DateTime, uint8_t, const std::string&,
                              const std::string&) override {
    return Tipo(1, " " + serie);
  }
  host::RegistroMovimento R02(DateTime, DateTime, const std::string&, const std::string&,
                              const std::string&, bool) override {
    return Tipo(2);
  }
  host::RegistroMovimento R03(DateTime, DateTime, const std::string&, const std::string&,
                              const std::string&) override {
    return Tipo(3);
  }
  host::RegistroMovimento R04(uint8_t, DateTime, DateTime, const std::string&, const std::string&,
                              const std::string&, int32_t) override {
    return Tipo(4);
  }
  host::RegistroMovimento R05(const host::RegistroECF&, uint8_t, DateTime, DateTime,
                              const std::string&, const std::string&, const std::string&,
                              int32_t) override {
    return Tipo(5);
  }
  host::RegistroMovimento R06(const host::RegistroECF&, uint8_t, DateTime, DateTime,
                              const std::string&, const std::string&, const std::string&,
                              int32_t) override {
    return Tipo(6);
  }
  host::RegistroMovimento R07(const host::RegistroECF&, uint8_t, DateTime, DateTime,
                              const std::string&, const std::string&, const std::string&,
                              int32_t) override {
    return Tipo(7);
  }

 private:
  host::RegistroMovimento Tipo(int tipo, const std::string& extra = "") {
    const std::string nome = "R0" + std::to_string(tipo);
    h_.Log("Registros." + nome);
    auto it = h_.script.registros.find(tipo);
    if (it != h_.script.registros.end()) return it->second;
    return {true, nome + extra};
  }
};

class FakeAberturaDia : public Bound<host::BOAberturaDia, FakeFiscalHost> {
 public:
  using Bound::Bound;
  ~FakeAberturaDia() override { h_.log.push_back("BOAberturaDia released"); }
  void SetObBOSistema(host::BOSistemaRef) override { h_.Log("BOAberturaDia.ObBOSistema"); }
};

}  // namespace

FakeFiscalHost::FakeFiscalHost()
    : impressora_(std::make_unique<FakeImpressora>(*this)),
      cupom_(std::make_unique<FakeCupomFiscal>(*this)),
      ecf_(std::make_unique<FakeECF>(*this)) {}

void FakeFiscalHost::SetNumeroECF(uint8_t number) {
  Log("SetNumeroECF " + std::to_string(number));
  script.numero_ecf = number;
}

std::unique_ptr<host::BOECF> FakeFiscalHost::CriarECF() {
  Log("CriarECF");
  return std::make_unique<FakeECF>(*this);
}
std::unique_ptr<host::BOReducaoZ> FakeFiscalHost::CriarReducaoZ() {
  Log("CriarReducaoZ");
  return std::make_unique<FakeReducaoZ>(*this);
}
std::unique_ptr<host::BORegistroMovimentoECF> FakeFiscalHost::CriarRegistroMovimentoECF() {
  return std::make_unique<FakeRegistros>(*this);
}
std::unique_ptr<host::BOAberturaDia> FakeFiscalHost::CriarAberturaDia() {
  Log("CriarAberturaDia");
  return std::make_unique<FakeAberturaDia>(*this);
}

DiaFiscal::DiaFiscal() {
  fake->script.pasta_sistema = env.Path("sistema");
  std::filesystem::create_directories(PastaMovimento());
}

std::string DiaFiscal::PastaMovimento() const {
  return fake->script.pasta_sistema + "/Fiscal/ECF/Dados ReducaoZ/";
}

}  // namespace bp::testing
