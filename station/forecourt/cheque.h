// Cheque consultation at the station: a local rule over the station's own
// cheque tables (stored consultations, received cheques, fuelings paid by
// cheque). No network service is asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "bp/money.h"

namespace station {

// The fields of a cheque's code line (CMC7) that identify it: 30 digits in
// three groups, bank (3) agency (4) check digit, clearing (3) cheque
// number (6) type, check digit account (10) check digit. Characters other
// than digits (the separators a reader sends) are ignored.
struct Cmc7 {
  int16_t banco = 0;
  int16_t agencia = 0;
  int32_t conta = 0;
  std::string numero;  // six digits, as the code line has them
};
std::optional<Cmc7> LerCmc7(std::string_view linha);

// True for a CPF (11 digits) or CNPJ (14 digits) whose check digits are
// right; separators are ignored.
bool DocumentoValido(std::string_view documento);

// One consultation, as the cheque business object's record holds it.
struct ConsultaDeCheque {
  std::string cd_cmc7;
  uint8_t no_tipo_pessoa = 0;  // 1 natural person, 2 company, 0 unknown
  std::string cd_cpf_cnpj;     // formatted with its mask
  bp::Money vl_cheque;
  bp::DateTime dt_deposito;
  uint8_t tp_operacao = 0;
  std::string ds_resultado;
  bool ic_consultado = false;
  bool ic_aprovado = false;
  bool ic_liberado_com_restricoes = false;
};

// Which consultation runs: the primary looks at every cheque table; the
// secondary, the fallback when the primary failed, looks only at the stored
// consultations and approves "with restrictions".
enum class OrdemConsulta { kPrimaria = 1, kSecundaria = 2 };

// Runs the rule and fills the record's result, consulted mark, approval
// and restriction flags. `agora` gives today for the deposit date.
void ConsultarCheque(bp::db::Connection& c, int32_t empresa, OrdemConsulta ordem,
                     ConsultaDeCheque& r, bp::DateTime agora);

// Stored consultations, keyed by the cheque's bank, agency, account and
// number. A record whose code line is not a CMC7 has no stored consultation
// and is never stored.
bool ConsultaGuardada(bp::db::Connection& c, std::string_view cd_cmc7);
// True when the cheque was already received or already pays a fuelling.
bool ChequeUtilizado(bp::db::Connection& c, int32_t empresa, const Cmc7& k);

// Gives the record, which holds the data typed for this consultation, the
// outcome of the stored one; false when there is none. The stored approval
// is kept only when it was given for the same data (person kind, document,
// value, deposit date), the cheque has not been used since and no other
// cheque of the account has been refused for the issuer's sake; otherwise the
// record reads as not approved, so that it is consulted again.
bool CarregarConsulta(bp::db::Connection& c, int32_t empresa, ConsultaDeCheque& r);
// Inserts (Guardar) or rewrites (Atualizar) the stored consultation.
void GuardarConsulta(bp::db::Connection& c, int32_t empresa, const ConsultaDeCheque& r,
                     bp::DateTime agora);
void AtualizarConsulta(bp::db::Connection& c, const ConsultaDeCheque& r, bp::DateTime agora);

}  // namespace station
