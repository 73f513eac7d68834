#include "station/forecourt/cheque.h"

#include <vector>

#include "bp/value.h"
#include "station/forecourt/textos_pista.h"

namespace station {
namespace {

constexpr size_t kDigitosCmc7 = 30;
constexpr int64_t kDiasMaximosDeposito = 60;

std::string SoDigitos(std::string_view texto) {
  std::string s;
  for (char ch : texto) {
    if (ch >= '0' && ch <= '9') s.push_back(ch);
  }
  return s;
}

int64_t Numero(std::string_view digitos) {
  int64_t n = 0;
  for (char ch : digitos) n = n * 10 + (ch - '0');
  return n;
}

// Modulo-11 check digit over `digitos` with weights cycling from 2 up to
// `peso_maximo`, right to left.
int DigitoModulo11(std::string_view digitos, int peso_maximo) {
  int soma = 0, peso = 2;
  for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
    soma += (*it - '0') * peso;
    peso = peso == peso_maximo ? 2 : peso + 1;
  }
  const int resto = soma % 11;
  return resto < 2 ? 0 : 11 - resto;
}

std::vector<bp::Value> Chave(const Cmc7& k) {
  return {bp::Value(k.banco), bp::Value(k.agencia), bp::Value(k.conta), bp::Value(k.numero)};
}

bool ExisteLinha(bp::db::Connection& c, std::string_view sql, const std::vector<bp::Value>& p) {
  return !c.Query(sql, p).Eof();
}

bool Bit(const bp::Value& v) { return !v.IsNull() && !v.IsEmpty() && v.ToBool(); }

// Refusals that say nothing about the issuer: what the attendant typed (the
// document, the deposit date) and a cheque presented again after it was
// used. They never block the account's other cheques.
constexpr const char* kRecusasAlheiasAoEmitente[] = {
    textos::kDocumentoInvalido, textos::kDepositoAnterior, textos::kDepositoDistante,
    textos::kChequeJaUtilizado};

void Veredito(ConsultaDeCheque& r, bool aprovado, const char* texto) {
  r.ic_consultado = true;
  r.ic_aprovado = aprovado;
  r.ds_resultado = texto;
}

// True when another cheque of the same account was refused for a reason of
// the issuer's.
bool EmitenteRecusado(bp::db::Connection& c, const Cmc7& k) {
  std::vector<bp::Value> p = {bp::Value(k.banco),  bp::Value(k.agencia), bp::Value(k.conta),
                              bp::Value(k.numero), bp::Value(true),      bp::Value(false)};
  for (const char* texto : kRecusasAlheiasAoEmitente) p.emplace_back(texto);
  return ExisteLinha(
      c,
      "SELECT 1 FROM ConsultaCheque WHERE Cd_Banco = ? AND Cd_Agencia = ? AND Cd_Conta = ? "
      "AND Nm_IdDocumento <> ? AND Ic_Consultado = ? AND Ic_Aprovado = ? "
      "AND (Ds_Resultado IS NULL OR Ds_Resultado NOT IN (?, ?, ?, ?))",
      p);
}

}  // namespace

std::optional<Cmc7> LerCmc7(std::string_view linha) {
  const std::string d = SoDigitos(linha);
  if (d.size() != kDigitosCmc7) return std::nullopt;
  const int64_t conta = Numero(std::string_view(d).substr(19, 10));
  if (conta > INT32_MAX) return std::nullopt;
  Cmc7 k;
  k.banco = static_cast<int16_t>(Numero(std::string_view(d).substr(0, 3)));
  k.agencia = static_cast<int16_t>(Numero(std::string_view(d).substr(3, 4)));
  k.numero = d.substr(11, 6);
  k.conta = static_cast<int32_t>(conta);
  return k;
}

