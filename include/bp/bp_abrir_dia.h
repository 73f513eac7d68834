// BPAbrirDia: opening and closing the fiscal day on the ECF. Opening stores
// the last Z reduction's data, deletes the coupons left unfinished and writes
// the signed movement file of that Z reduction's day; closing prints the
// fuel-volume report and the Z reduction, stores and exports the day, and
// logs each failing step to "Ret.log" instead of raising.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/enums.h"
#include "bp/erro.h"
#include "bp/host/bo_cupom_fiscal.h"
#include "bp/host/bo_ecf.h"
#include "bp/host/bo_impressora.h"
#include "bp/public_class.h"

namespace bp {

namespace host {
// Objects the host hands in that day opening and closing pass over: the
// economic-activity object and the coupon screen.
class BOAtividadeEconomica;
class CihCupomFiscal;
}  // namespace host

// The folder of the movement files below the system folder, ending with the
// separator: <system folder>/Fiscal/ECF/Dados ReducaoZ/.
std::string PastaArquivosMovimentoECF(const std::string& pasta_sistema);
// The movement file of a Z reduction: that folder + identification + serial fitted to 14 characters + "ddmmyyyy"
// + ".txt".
std::string CaminhoArquivoMovimentoECF(const std::string& pasta_sistema,
                                       const std::string& Cd_IdentificacaoECF,
                                       const std::string& serie, DateTime Dt_ReducaoZ);
// The serial as the file name holds it: a longer one keeps its last 14
// characters, a shorter one is trimmed and filled with blanks on the right.
std::string SerieNoNomeDoArquivo(const std::string& serie);

class BPAbrirDia final : public PublicClass {
 public:
  const ClassInfo& Info() const override;

  // Stores the last Z data (up to three tries, waiting 1000 ms after each
  // empty answer); without any, ends quietly. Otherwise deletes the
  // unfinished coupons and writes and signs the Z day's movement file.
  // Failures are raised with this class's trail.
  void AbrirDia(host::BOSistemaRef& ObBOSistema, host::BOAtividadeEconomica* ObBOAtividadeEconomica,
                host::BOECF* ObBOECF, host::BOImpressora* ObBOImpressora,
                host::BOCupomFiscal* ObBOCupomFiscal, host::CihCupomFiscal* ObcihCupomFiscal,
                std::string& Ds_MensagemErro, Tp_EdicaoEnum& No_TipoEdicaoReducaoZ);

  // Closes the day in four steps (order of the reports, printing, storing
  // and exporting, the late volume report); a failing step is logged to
  // "Ret.log" and the next one runs. Returns the Z date, or the empty date.
  DateTime FecharDia(host::BOSistemaRef& ObBOSistema, host::BOAtividadeEconomica* ObBOAtividadeEconomica,
                     host::BOECF* ObBOECF, host::BOImpressora* ObBOImpressora,
                     host::BOCupomFiscal* ObBOCupomFiscal, host::CihCupomFiscal* ObcihCupomFiscal,
                     std::string& Ds_MensagemErro);

  // Writes the movement file of the period for the workstation's ECF (number
  // 0 is taken as 1) without the overwrite question, then signs it. A file
  // that cannot be written raises 0x80042D72. Returns True.
  bool ExportarMovimentoECF(const std::string& Ds_CaminhoENomeArquivo,
                            host::BOImpressora* ObBOImpressora, const DateTime& Dt_Inicial,
                            const DateTime& Dt_Final);

  // What the last call did, for a host that reports it (not published).
  struct FalhaDoPasso {
    int16_t Passo = 0;
    Erro erro;  // as logged: its source ends with " - Passo:" and the step
  };
  DateTime UltimaReducaoZ() const { return ultima_reducao_z_; }
  int TentativasFeitas() const { return tentativas_; }
  const std::vector<host::RegistroCupomFiscal>& CuponsExcluidos() const { return excluidos_; }
  const std::string& ArquivoGerado() const { return arquivo_gerado_; }
  const std::vector<FalhaDoPasso>& FalhasDoFechamento() const { return falhas_; }

 private:
  DateTime GravarDadosDaUltimaReducaoZ(host::BOImpressora& ObBOImpressora,
                                       std::string& Ds_MensagemErro,
                                       Tp_EdicaoEnum& No_TipoEdicaoReducaoZ);
  void ExcluirCuponsNaoConcluidos(host::BOSistemaRef& ObBOSistema,
                                  host::BOCupomFiscal* ObBOCupomFiscal,
                                  host::CihCupomFiscal* ObcihCupomFiscal);
  // The movement-file path of a Z date for the printer and ECF handed in.
  std::string CaminhoDoMovimento(host::BOSistema& sessao, host::BOImpressora& impressora,
                                 host::BOECF* ecf, DateTime Dt_ReducaoZ);
  void RegistrarFalha(int16_t Passo);

  DateTime ultima_reducao_z_;
  int tentativas_ = 0;
  std::vector<host::RegistroCupomFiscal> excluidos_;
  std::string arquivo_gerado_;
  std::vector<FalhaDoPasso> falhas_;
};

}  // namespace bp
