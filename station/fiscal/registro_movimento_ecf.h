// The station's movement-file record writer: the records R01 to R07 of the
// ECF movement file, fixed-width, built from the station database. The
// layout of every field, its width and its source are in
// docs/movement-file.md.
//
// Records of one type are joined by CR LF without a final one. A record that
// cannot be written (a value its numeric field cannot hold, an item taxed at
// a rate the printer was not programmed with) makes the whole type fail:
// Ic_Sucesso False, empty text, and the reason kept in UltimaFalha().
// Database failures are raised.
#pragma once

#include <string>

#include "bp/host/bo_registro_movimento_ecf.h"
#include "bp/host/bo_sistema.h"

namespace station {

// Widths of the records, the type included.
inline constexpr size_t kLarguraR01 = 310;
inline constexpr size_t kLarguraR02 = 104;
inline constexpr size_t kLarguraR03 = 72;
inline constexpr size_t kLarguraR04 = 197;
inline constexpr size_t kLarguraR05 = 274;
inline constexpr size_t kLarguraR06 = 87;
inline constexpr size_t kLarguraR07 = 112;

class RegistroMovimentoEcf final : public bp::host::BORegistroMovimentoECF {
 public:
  // The company is the session's; the data-access object is the session's
  // until SetObDAL gives another.
  explicit RegistroMovimentoEcf(bp::host::BOSistema& sessao);

  void SetObDAL(bp::host::DataAccess& ob_dal) override { dal_ = &ob_dal; }
  const std::string& UltimaFalha() const { return falha_; }

  bp::host::RegistroMovimento R01(bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                  const std::string& No_Serie,
                                  const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                  const std::string& Ds_TipoECF, const std::string& Ds_MarcaECF,
                                  const std::string& Ds_ModeloECF,
                                  const std::string& Ds_VersaoSoftwareBasicoECF,
                                  bp::DateTime Dt_InstalacaoSoftwareECF, uint8_t No_Impressora,
                                  const std::string& No_CnpjEmpresaUsuariaECF,
                                  const std::string& Cd_IEstadualEmpresaUsuariaECF) override;
  bp::host::RegistroMovimento R02(bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                  const std::string& No_Serie,
                                  const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                  const std::string& Ds_ModeloECF,
                                  bool Ic_PermiteDescontoISS) override;
  bp::host::RegistroMovimento R03(bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                  const std::string& No_Serie,
                                  const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                  const std::string& Ds_ModeloECF) override;
  bp::host::RegistroMovimento R04(uint8_t No_Impressora, bp::DateTime Dt_Inicial,
                                  bp::DateTime Dt_Final, const std::string& No_Serie,
                                  const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                  const std::string& Ds_ModeloECF,
                                  int32_t No_OrdemUsuario) override;
  bp::host::RegistroMovimento R05(const bp::host::RegistroECF& ecf, uint8_t No_Impressora,
                                  bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                  const std::string& No_Serie,
                                  const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                  const std::string& Ds_ModeloECF,
                                  int32_t No_OrdemUsuario) override;
  bp::host::RegistroMovimento R06(const bp::host::RegistroECF& ecf, uint8_t No_Impressora,
                                  bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                  const std::string& No_Serie,
                                  const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                  const std::string& Ds_ModeloECF,
                                  int32_t No_OrdemUsuario) override;
  bp::host::RegistroMovimento R07(const bp::host::RegistroECF& ecf, uint8_t No_Impressora,
                                  bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                  const std::string& No_Serie,
                                  const std::string& Ds_LetraIndicativaMemoriaAdicional,
                                  const std::string& Ds_ModeloECF,
                                  int32_t No_OrdemUsuario) override;

 private:
  bp::host::BOSistema& sessao_;
  bp::host::DataAccess* dal_;
  std::string falha_;
};

}  // namespace station
