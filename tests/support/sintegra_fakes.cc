#include "support/sintegra_fakes.h"

#include "bp/andamento.h"
#include "bp/format.h"

namespace bp::testing {
namespace {

class FakeConstrutor : public Bound<host::BORegistroSintegra, FakeSintegraHost> {
 public:
  using Bound::Bound;
  using R = host::RegistrosSintegra;
  void SetObDAL(host::DataAccess&) override { h_.Log("Construtor.SetObDAL"); }
  R R50Emitidas(DateTime d, int32_t& c, const std::string& uf) override {
    return h_.Responder("R50Emitidas", Dia(d) + " " + uf, c);
  }
  R R50Recebidas(DateTime d, int32_t& c) override {
    return h_.Responder("R50Recebidas", Dia(d), c);
  }
  R R53Emitidas(DateTime d, int32_t& c, const std::string& uf) override {
    return h_.Responder("R53Emitidas", Dia(d) + " " + uf, c);
  }
  R R54Emitidas(DateTime d, int32_t& c) override { return h_.Responder("R54Emitidas", Dia(d), c); }
  R R54Recebidas(DateTime d, int32_t& c) override {
    return h_.Responder("R54Recebidas", Dia(d), c);
  }
  db::Recordset DiasDeImpressora(DateTime i, DateTime f) override {
    h_.Log("DiasDeImpressora " + Dia(i) + " " + Dia(f));
    return db::Recordset({"Dt_Movimento", "No_Impressora"}, h_.dias_de_impressora);
  }
  R R60M(DateTime d, uint8_t n, int32_t& c) override { return Dia60("R60M", d, n, c); }
  R R60A(DateTime d, uint8_t n, int32_t& c) override { return Dia60("R60A", d, n, c); }
  R R60D(DateTime d, uint8_t n, int32_t& c) override { return Dia60("R60D", d, n, c); }
  R R60I(DateTime d, uint8_t n, int32_t& c) override { return Dia60("R60I", d, n, c); }
  R R60R(DateTime i, DateTime f, int32_t& c) override {
    return h_.Responder("R60R", Dia(i) + " " + Dia(f), c);
  }
  R R74(DateTime f, int32_t& c, const std::string& uf) override {
    return h_.Responder("R74", Dia(f) + " " + uf, c);
  }
  R R75(DateTime i, DateTime f, int32_t& c) override {
    return h_.Responder("R75", Dia(i) + " " + Dia(f), c);
  }
  R R88C(DateTime d, int32_t& c) override { return h_.Responder("R88C", Dia(d), c); }
  R R88D(DateTime d, int32_t& c) override { return h_.Responder("R88D", Dia(d), c); }
  R R88E(int32_t& c) override { return h_.Responder("R88E", "", c); }
  R R88Q(DateTime d, int32_t& c) override { return h_.Responder("R88Q", Dia(d), c); }
  R R88T(DateTime d, int32_t& c) override { return h_.Responder("R88T", Dia(d), c); }
  R P1(const host::EmpresaDosRegistros& e) override { return Cabecalho("P1", e); }
  R P2(const std::string& cnpj, int32_t& c) override { return h_.Responder("P2", cnpj, c); }
  R P9(const std::string& cnpj, const std::string& ie, int32_t& c) override {
    return h_.Responder("P9", cnpj + " " + ie, c);
  }
  R E1(const host::EmpresaDosRegistros& e) override { return Cabecalho("E1", e); }
  R E2(const std::string& cnpj, int32_t& c, DateTime d) override {
    return h_.Responder("E2", cnpj + " " + Dia(d), c);
  }
  R E9(const std::string& cnpj, const std::string& ie, int32_t& c) override {
    return h_.Responder("E9", cnpj + " " + ie, c);
  }

 private:
  R Dia60(const char* op, DateTime d, uint8_t n, int32_t& c) {
    return h_.Responder(op, Dia(d) + " " + std::to_string(n), c);
  }
  R Cabecalho(const char* op, const host::EmpresaDosRegistros& e) {
    int32_t nenhum = 0;
    return h_.Responder(
        op, e.cnpj + " " + e.inscricao_estadual + " " + e.inscricao_municipal + " " + e.nome,
        nenhum);
  }
};

}  // namespace

FakeSintegraHost::FakeSintegraHost() {
  empresa.cnpj = "11.222.333/0001-81";
  empresa.inscricao_estadual = "110.042.490.114";
  empresa.inscricao_municipal = "1234567";
  empresa.nome = "AUTO POSTO EXEMPLO LTDA";
  empresa.telefone = "(11) 3456-7890";
  empresa.numero = "1500";
  empresa.complemento = "LOJA 1";
  empresa.cep = "01310-100";
  empresa.endereco = {"AVENIDA PAULISTA", "BELA VISTA", "SAO PAULO", "SP"};
}

host::RegistrosSintegra FakeSintegraHost::Responder(const std::string& op, const std::string& args,
                                                    int32_t& contador) {
  Log(op + (args.empty() ? "" : " " + args) + " c=" + std::to_string(contador));
  const RespostaSintegra r = respostas.count(op) ? respostas.at(op) : RespostaSintegra{};
  contador += r.registros;
  return {r.ok, r.texto};
}

void FakeSintegraHost::EndWork(const std::string& origin, bool marker) {
  Log("EndWork " + origin + (marker ? " 1" : " 0"));
}
std::unique_ptr<host::BORegistroSintegra> FakeSintegraHost::CriarRegistroSintegra() {
  Log("CriarRegistroSintegra");
  return std::make_unique<FakeConstrutor>(*this);
}
host::IdentificacaoEmpresa FakeSintegraHost::Identificacao() {
  Log("Empresa.Identificacao");
  return empresa;
}
void FakeSintegraHost::SetMarcador(bool marker) {
  Log(std::string("Empresa.SetMarcador ") + (marker ? "1" : "0"));
}
DateTime FakeSintegraHost::DataUltimaConsolidacaoEstoque() {
  Log("Empresa.DataUltimaConsolidacaoEstoque");
  return ultima_consolidacao;
}
void FakeSintegraHost::ConsolidarEstoqueAte(DateTime date, Andamento* progress) {
  Log("Empresa.ConsolidarEstoqueAte " + Dia(date) + (progress ? " janela" : " sem janela"));
}
void FakeSintegraHost::ConsolidarEstoqueNaData(DateTime date, Andamento* progress) {
  Log("Empresa.ConsolidarEstoqueNaData " + Dia(date) + (progress ? " janela" : " sem janela"));
}

}  // namespace bp::testing
