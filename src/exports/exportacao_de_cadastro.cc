#include "bp/exportacao_de_cadastro.h"

#include "bp/disco_removivel.h"
#include "bp/env.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/unit_of_work.h"
#include "bp/trap.h"
#include "exports/textos_exportacao.h"

namespace bp {

using namespace exportacao;

bool ExportacaoDeCadastro::Validar() {
  return Direct(Classe(), "Validar", [] { return true; });
}

bool ExportacaoDeCadastro::Exportar() {
  return ExportacaoDeRegistros::Executar(textos_.procedimento, [&] { return Executar(); });
}

bool ExportacaoDeCadastro::Grupo(const std::string& descricao, const std::string& tipo,
                                 const std::function<host::RegistrosSintegra()>& chamada) {
  SetDescricao(descricao);
  SetPercentual(100);
  return Passo(Escrever(chamada()), kTituloErroGeracao,
               kTextoErroGeracao + std::string(textos_.letra) + tipo + ".");
}

bool ExportacaoDeCadastro::Executar() {
  Env& env = Env::Current();
  OferecerApagarDisco(Ds_Caminho(), env);
  Janela().Show();
  SetPercentual(0);
  SetDescricao(kAbrindoArquivo);
  SetTitulo(textos_.titulo);
  if (!AbrirArquivo()) return false;

  const std::string letra = textos_.letra;
  host::EmpresaDosRegistros empresa;
  const bool cabecalho = Grupo("Exportando os registros " + letra + "1", "1", [&] {
    host::BOSistema& sessao = *ObBOSistema();
    host::BOEmpresaUsuaria& bo = sessao.EmpresaUsuaria();
    host::UnitOfWork work(sessao, host::Origem(Classe(), textos_.procedimento));
    bo.SetMarcador(work.Marker());
    work.End();
    const host::IdentificacaoEmpresa id = bo.Identificacao();
    empresa = {id.cnpj, id.inscricao_estadual, id.inscricao_municipal, id.nome};
    return Cabecalho(empresa);
  });
  if (!cabecalho) return false;
  if (!Grupo(kExportandoTipo + letra + "2", "2", [&] { return Itens(empresa.cnpj, contador_); }))
    return false;
  return Grupo(kExportandoTipo + letra + "9", "9",
               [&] { return Totais(empresa.cnpj, empresa.inscricao_estadual, contador_); });
}

}  // namespace bp
