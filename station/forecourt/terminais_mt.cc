#include "station/forecourt/terminais_mt.h"

#include <utility>

#include "bp/registry.h"

namespace station {

TerminaisMT::TerminaisMT(bp::host::BOSistemaRef sessao)
    : controlador_(bp::CreateObject<bp::BPMTControlador>("BP.BPMTControlador")) {
  controlador_->setBOSistema(std::move(sessao));
  controlador_->AtualizarCih.Connect([this](int16_t mt, bp::host::AcaoEnum acao,
                                            int16_t andamento, const std::string& buffer,
                                            const std::string& linha1,
                                            const std::string& linha2) {
    Terminal& t = terminais_[mt];
    t.acao = acao;
    t.andamento = andamento;
    t.buffer = buffer;
    t.linha1 = linha1;
    t.linha2 = linha2;
    if (ao_atualizar) ao_atualizar(mt, t);
  });
}

bool TerminaisMT::Tecla(int16_t No_MT, char tecla) {
  if (tecla_fica_no_buffer) {
    terminais_[No_MT].buffer += tecla;
    return Executar(No_MT, std::string());
  }
  return Executar(No_MT, std::string(1, tecla));
}

bool TerminaisMT::Consultar(int16_t No_MT) { return Executar(No_MT, std::string()); }

void TerminaisMT::DefinirAcao(int16_t No_MT, bp::host::AcaoEnum acao) {
  terminais_[No_MT].acao = acao;
}

bool TerminaisMT::Executar(int16_t No_MT, const std::string& tecla) {
  // The controller receives copies: what a terminal keeps comes from the
  // events (and the kept keys).
  Terminal t = terminais_[No_MT];
  t.buffer += tecla;
  int16_t mt = No_MT;
  return controlador_->Execute(mt, t.acao, t.andamento, t.buffer, t.linha1, t.linha2);
}

}  // namespace station
