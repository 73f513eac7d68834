#include "station/fiscal/reducao_z.h"

#include <string>
#include <variant>
#include <vector>

#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/format.h"
#include "station/session/sessao.h"
#include "station/session/transacao.h"

namespace station {
namespace {

using Dados = bp::host::DadosReducaoZ;
using Campo = std::variant<int32_t Dados::*, bp::Money Dados::*, std::string Dados::*,
                           bp::DateTime Dados::*, bool Dados::*>;

struct Coluna {
  const char* nome;
  Campo campo;
};

// Every ReducaoZ column but the key and the tax-rate slots, with the field
// of the data object it holds.
const std::vector<Coluna>& Colunas() {
  static const std::vector<Coluna> colunas = {
      {"No_ModoEmissaoReducaoZ", &Dados::No_ModoEmissaoReducaoZ},
      {"Qt_ContReducoes", &Dados::Qt_ContReducoes},
      {"Dt_EmissaoReducaoZ", &Dados::Dt_EmissaoReducaoZ},
      {"No_OrdemUsuario", &Dados::No_OrdemUsuario},
      {"No_ContadorReinicioDeOperacao", &Dados::No_ContadorReinicioDeOperacao},
      {"No_ContadorReducaoZ", &Dados::No_ContadorReducaoZ},
      {"Qt_ContOperacoes", &Dados::Qt_ContOperacoes},
      {"No_ContadorGeralOperacoesNaoFiscais", &Dados::No_ContadorGeralOperacoesNaoFiscais},
      {"No_ContadorCupomFiscal", &Dados::No_ContadorCupomFiscal},
      {"No_ContadorGeralRelatorioGerencial", &Dados::No_ContadorGeralRelatorioGerencial},
      {"No_ContadorFitaDetalheEmitida", &Dados::No_ContadorFitaDetalheEmitida},
      {"No_ContadorOperacaoNaoFiscalCancelada", &Dados::No_ContadorOperacaoNaoFiscalCancelada},
      {"No_ContadorCupomFiscalCancelado", &Dados::No_ContadorCupomFiscalCancelado},
      {"Ds_ContadorEspecificoOperacoesNaoFiscais",
       &Dados::Ds_ContadorEspecificoOperacoesNaoFiscais},
      {"Ds_ContadorEspecificoRelatoriosGerenciais",
       &Dados::Ds_ContadorEspecificoRelatoriosGerenciais},
      {"No_ContadorComprovantesDebitoOuCredito", &Dados::No_ContadorComprovantesDebitoOuCredito},
      {"No_ContadorComprovantesDeDebitoOuCreditoNaoEmitidos",
       &Dados::No_ContadorComprovantesDeDebitoOuCreditoNaoEmitidos},
      {"No_ContadorComprovantesDebitoOuCreditoCancelados",
       &Dados::No_ContadorComprovantesDebitoOuCreditoCancelados},
      {"Vl_GTotalFinal", &Dados::Vl_GTotalFinal},
      {"Vl_IsentasICMS", &Dados::Vl_IsentasICMS},
      {"Vl_NaoIncidenciaICMS", &Dados::Vl_NaoIncidenciaICMS},
      {"Vl_SubTribICMS", &Dados::Vl_SubTribICMS},
      {"Vl_IsentasISS", &Dados::Vl_IsentasISS},
      {"Vl_NaoIncidenciaISS", &Dados::Vl_NaoIncidenciaISS},
      {"Vl_SubTribISS", &Dados::Vl_SubTribISS},
      {"Vl_DescontosICMS", &Dados::Vl_DescontosICMS},
      {"Vl_DescontosISS", &Dados::Vl_DescontosISS},
      {"Vl_AcrescimosICMS", &Dados::Vl_AcrescimosICMS},
      {"Vl_AcrescimosISS", &Dados::Vl_AcrescimosISS},
      {"Vl_CancelamentosICMS", &Dados::Vl_CancelamentosICMS},
      {"Vl_CancelamentosISS", &Dados::Vl_CancelamentosISS},
      {"Ds_TotalizadoresParciaisNaoSujeitosAoICMS",
       &Dados::Ds_TotalizadoresParciaisNaoSujeitosAoICMS},
      {"Vl_TotalizadorSangria", &Dados::Vl_TotalizadorSangria},
      {"Vl_TotalizadorSuprimento", &Dados::Vl_TotalizadorSuprimento},
      {"Vl_TotalizadorCancelamentosNaoFiscais", &Dados::Vl_TotalizadorCancelamentosNaoFiscais},
      {"Vl_TotalizadorDescontosNaoFiscais", &Dados::Vl_TotalizadorDescontosNaoFiscais},
      {"Vl_TotalizadorAcrescimosNaoFiscais", &Dados::Vl_TotalizadorAcrescimosNaoFiscais},
      {"Ds_LetraIndicativaMemoriaAdicional", &Dados::Ds_LetraIndicativaMemoriaAdicional},
      {"Ds_TipoECF", &Dados::Ds_TipoECF},
      {"Ds_MarcaECF", &Dados::Ds_MarcaECF},
      {"Ds_ModeloECF", &Dados::Ds_ModeloECF},
      {"Dt_InstalacaoSoftwareECF", &Dados::Dt_InstalacaoSoftwareECF},
      {"No_CnpjEmpresaUsuariaECF", &Dados::No_CnpjEmpresaUsuariaECF},
      {"Cd_IEstadualEmpresaUsuariaECF", &Dados::Cd_IEstadualEmpresaUsuariaECF},
      {"Ic_PermiteDescontoISS", &Dados::Ic_PermiteDescontoISS},
      {"Ds_VersaoSoftwareBasicoECF", &Dados::Ds_VersaoSoftwareBasicoECF},
  };
  return colunas;
}

// The column of the slot at index `i` (0-based).
std::string Slot(const char* prefixo, size_t i) {
  return ColunaDoSlot(prefixo, static_cast<int>(i) + 1);
}

// Column names and values of a row, the slots last (null past the data's).
void Linha(const Dados& d, std::vector<std::string>& nomes, std::vector<bp::Value>& valores) {
  for (const Coluna& c : Colunas()) {
    nomes.emplace_back(c.nome);
    valores.push_back(std::visit(
        [&](auto membro) {
          if constexpr (std::is_same_v<decltype(membro), bp::DateTime Dados::*>) {
            if ((d.*membro).IsEmpty()) return bp::Value(bp::Null{});
          }
          return bp::Value(d.*membro);
        },
        c.campo));
  }
  for (size_t i = 0; i < static_cast<size_t>(20); ++i) {
    const bool tem = i < d.totalizadores.size();
    const bp::host::TotalizadorParcial t =
        tem ? d.totalizadores[i] : bp::host::TotalizadorParcial{};
    nomes.push_back(Slot("Tp_T", i));
    valores.push_back(tem ? bp::Value(static_cast<int32_t>(t.Tp)) : bp::Value(bp::Null{}));
    nomes.push_back(Slot("Vl_T", i));
    valores.push_back(tem ? bp::Value(t.Vl) : bp::Value(bp::Null{}));
    nomes.push_back(Slot("Al_T", i));
    valores.push_back(tem ? bp::Value(t.Al) : bp::Value(bp::Null{}));
  }
}

void Ler(const bp::db::Recordset& rs, Dados& d) {
  for (const Coluna& c : Colunas()) {
    const bp::Value& v = rs[c.nome];
    std::visit(
        [&](auto membro) {
          using T = std::remove_reference_t<decltype(d.*membro)>;
          if constexpr (std::is_same_v<T, int32_t>) d.*membro = InteiroOuZero(v);
          if constexpr (std::is_same_v<T, bp::Money>) d.*membro = DinheiroOuZero(v);
          if constexpr (std::is_same_v<T, std::string>) d.*membro = TextoOuVazio(v);
          if constexpr (std::is_same_v<T, bp::DateTime>) d.*membro = DataOuVazia(v);
          if constexpr (std::is_same_v<T, bool>) d.*membro = !v.IsNull() && v.ToBool();
        },
        c.campo);
  }
  d.totalizadores.clear();
  size_t usados = 0;
  for (size_t i = 0; i < static_cast<size_t>(20); ++i) {
    if (!rs[Slot("Tp_T", i)].IsNull()) usados = i + 1;
  }
  for (size_t i = 0; i < usados; ++i) {
    bp::host::TotalizadorParcial t;
    t.Tp = static_cast<uint8_t>(InteiroOuZero(rs[Slot("Tp_T", i)]));
    t.Vl = DinheiroOuZero(rs[Slot("Vl_T", i)]);
    t.Al = DinheiroOuZero(rs[Slot("Al_T", i)]);
    d.totalizadores.push_back(t);
  }
}

std::string Juntar(const std::vector<std::string>& partes, const char* separador,
                   const char* sufixo = "") {
  std::string texto;
  for (size_t i = 0; i < partes.size(); ++i) texto += (i ? separador : "") + partes[i] + sufixo;
  return texto;
}

}  // namespace

void ReducaoZ::Gravar() {
  if (dados_.Dt_Movimento.IsEmpty() || dados_.No_Impressora == 0) {
    constexpr int32_t kSemChave = static_cast<int32_t>(0x80040201);
    throw bp::Erro(kSemChave, bp::RetornaDescricaoErro(kSemChave), "BOReducaoZ");
  }
  if (dados_.totalizadores.size() > 20)
    bp::RaiseRuntime(bp::rt::kSubscriptOutOfRange, "BOReducaoZ");
  const int32_t empresa = Sessao().Cd_PessoaUsuaria();
  const bp::DateTime dia = dados_.Dt_Movimento.DatePart();
  const bp::Value impressora(static_cast<int32_t>(dados_.No_Impressora));
  std::vector<std::string> nomes;
  std::vector<bp::Value> valores;
  Linha(dados_, nomes, valores);
  const std::vector<bp::Value> chave = {bp::Value(empresa), bp::Value(dia), impressora};

  bp::db::Connection& c = Conexao();
  EmTransacao(c, "BOReducaoZ.Gravar", [&] {
    std::vector<bp::Value> com_chave = valores;
    com_chave.insert(com_chave.end(), chave.begin(), chave.end());
    const int64_t alterados =
        c.Execute("UPDATE ReducaoZ SET " + Juntar(nomes, ", ", " = ?") +
                      " WHERE Cd_PessoaUsuaria = ? AND Dt_Movimento = ? AND No_Impressora = ?",
                  com_chave);
    if (alterados == 0) {
      std::vector<bp::Value> linha = chave;
      linha.insert(linha.end(), valores.begin(), valores.end());
      const std::vector<std::string> marcas(linha.size(), "?");
      c.Execute("INSERT INTO ReducaoZ (Cd_PessoaUsuaria, Dt_Movimento, No_Impressora, " +
                    Juntar(nomes, ", ") + ") VALUES (" + Juntar(marcas, ", ") + ")",
                linha);
    }
    c.Execute(
        "UPDATE ECF SET Dt_Referencia = ? WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? "
        "AND (Dt_Referencia IS NULL OR Dt_Referencia < ?)",
        {bp::Value(dia), bp::Value(empresa), impressora, bp::Value(dia)});
  });
}

void ReducaoZ::CarregarUltimaReducaoZ(int32_t Cd_PessoaUsuaria, uint8_t No_Impressora) {
  const bp::db::Recordset rs = Conexao().Query(
      "SELECT * FROM ReducaoZ WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? "
      "ORDER BY Dt_Movimento DESC LIMIT 1",
      {bp::Value(Cd_PessoaUsuaria), bp::Value(static_cast<int32_t>(No_Impressora))});
  dados_ = bp::host::DadosReducaoZ{};
  if (rs.Eof()) return;
  dados_.Dt_Movimento = DataOuVazia(rs["Dt_Movimento"]);
  dados_.No_Impressora = No_Impressora;
  Ler(rs, dados_);
}

std::unique_ptr<bp::host::BOReducaoZ> Sessao::CriarReducaoZ() {
  return std::make_unique<ReducaoZ>(*this);
}

std::string ColunaDoSlot(const char* prefixo, int i) { return prefixo + bp::Format(i, "00"); }

}  // namespace station