bool DocumentoValido(std::string_view documento) {
  const std::string d = SoDigitos(documento);
  if (d.size() == 11) {
    if (d.find_first_not_of(d[0]) == std::string::npos) return false;
    return DigitoModulo11(d.substr(0, 9), 11) == d[9] - '0' &&
           DigitoModulo11(d.substr(0, 10), 11) == d[10] - '0';
  }
  if (d.size() == 14) {
    return DigitoModulo11(d.substr(0, 12), 9) == d[12] - '0' &&
           DigitoModulo11(d.substr(0, 13), 9) == d[13] - '0';
  }
  return false;
}

void ConsultarCheque(bp::db::Connection& c, int32_t empresa, OrdemConsulta ordem,
                     ConsultaDeCheque& r, bp::DateTime agora) {
  r.ic_liberado_com_restricoes = false;
  const std::optional<Cmc7> k = LerCmc7(r.cd_cmc7);
  if (!k) return Veredito(r, false, textos::kCmc7Invalido);
  if (!DocumentoValido(r.cd_cpf_cnpj)) return Veredito(r, false, textos::kDocumentoInvalido);
  const bp::DateTime hoje = agora.DatePart();
  const bp::DateTime deposito = r.dt_deposito.IsEmpty() ? hoje : r.dt_deposito.DatePart();
  if (deposito < hoje) return Veredito(r, false, textos::kDepositoAnterior);
  if (deposito.Days() - hoje.Days() > kDiasMaximosDeposito) {
    return Veredito(r, false, textos::kDepositoDistante);
  }
  if (EmitenteRecusado(c, *k)) return Veredito(r, false, textos::kEmitenteRecusado);
  if (ordem == OrdemConsulta::kSecundaria) {
    Veredito(r, true, textos::kChequeAprovadoComRestricoes);
    r.ic_liberado_com_restricoes = true;
    return;
  }
  if (ChequeUtilizado(c, empresa, *k)) return Veredito(r, false, textos::kChequeJaUtilizado);
  Veredito(r, true, textos::kChequeAprovado);
}

bool ChequeUtilizado(bp::db::Connection& c, int32_t empresa, const Cmc7& k) {
  const std::vector<bp::Value> p = {bp::Value(empresa), bp::Value(k.banco), bp::Value(k.agencia),
                                    bp::Value(k.conta), bp::Value(k.numero)};
  return ExisteLinha(c,
                     "SELECT 1 FROM Recebimento WHERE Cd_PessoaUsuaria = ? AND Cd_BancoRec = ? "
                     "AND Cd_AgenciaRec = ? AND Cd_ContaRec = ? AND Nm_IdDocumentoRec = ?",
                     p) ||
         ExisteLinha(c,
                     "SELECT 1 FROM Abastecimento WHERE Cd_PessoaUsuaria = ? AND Cd_Banco = ? "
                     "AND Cd_Agencia = ? AND Cd_Conta = ? AND Nm_IdDocumento = ?",
                     p);
}

bool ConsultaGuardada(bp::db::Connection& c, std::string_view cd_cmc7) {
  const std::optional<Cmc7> k = LerCmc7(cd_cmc7);
  return k && ExisteLinha(c,
                          "SELECT 1 FROM ConsultaCheque WHERE Cd_Banco = ? AND Cd_Agencia = ? "
                          "AND Cd_Conta = ? AND Nm_IdDocumento = ?",
                          Chave(*k));
}

