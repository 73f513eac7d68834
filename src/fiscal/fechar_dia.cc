// Day closing: four numbered steps, each failure written to "Ret.log" with
// its step number, and the walk going on with the next step.
#include <exception>
#include <string>

#include "bp/bp_abrir_dia.h"
#include "bp/env.h"
#include "bp/erros.h"
#include "bp/trap.h"
#include "fiscal/objeto_obrigatorio.h"
#include "fiscal/textos_fiscais.h"

namespace bp {
namespace {

using fiscal::kBPAbrirDia;

// Whether the fuel-volume report goes before the Z reduction: closing the
// open day itself, or a past day until two o'clock (to the minute).
bool VolumeAntesDaReducao(DateTime agora, DateTime Dt_Movimento) {
  const DateTime hoje = agora.DatePart();
  if (hoje == Dt_Movimento) return true;
  const bool madrugada = agora.Hour() < fiscal::kHoraLimiteVolumeAntes ||
                         (agora.Hour() == fiscal::kHoraLimiteVolumeAntes && agora.Minute() == 0);
  return hoje > Dt_Movimento && madrugada;
}

}  // namespace

void BPAbrirDia::RegistrarFalha(int16_t Passo) {
  Erro erro = ToErro(std::current_exception());
  const std::string passo = fiscal::kMarcaPasso + std::to_string(Passo);
  erro.source += Segment(kBPAbrirDia, "FecharDia") + passo;
  GravaLogEMostraErro(erro.number, erro.description, erro.source, std::string("FecharDia") + passo,
                      false, fiscal::kLogFechamento);
  falhas_.push_back({Passo, erro});
}

DateTime BPAbrirDia::FecharDia(host::BOSistemaRef& ObBOSistema,
                               host::BOAtividadeEconomica* /*ObBOAtividadeEconomica*/,
                               host::BOECF* ObBOECF, host::BOImpressora* ObBOImpressora,
                               host::BOCupomFiscal* /*ObBOCupomFiscal*/,
                               host::CihCupomFiscal* /*ObcihCupomFiscal*/,
                               std::string& Ds_MensagemErro) {
  falhas_.clear();
  arquivo_gerado_.clear();
  excluidos_.clear();
  tentativas_ = 0;
  ultima_reducao_z_ = DateTime();

  bool volume_antes = false;
  DateTime Dt_Movimento;
  DateTime reducao;
  const auto passo = [this](int16_t Passo, auto&& corpo) {
    try {
      corpo();
    } catch (...) {
      RegistrarFalha(Passo);
    }
  };

  passo(1, [&] {
    const DateTime agora = Env::Current().Now();
    Dt_Movimento = fiscal::Obrigatorio(ObBOImpressora, "ObBOImpressora").Dt_Movimento();
    volume_antes = VolumeAntesDaReducao(agora, Dt_Movimento);
  });

  passo(2, [&] {
    host::BOImpressora& impressora = fiscal::Obrigatorio(ObBOImpressora, "ObBOImpressora");
    if (volume_antes) {
      impressora.ImprimirVolumeCombustivelVendido(fiscal::Sessao(ObBOSistema), Dt_Movimento,
                                                  Dt_Movimento);
    }
    impressora.ImprimirReducaoZ();
  });

  passo(3, [&] {
    host::BOImpressora& impressora = fiscal::Obrigatorio(ObBOImpressora, "ObBOImpressora");
    Tp_EdicaoEnum edicao = Tp_EdicaoEnum::Tp_EdicaoOmitido;
    ++tentativas_;
    reducao = GravarDadosDaUltimaReducaoZ(impressora, Ds_MensagemErro, edicao);
    ultima_reducao_z_ = reducao;
    const std::string caminho =
        CaminhoDoMovimento(fiscal::Sessao(ObBOSistema), impressora, ObBOECF, reducao);
    ExportarMovimentoECF(caminho, ObBOImpressora, reducao, reducao);
  });

  passo(4, [&] {
    if (volume_antes) return;
    fiscal::Obrigatorio(ObBOImpressora, "ObBOImpressora")
        .ImprimirVolumeCombustivelVendido(fiscal::Sessao(ObBOSistema), reducao, reducao);
  });

  return reducao;
}

}  // namespace bp
