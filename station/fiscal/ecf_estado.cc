#include "station/fiscal/ecf_estado.h"

#include <cstdio>
#include <map>
#include <sstream>

#include "bp/erro.h"

namespace station {
namespace {

std::string Dois(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Both directions walk the same list of fields, so a field written is a field
// read.
class Campos {
 public:
  virtual ~Campos() = default;
  virtual void Texto(const std::string& chave, std::string& valor) = 0;
  virtual void Inteiro(const std::string& chave, int32_t& valor) = 0;
  virtual void Dinheiro(const std::string& chave, bp::Money& valor) = 0;
  virtual void Data(const std::string& chave, bp::DateTime& valor) = 0;
};

void Totais(Campos& c, const std::string& p, TotaisParciais& t) {
  for (int i = 0; i < kTotalizadoresDeAliquota; ++i) {
    c.Dinheiro(p + "t" + Dois(i + 1), t.aliquota[static_cast<size_t>(i)]);
  }
  c.Dinheiro(p + "isentas_icms", t.isentas_icms);
  c.Dinheiro(p + "nao_incidencia_icms", t.nao_incidencia_icms);
  c.Dinheiro(p + "subst_icms", t.subst_icms);
  c.Dinheiro(p + "isentas_iss", t.isentas_iss);
  c.Dinheiro(p + "nao_incidencia_iss", t.nao_incidencia_iss);
  c.Dinheiro(p + "subst_iss", t.subst_iss);
  c.Dinheiro(p + "descontos_icms", t.descontos_icms);
  c.Dinheiro(p + "descontos_iss", t.descontos_iss);
  c.Dinheiro(p + "acrescimos_icms", t.acrescimos_icms);
  c.Dinheiro(p + "acrescimos_iss", t.acrescimos_iss);
  c.Dinheiro(p + "cancelamentos_icms", t.cancelamentos_icms);
  c.Dinheiro(p + "cancelamentos_iss", t.cancelamentos_iss);
  c.Dinheiro(p + "sangria", t.sangria);
  c.Dinheiro(p + "suprimento", t.suprimento);
}

void Contagem(Campos& c, const std::string& p, Contadores& k) {
  c.Inteiro(p + "coo", k.coo);
  c.Inteiro(p + "ccf", k.ccf);
  c.Inteiro(p + "crz", k.crz);
  c.Inteiro(p + "cro", k.cro);
  c.Inteiro(p + "gnf", k.gnf);
  c.Inteiro(p + "grg", k.grg);
  c.Inteiro(p + "cdc", k.cdc);
  c.Inteiro(p + "cfc", k.cfc);
}

void Aliquota(Campos& c, const std::string& chave, AliquotaProgramada& a) {
  c.Inteiro(chave + ".tipo", a.tipo);
  c.Dinheiro(chave + ".aliquota", a.aliquota);
}

void Identificacao(Campos& c, IdentificacaoEcf& id, int32_t& aliquotas) {
  int32_t numero = id.no_impressora;
  c.Inteiro("numero", numero);
  id.no_impressora = static_cast<uint8_t>(numero);
  c.Texto("identificacao", id.cd_identificacao);
  c.Texto("serie", id.no_serie);
  c.Texto("mf_adicional", id.mf_adicional);
  c.Texto("tipo", id.tipo);
  c.Texto("marca", id.marca);
  c.Texto("modelo", id.modelo);
  c.Texto("versao_sb", id.versao_sb);
  c.Data("instalacao_sb", id.dt_instalacao_sb);
  c.Texto("cnpj_usuario", id.cnpj_usuario);
  c.Texto("ie_usuario", id.ie_usuario);
  c.Inteiro("ordem_usuario", id.no_ordem_usuario);
  int32_t desconto_iss = id.permite_desconto_iss ? 1 : 0;
  c.Inteiro("permite_desconto_iss", desconto_iss);
  id.permite_desconto_iss = desconto_iss != 0;
  c.Inteiro("aliquotas", aliquotas);
  if (aliquotas < 0 || aliquotas > kTotalizadoresDeAliquota) {
    throw bp::RuntimeErro(bp::rt::kTypeMismatch, "aliquotas");
  }
  id.aliquotas.resize(static_cast<size_t>(aliquotas));
  for (int32_t i = 0; i < aliquotas; ++i) {
    Aliquota(c, "aliquota" + Dois(i + 1), id.aliquotas[static_cast<size_t>(i)]);
  }
}

void Estado(Campos& c, EstadoEcf& e, int32_t& aliquotas, int32_t& tem_z) {
  Identificacao(c, e.identificacao, aliquotas);
  std::string falha = NomeDaFalha(e.falha);
  c.Texto("falha", falha);
  const auto lida = FalhaPeloNome(falha);
  if (!lida) throw bp::RuntimeErro(bp::rt::kTypeMismatch, "falha");
  e.falha = *lida;
  c.Data("dt_movimento", e.dt_movimento);
  Contagem(c, "", e.contadores);
  c.Dinheiro("gt", e.gt);
  c.Dinheiro("gt_inicio_dia", e.gt_inicio_dia);
  Totais(c, "dia.", e.dia);
  c.Inteiro("z", tem_z);
  if (tem_z == 0) {
    e.ultima_reducao_z.reset();
    return;
  }
  if (!e.ultima_reducao_z) e.ultima_reducao_z.emplace();
  ReducaoZEmulada& z = *e.ultima_reducao_z;
  c.Data("z.dt_movimento", z.dt_movimento);
  c.Data("z.dt_emissao", z.dt_emissao);
  Contagem(c, "z.", z.contadores);
  c.Dinheiro("z.gt_final", z.gt_final);
  c.Dinheiro("z.venda_bruta", z.venda_bruta);
  c.Inteiro("z.aliquotas", z.aliquotas_usadas);
  if (z.aliquotas_usadas < 0 || z.aliquotas_usadas > kTotalizadoresDeAliquota) {
    throw bp::RuntimeErro(bp::rt::kTypeMismatch, "z.aliquotas");
  }
  for (int32_t i = 0; i < z.aliquotas_usadas; ++i) {
    Aliquota(c, "z.aliquota" + Dois(i + 1), z.aliquotas[static_cast<size_t>(i)]);
  }
  Totais(c, "z.", z.totais);
}

class Escritor final : public Campos {
 public:
  void Texto(const std::string& k, std::string& v) override { out_ << k << '=' << v << '\n'; }
  void Inteiro(const std::string& k, int32_t& v) override { out_ << k << '=' << v << '\n'; }
  void Dinheiro(const std::string& k, bp::Money& v) override {
    out_ << k << '=' << v.ToSql() << '\n';
  }
  void Data(const std::string& k, bp::DateTime& v) override {
    out_ << k << '=' << DataDoEstado(v) << '\n';
  }
  std::string Texto() const { return out_.str(); }

 private:
  std::ostringstream out_;
};

class Leitor final : public Campos {
 public:
  explicit Leitor(const std::string& texto) {
    std::istringstream in(texto);
    std::string linha;
    while (std::getline(in, linha)) {
      if (!linha.empty() && linha.back() == '\r') linha.pop_back();
      const size_t igual = linha.find('=');
      if (igual == std::string::npos) continue;
      valores_[linha.substr(0, igual)] = linha.substr(igual + 1);
    }
  }
  void Texto(const std::string& k, std::string& v) override {
    if (const auto* t = Achar(k)) v = *t;
  }
  void Inteiro(const std::string& k, int32_t& v) override {
    const auto* t = Achar(k);
    if (!t) return;
    try {
      size_t usado = 0;
      const long lido = std::stol(*t, &usado);
      if (usado != t->size()) throw std::invalid_argument(k);
      v = static_cast<int32_t>(lido);
    } catch (const std::exception&) {
      throw bp::RuntimeErro(bp::rt::kTypeMismatch, k);
    }
  }
  void Dinheiro(const std::string& k, bp::Money& v) override {
    const auto* t = Achar(k);
    if (!t) return;
    try {
      v = bp::Money::Parse(*t);
    } catch (const bp::Erro&) {
      throw bp::RuntimeErro(bp::rt::kTypeMismatch, k);
    }
  }
  void Data(const std::string& k, bp::DateTime& v) override {
    if (const auto* t = Achar(k)) v = DataDoEstado(*t, k);
  }

 private:
  const std::string* Achar(const std::string& k) const {
    const auto it = valores_.find(k);
    return it == valores_.end() ? nullptr : &it->second;
  }
  std::map<std::string, std::string> valores_;
};

}  // namespace

std::string DataDoEstado(bp::DateTime data) {
  if (data.IsEmpty()) return {};
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", data.Year(), data.Month(),
                data.Day(), data.Hour(), data.Minute(), data.Second());
  return buf;
}

bp::DateTime DataDoEstado(const std::string& texto, const std::string& chave) {
  if (texto.empty()) return {};
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char sobra = 0;
  const int lidos =
      std::sscanf(texto.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &sobra);
  const auto data = bp::DateTime::Make(y, mo, d, h, mi, s);
  if (lidos != 6 || !data) throw bp::RuntimeErro(bp::rt::kTypeMismatch, chave);
  return *data;
}

std::string EscreverEstadoEcf(const EstadoEcf& estado) {
  EstadoEcf copia = estado;
  int32_t aliquotas = static_cast<int32_t>(copia.identificacao.aliquotas.size());
  int32_t tem_z = copia.ultima_reducao_z ? 1 : 0;
  Escritor escritor;
  Estado(escritor, copia, aliquotas, tem_z);
  return escritor.Texto();
}

EstadoEcf LerEstadoEcf(const std::string& texto) {
  EstadoEcf estado;
  int32_t aliquotas = 0;
  int32_t tem_z = 0;
  Leitor leitor(texto);
  Estado(leitor, estado, aliquotas, tem_z);
  return estado;
}

}  // namespace station
