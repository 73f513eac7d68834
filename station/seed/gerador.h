// A realistic history for a new station database: the registers a station
// keeps (people, products and fuels, tanks, pumps and nozzles, fiscal
// printers, customers, suppliers) and day after day of movement (fiscal
// coupons and their items, fuelings, the stock card, purchases, the daily
// printer summary, cash registers, monthly billing of credit customers with
// its receivables and receipts, expenses).
//
// The database must be at version 18, just created by CriarBancoVersao18
// (the company row must exist and no movement may be there yet). The same
// options and seed always give the same rows. Everything is written in one
// transaction with multi-row INSERTs with bound parameters, so a failure
// leaves the database as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bp/datetime.h"
#include "bp/db/connection.h"

namespace station {

struct OpcoesGerador {
  int32_t dias = 30;            // days of movement, from `inicio` on
  int32_t cupons_dia = 300;     // fiscal coupons on an average day
  int32_t itens_cupom = 3;      // average items per coupon (1 .. 2n-1)
  int32_t produtos = 60;        // products: fuels, services and shop items
  int32_t clientes = 150;       // credit customers
  int32_t funcionarios = 12;    // employees (attendants, cashiers, manager)
  int32_t bicos = 12;           // nozzles, spread over the fuels
  int32_t impressoras = 3;      // fiscal printers (ECF)
  uint64_t semente = 1;         // seed of every random choice
  bp::DateTime inicio = bp::DateTime::Of(2004, 7, 1);
  int32_t cd_pessoa_usuaria = 1;  // the company the rows belong to
  // Told after each day of movement: the days done and the days in all.
  std::function<void(int32_t feitos, int32_t dias)> ao_fim_do_dia;
};

struct ResumoGerador {
  // Rows written per table, in the order the tables were first written.
  std::vector<std::pair<std::string, int64_t>> linhas;
  double segundos = 0;

  int64_t Linhas(const std::string& tabela) const;
  int64_t Total() const;
};

// Raises 0x80040E14 naming the option when an option is out of range.
void ConferirOpcoes(const OpcoesGerador& opcoes);

// Fills the database; raises 0x80040E14 (changing nothing) when the options
// are out of range, the database is not at version 18, the company is
// missing, or movement is already there.
ResumoGerador GerarMovimento(bp::db::Connection& connection, const OpcoesGerador& opcoes);

}  // namespace station