bool CarregarConsulta(bp::db::Connection& c, int32_t empresa, ConsultaDeCheque& r) {
  const std::optional<Cmc7> k = LerCmc7(r.cd_cmc7);
  if (!k) return false;
  bp::db::Recordset rs = c.Query(
      "SELECT No_TipoPessoa, Cd_CpfCnpj, Vl_Cheque, Dt_Deposito, Tp_Operacao, Ic_Consultado, "
      "Ic_Aprovado, Ds_Resultado, Ic_LiberadoComRestricoes FROM ConsultaCheque "
      "WHERE Cd_Banco = ? AND Cd_Agencia = ? AND Cd_Conta = ? AND Nm_IdDocumento = ?",
      Chave(*k));
  if (rs.Eof()) return false;
  auto texto = [&](const char* campo) {
    const bp::Value& v = rs[campo];
    return v.IsNull() || v.IsEmpty() ? std::string() : v.ToText();
  };
  // The stored approval stands only for the data it was given, while the
  // cheque has paid nothing and no other cheque of the account has been
  // refused for the issuer's sake since; otherwise the record reads as not approved, so
  // the cheque is consulted again with what the attendant typed now.
  const bool mesmos_dados =
      (rs["No_TipoPessoa"].IsNull() ? uint8_t{0} : rs["No_TipoPessoa"].ToByte()) ==
          r.no_tipo_pessoa &&
      texto("Cd_CpfCnpj") == r.cd_cpf_cnpj &&
      (rs["Vl_Cheque"].IsNull() ? bp::Money() : rs["Vl_Cheque"].ToMoney()) == r.vl_cheque &&
      (rs["Dt_Deposito"].IsNull() ? bp::DateTime() : rs["Dt_Deposito"].ToDate().DatePart()) ==
          r.dt_deposito.DatePart();
  r.ic_consultado = Bit(rs["Ic_Consultado"]);
  r.ds_resultado = texto("Ds_Resultado");
  r.ic_liberado_com_restricoes = Bit(rs["Ic_LiberadoComRestricoes"]);
  r.ic_aprovado = Bit(rs["Ic_Aprovado"]) && mesmos_dados && !ChequeUtilizado(c, empresa, *k) &&
                  !EmitenteRecusado(c, *k);
  return true;
}

void GuardarConsulta(bp::db::Connection& c, int32_t empresa, const ConsultaDeCheque& r,
                     bp::DateTime agora) {
  const std::optional<Cmc7> k = LerCmc7(r.cd_cmc7);
  if (!k) return;
  std::vector<bp::Value> p = Chave(*k);
  for (bp::Value v : {bp::Value(empresa), bp::Value(r.cd_cmc7), bp::Value(r.no_tipo_pessoa),
                      bp::Value(r.cd_cpf_cnpj), bp::Value(r.vl_cheque), bp::Value(r.dt_deposito),
                      bp::Value(r.tp_operacao), bp::Value(agora), bp::Value(r.ic_consultado),
                      bp::Value(r.ic_aprovado), bp::Value(r.ds_resultado),
                      bp::Value(r.ic_liberado_com_restricoes)}) {
    p.push_back(std::move(v));
  }
  c.Execute("INSERT INTO ConsultaCheque (Cd_Banco, Cd_Agencia, Cd_Conta, Nm_IdDocumento, "
            "Cd_PessoaUsuaria, Cd_Cmc7, No_TipoPessoa, Cd_CpfCnpj, Vl_Cheque, Dt_Deposito, "
            "Tp_Operacao, Dt_Consulta, Ic_Consultado, Ic_Aprovado, Ds_Resultado, "
            "Ic_LiberadoComRestricoes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            p);
}

void AtualizarConsulta(bp::db::Connection& c, const ConsultaDeCheque& r, bp::DateTime agora) {
  const std::optional<Cmc7> k = LerCmc7(r.cd_cmc7);
  if (!k) return;
  std::vector<bp::Value> p = {bp::Value(r.no_tipo_pessoa), bp::Value(r.cd_cpf_cnpj),
                              bp::Value(r.vl_cheque), bp::Value(r.dt_deposito),
                              bp::Value(agora), bp::Value(r.ic_consultado),
                              bp::Value(r.ic_aprovado), bp::Value(r.ds_resultado),
                              bp::Value(r.ic_liberado_com_restricoes)};
  for (bp::Value v : Chave(*k)) p.push_back(std::move(v));
  c.Execute("UPDATE ConsultaCheque SET No_TipoPessoa = ?, Cd_CpfCnpj = ?, Vl_Cheque = ?, "
            "Dt_Deposito = ?, Dt_Consulta = ?, Ic_Consultado = ?, Ic_Aprovado = ?, "
            "Ds_Resultado = ?, Ic_LiberadoComRestricoes = ? WHERE Cd_Banco = ? "
            "AND Cd_Agencia = ? AND Cd_Conta = ? AND Nm_IdDocumento = ?",
            p);
}

}  // namespace station
