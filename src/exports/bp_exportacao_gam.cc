#include "bp/bp_exportacao_gam.h"

#include <string>

#include "bp/disco_removivel.h"
#include "bp/env.h"
#include "bp/registry.h"
#include "exports/textos_exportacao.h"

namespace bp {
using namespace exportacao;

BPExportacaoGam::BPExportacaoGam() : ExportacaoSintegraBase(kBPExportacaoGam) {}

const ClassInfo& BPExportacaoGam::Info() const { return typelib::BPExportacaoGam(); }

bool BPExportacaoGam::ExportaGAM() {
  return ExportacaoDeRegistros::Executar("ExportaGAM", [&] { return Executar(); });
}

bool BPExportacaoGam::Executar() {
  Env& env = Env::Current();
  OferecerApagarDisco(Ds_Caminho(), env);
  PreparaEstoqueConsolidado(Dt_Final(), true, false, &Janela());
  Janela().Show();
  env.DoEvents();
  SetPercentual(0);
  SetDescricao(kAbrindoArquivo);
  SetTitulo(kTituloGam);
  if (!AbrirArquivo()) return false;

  if (!Registros10e11()) return false;
  if (!Passo(geraRegistro50(), TituloQuando(" 50"), TextoQuando(" 50"))) return false;
  if (!Passo(geraRegistro54(), TituloQuando(" 54"), TextoQuando(" 54"))) return false;
  SetDescricao(std::string(kExportandoTipo) + "75");
  SetPercentual(33);
  if (!Passo(Escrever(Construtor().R75(Dt_Inicial(), Dt_Final(), Contadores().r75)),
             kTituloErroGeracao, TextoGeracao("75")))
    return false;
  if (!Passo(geraRegistro88(), TituloQuando(" 88"), TextoQuando(" 88"))) return false;
  return Passo(geraRegistro90(/*com_74=*/false), TituloQuando(" 90"), TextoQuando(" 90"));
}

bool BPExportacaoGam::geraRegistro50() {
  host::BORegistroSintegra& construtor = Construtor();
  return PorDia(2, 14, std::string(kExportandoTipo) + "50" + kNotasFiscais, [&](DateTime dia) {
    return Passo(Escrever(construtor.R50Recebidas(dia, Contadores().r50)), TituloRegistro("50"),
                 TextoRegistro("50", kDasRecebidas));
  });
}

bool BPExportacaoGam::geraRegistro54() {
  host::BORegistroSintegra& construtor = Construtor();
  return PorDia(7, 14, std::string(kExportandoTipo) + "54" + kNotasFiscais, [&](DateTime dia) {
    return Passo(Escrever(construtor.R54Recebidas(dia, Contadores().r54)), TituloRegistro("54"),
                 TextoRegistro("54", kDasRecebidas));
  });
}

bool BPExportacaoGam::geraRegistro88() {
  host::BORegistroSintegra& construtor = Construtor();
  int32_t& c = Contadores().r88;
  return PorDia(50, 14, std::string(kExportandoTipo) + "88" + kNotasFiscais, [&](DateTime dia) {
    return Passo(Escrever(construtor.R88C(dia, c)), TituloRegistro("88c"),
                 TextoRegistro("88c", kDasRecebidas)) &&
           Passo(Escrever(construtor.R88D(dia, c)), TituloRegistro("88d"),
                 TextoRegistro("88d", kDasRecebidas)) &&
           Passo(Escrever(construtor.R88E(c)), TituloRegistro("88e"),
                 TextoRegistro("88e", kDasRecebidas)) &&
           Passo(Escrever(construtor.R88Q(dia, c)), TituloRegistro("88q"),
                 TextoRegistro("88q", kDasRecebidas)) &&
           Passo(Escrever(construtor.R88T(dia, c)), TituloRegistro("88t"),
                 TextoRegistro("88t", kDasRecebidas));
  });
}

namespace classes {
void RegisterBPExportacaoGam() {
  RegisterClass(typelib::BPExportacaoGam(), [] { return std::make_unique<BPExportacaoGam>(); });
}
}  // namespace classes

}  // namespace bp
