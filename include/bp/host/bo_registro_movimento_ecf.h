// The host's movement-file record writer: the text of each record type R01
// to R07 of the ECF movement file for a period, built from the database.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/host/bo_ecf.h"

namespace bp::host {

class DataAccess;

// What a writer operation gives back. The text holds every record of its
// type, joined by CR LF without a final one; it is empty when the period
// has no record of that type. False means the records could not be built.
struct RegistroMovimento {
  bool Ic_Sucesso = false;
  std::string Tx_Registros;
};

class BORegistroMovimentoECF {
 public:
  virtual ~BORegistroMovimentoECF() = default;

  // The data-access object the records are read through.
  virtual void SetObDAL(DataAccess& ob_dal) = 0;

  // Identification of the printer, the user company and the software.
  virtual RegistroMovimento R01(DateTime Dt_Inicial, DateTime Dt_Final, const std::string& No_Serie,
                                const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                const std::string& Ds_TipoECF, const std::string& Ds_MarcaECF,
                                const std::string& Ds_ModeloECF,
                                const std::string& Ds_VersaoSoftwareBasicoECF,
                                DateTime Dt_InstalacaoSoftwareECF, uint8_t No_Impressora,
                                const std::string& No_CnpjEmpresaUsuariaECF,
                                const std::string& Cd_IEstadualEmpresaUsuariaECF) = 0;
  // The Z reductions of the period.
  virtual RegistroMovimento R02(DateTime Dt_Inicial, DateTime Dt_Final, const std::string& No_Serie,
                                const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                const std::string& Ds_ModeloECF, bool Ic_PermiteDescontoISS) = 0;
  // The partial totals of those Z reductions.
  virtual RegistroMovimento R03(DateTime Dt_Inicial, DateTime Dt_Final, const std::string& No_Serie,
                                const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                const std::string& Ds_ModeloECF) = 0;
  // The fiscal coupons.
  virtual RegistroMovimento R04(uint8_t No_Impressora, DateTime Dt_Inicial, DateTime Dt_Final,
                                const std::string& No_Serie,
                                const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                const std::string& Ds_ModeloECF, int32_t No_OrdemUsuario) = 0;
  // The coupons' items.
  virtual RegistroMovimento R05(const RegistroECF& ecf, uint8_t No_Impressora, DateTime Dt_Inicial,
                                DateTime Dt_Final, const std::string& No_Serie,
                                const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                const std::string& Ds_ModeloECF, int32_t No_OrdemUsuario) = 0;
  // The other documents the printer issued.
  virtual RegistroMovimento R06(const RegistroECF& ecf, uint8_t No_Impressora, DateTime Dt_Inicial,
                                DateTime Dt_Final, const std::string& No_Serie,
                                const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                const std::string& Ds_ModeloECF, int32_t No_OrdemUsuario) = 0;
  // The means of payment.
  virtual RegistroMovimento R07(const RegistroECF& ecf, uint8_t No_Impressora, DateTime Dt_Inicial,
                                DateTime Dt_Final, const std::string& No_Serie,
                                const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                const std::string& Ds_ModeloECF, int32_t No_OrdemUsuario) = 0;
};

}  // namespace bp::host
