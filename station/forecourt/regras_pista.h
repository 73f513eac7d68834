// The station's forecourt rules over its database: the attendant's cash
// register, the checks before a nozzle is released, the record of who is
// responsible for the fuelling, and the release log.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/db/connection.h"
#include "bp/money.h"

namespace station {

// The employee's cash register: the open one opened last; when none is
// open, the one opened last (closed, so the checks refuse it); when the
// employee never had one, code 0 and the empty date.
struct CaixaDoFuncionario {
  int32_t cd_caixa = 0;
  bp::DateTime dt_abertura;
  bool aberto = false;
};
CaixaDoFuncionario CarregarCaixa(bp::db::Connection& c, int32_t empresa, int32_t cd_funcionario);

// What a release check receives, in the order the checks take it.
struct PedidoLiberacao {
  uint8_t cd_bomba = 0;
  int32_t cd_funcionario = 0;
  std::string nm_senha;
  int32_t cd_caixa = 0;
  std::string cd_veiculo;
  bp::Money vl_abastecimento;
  int32_t no_hodometro = 0;
};

struct Veredito {
  bool liberado = false;
  std::string motivo;  // for Ds_Resultado
};

// Cash or card (and the first check of a cheque sale): the attendant's
// login holds, the nozzle exists, is active and not blocked, and the cash
// register is open and the attendant's.
Veredito VerificarDinheiroOuCartao(bp::db::Connection& c, int32_t empresa,
                                   const PedidoLiberacao& p, bp::DateTime agora);
// Credit: the cash-or-card check, then the vehicle is registered, its
// customer is not blocked and has no sale restriction on the nozzle's
// fuel, and the odometer is given (and not below the vehicle's last) where
// the customer or the company demands it.
Veredito VerificarVendaCredito(bp::db::Connection& c, int32_t empresa, const PedidoLiberacao& p,
                               bp::DateTime agora);

// Who answers for the fuelling a release allows.
struct Responsabilidade {
  uint8_t cd_bomba = 0;
  int32_t cd_caixa = 0;
  std::string cd_veiculo;
  std::string cd_cmc7;
  uint8_t no_tipo_pagamento = 0;
  uint8_t no_tipo_vencimento = 0;
  bool ic_baixa_automatica = false;
  bp::Money vl_abastecimento;
  bp::Money tx_desconto_abastecimento;
  int32_t no_hodometro = 0;
};

// Writes the released fuelling (an Abastecimento row awaiting the pump,
// Tp_OrigemRegistro kOrigemLiberacao, with the cash register's employee)
// and the nozzle's pending discount and odometer in Bomba. Refuses,
// writing nothing, when the nozzle or the open cash register is missing.
inline constexpr uint8_t kOrigemLiberacao = 3;
// Why an amount and its discount cannot be recorded: a negative amount or
// discount, or a discount that is not below the amount (a discount needs a
// preset amount); nullptr when they can.
const char* MotivoDeValores(bp::Money valor, bp::Money desconto);

Veredito GravarResponsabilidade(bp::db::Connection& c, int32_t empresa, const Responsabilidade& r,
                                bp::DateTime agora);

// One row of LogLiberacaoBico; the number is the company's next.
struct EntradaLogLiberacao {
  int32_t cd_pessoa_usuaria = 0;
  uint8_t cd_bomba = 0;
  int32_t cd_caixa = 0;
  std::string cd_veiculo;
  bp::DateTime dt_liberacao;
  bool ic_baixa_automatica = false;
  int32_t cd_funcionario = 0;
  uint8_t no_tipo_pagamento = 0;
  uint8_t no_tipo_vencimento = 0;
  int16_t no_tipo_hardware = 0;
};
// Inserts the row and returns its No_Liberacao. A vehicle or employee that
// is not registered is written empty; a nozzle that is not registered
// raises 0x80040660.
int32_t InserirLogLiberacao(bp::db::Connection& c, const EntradaLogLiberacao& e);

}  // namespace station
