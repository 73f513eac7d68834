// The host's SINTEGRA record builder: the lines of each record type of the
// SINTEGRA and GAM files (invoices, fiscal-printer days, inventory,
// products, fuel) and of the product-register and stock files, built from
// the database. Each operation adds the number of records it produced to
// the counter passed in.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/db/recordset.h"
#include "bp/host/bo_registro_movimento_ecf.h"

namespace bp::host {

class DataAccess;

// What a builder operation gives back, as the movement-file writer does: the
// records joined by CR LF without a final one (empty when there is none),
// and False when they could not be built.
using RegistrosSintegra = RegistroMovimento;

// The company data the product-register and stock headers carry.
struct EmpresaDosRegistros {
  std::string cnpj;
  std::string inscricao_estadual;
  std::string inscricao_municipal;
  std::string nome;
};

class BORegistroSintegra {
 public:
  virtual ~BORegistroSintegra() = default;

  // The data-access object the records are read through.
  virtual void SetObDAL(DataAccess& ob_dal) = 0;

  // Type 50: the invoices issued, or received, on a day.
  virtual RegistrosSintegra R50Emitidas(DateTime dia, int32_t& contador, const std::string& uf) = 0;
  virtual RegistrosSintegra R50Recebidas(DateTime dia, int32_t& contador) = 0;
  // Type 53: the tax substitution of the invoices issued on a day.
  virtual RegistrosSintegra R53Emitidas(DateTime dia, int32_t& contador, const std::string& uf) = 0;
  // Type 54: the items of the invoices issued, or received, on a day.
  virtual RegistrosSintegra R54Emitidas(DateTime dia, int32_t& contador) = 0;
  virtual RegistrosSintegra R54Recebidas(DateTime dia, int32_t& contador) = 0;

  // The fiscal-printer days of a period: Dt_Movimento and No_Impressora.
  virtual db::Recordset DiasDeImpressora(DateTime Dt_Inicial, DateTime Dt_Final) = 0;
  // Types 60M, 60A, 60D and 60I of one printer day.
  virtual RegistrosSintegra R60M(DateTime Dt_Movimento, uint8_t No_Impressora,
                                 int32_t& contador) = 0;
  virtual RegistrosSintegra R60A(DateTime Dt_Movimento, uint8_t No_Impressora,
                                 int32_t& contador) = 0;
  virtual RegistrosSintegra R60D(DateTime Dt_Movimento, uint8_t No_Impressora,
                                 int32_t& contador) = 0;
  virtual RegistrosSintegra R60I(DateTime Dt_Movimento, uint8_t No_Impressora,
                                 int32_t& contador) = 0;
  // Type 60R of a period (per product and month).
  virtual RegistrosSintegra R60R(DateTime Dt_Inicial, DateTime Dt_Final, int32_t& contador) = 0;
  // Type 74: the inventory at the period's last day.
  virtual RegistrosSintegra R74(DateTime Dt_Final, int32_t& contador, const std::string& uf) = 0;
  // Type 75: the products the period's records name.
  virtual RegistrosSintegra R75(DateTime Dt_Inicial, DateTime Dt_Final, int32_t& contador) = 0;

  // The fuel records of the GAM file: 88C, 88D, 88Q and 88T of a day, and
  // 88E, which takes no day.
  virtual RegistrosSintegra R88C(DateTime dia, int32_t& contador) = 0;
  virtual RegistrosSintegra R88D(DateTime dia, int32_t& contador) = 0;
  virtual RegistrosSintegra R88E(int32_t& contador) = 0;
  virtual RegistrosSintegra R88Q(DateTime dia, int32_t& contador) = 0;
  virtual RegistrosSintegra R88T(DateTime dia, int32_t& contador) = 0;

  // The product register: header, one P2 per product, totals.
  virtual RegistrosSintegra P1(const EmpresaDosRegistros& empresa) = 0;
  virtual RegistrosSintegra P2(const std::string& cnpj, int32_t& contador) = 0;
  virtual RegistrosSintegra P9(const std::string& cnpj, const std::string& inscricao_estadual,
                               int32_t& contador) = 0;
  // The stock at a date: header, one E2 per product, totals.
  virtual RegistrosSintegra E1(const EmpresaDosRegistros& empresa) = 0;
  virtual RegistrosSintegra E2(const std::string& cnpj, int32_t& contador,
                               DateTime Dt_Referencia) = 0;
  virtual RegistrosSintegra E9(const std::string& cnpj, const std::string& inscricao_estadual,
                               int32_t& contador) = 0;
};

}  // namespace bp::host
