#include "bp/bp_exportacao_sintegra.h"

#include <string>

#include "bp/disco_removivel.h"
#include "bp/env.h"
#include "bp/registry.h"
#include "exports/textos_exportacao.h"

namespace bp {
using namespace exportacao;

BPExportacaoSintegra::BPExportacaoSintegra() : ExportacaoSintegraBase(kBPExportacaoSintegra) {}

const ClassInfo& BPExportacaoSintegra::Info() const { return typelib::BPExportacaoSintegra(); }

bool BPExportacaoSintegra::ExportaSintegra() {
  return ExportacaoDeRegistros::Executar("ExportaSintegra", [&] { return Executar(); });
}

bool BPExportacaoSintegra::Executar() {
  Env& env = Env::Current();
  OferecerApagarDisco(Ds_Caminho(), env);
  if (!AbrirArquivo()) return false;
  PreparaEstoqueConsolidado(Dt_Final(), true, false, &Janela());
  Janela().Show();
  SetTitulo(kTituloSintegra);
  env.DoEvents();

  if (!Registros10e11()) return false;
  if (!Passo(geraRegistro50(), TituloQuando(" 50"), TextoQuando(" 50"))) return false;
  if (!Passo(geraRegistro53(), TituloQuando(" 53"), TextoQuando(" 53"))) return false;
  if (!Passo(geraRegistro54(), TituloQuando(" 54"), TextoQuando(" 54"))) return false;
  if (!Passo(geraRegistro60_CF(), TituloQuando(" 60"), TextoQuando(" 60"))) return false;

  host::BORegistroSintegra& construtor = Construtor();
  ContadoresSintegra& c = Contadores();
  SetDescricao(std::string(kExportandoTipo) + "60R");
  SetPercentual(57);
  if (!Passo(Escrever(construtor.R60R(Dt_Inicial(), Dt_Final(), c.r60r)), kTituloErroGeracao,
             TextoGeracao("60R")))
    return false;
  SetDescricao(std::string(kExportandoTipo) + "74");
  SetPercentual(68);
  if (!Passo(Escrever(construtor.R74(Dt_Final(), c.r74, Empresa().endereco.uf)), kTituloErroGeracao,
             TextoGeracao("74")))
    return false;
  SetDescricao(std::string(kExportandoTipo) + "75");
  SetPercentual(92);
  if (!Passo(Escrever(construtor.R75(Dt_Inicial(), Dt_Final(), c.r75)), kTituloErroGeracao,
             TextoGeracao("75")))
    return false;
  SetPercentual(100);
  return Passo(geraRegistro90(/*com_74=*/true), TituloQuando(" 90"), TextoQuando(" 90"));
}

bool BPExportacaoSintegra::geraRegistro50() {
  host::BORegistroSintegra& construtor = Construtor();
  return PorDia(2, 13, std::string(kExportandoTipo) + "50" + kNotasFiscais, [&](DateTime dia) {
    return Passo(Escrever(construtor.R50Emitidas(dia, Contadores().r50, Empresa().endereco.uf)),
                 TituloRegistro("50"), TextoRegistro("50", kDasEmitidas)) &&
           Passo(Escrever(construtor.R50Recebidas(dia, Contadores().r50)), TituloRegistro("50"),
                 TextoRegistro("50", kDasRecebidas));
  });
}

bool BPExportacaoSintegra::geraRegistro53() {
  host::BORegistroSintegra& construtor = Construtor();
  return PorDia(15, 13, std::string(kExportandoTipo) + "53" + kNotasFiscais, [&](DateTime dia) {
    return Passo(Escrever(construtor.R53Emitidas(dia, Contadores().r53, Empresa().endereco.uf)),
                 TituloRegistro("53"), TextoRegistro("53", kDasEmitidas));
  });
}

bool BPExportacaoSintegra::geraRegistro54() {
  host::BORegistroSintegra& construtor = Construtor();
  return PorDia(28, 13, std::string(kExportandoTipo) + "54" + kNotasFiscais, [&](DateTime dia) {
    return Passo(Escrever(construtor.R54Emitidas(dia, Contadores().r54)), TituloRegistro("54"),
                 TextoRegistro("54", kDasEmitidas)) &&
           Passo(Escrever(construtor.R54Recebidas(dia, Contadores().r54)), TituloRegistro("54"),
                 TextoRegistro("54", kDasRecebidas));
  });
}

bool BPExportacaoSintegra::geraRegistro60_CF() {
  host::BORegistroSintegra& construtor = Construtor();
  ContadoresSintegra& c = Contadores();
  db::Recordset dias = construtor.DiasDeImpressora(Dt_Inicial(), Dt_Final());
  const int64_t total = dias.RecordCount();
  for (int64_t i = 1; !dias.Eof(); ++i, dias.MoveNext()) {
    const DateTime dia = dias["Dt_Movimento"].ToDate();
    const uint8_t impressora = dias["No_Impressora"].ToByte();
    if (!Passo(Escrever(construtor.R60M(dia, impressora, c.r60m)), kTituloErroGeracao,
               TextoGeracao("60M")) ||
        !Passo(Escrever(construtor.R60A(dia, impressora, c.r60a)), kTituloErroGeracao,
               TextoGeracao("60A")) ||
        !Passo(Escrever(construtor.R60D(dia, impressora, c.r60d)), kTituloErroGeracao,
               TextoGeracao("60D")) ||
        !Passo(Escrever(construtor.R60I(dia, impressora, c.r60i)), kTituloErroGeracao,
               TextoGeracao("60I")))
      return false;
    SetPercentual(PercentualDoPasso(41, 13, i, total));
    SetDescricao(std::string(kExportandoTipo) + "60" + kCuponsFiscais);
  }
  return true;
}

namespace classes {
void RegisterBPExportacaoSintegra() {
  RegisterClass(typelib::BPExportacaoSintegra(),
                [] { return std::make_unique<BPExportacaoSintegra>(); });
}
}  // namespace classes

}  // namespace bp
