// The outgoing invoice of a billing run: whether one is due, and the invoice
// built from the lines of the coupons under the receivable.
#include <memory>
#include <string>

#include "billing/textos_faturamento.h"
#include "bp/bp_faturamento.h"
#include "bp/env.h"
#include "bp/erro.h"
#include "bp/format.h"
#include "bp/trap.h"

namespace bp {
namespace {

using billing::kBPFaturamento;

// The grouping values of the current line row.
host::ChaveLinhaNota ChaveDaLinha(const db::Recordset& rs) {
  host::ChaveLinhaNota k;
  k.Cd_Produto = rs["Cd_Produto"].ToInt32();
  k.Vl_UnitVenda = rs["Vl_UnitVenda"].IsNull() ? Money() : rs["Vl_UnitVenda"].ToMoney();
  k.No_SitTributaria = rs["No_SitTributaria"].IsNull() ? "" : rs["No_SitTributaria"].ToText();
  k.Tx_Icms = rs["Tx_Icms"].IsNull() ? 0.0f : static_cast<float>(rs["Tx_Icms"].ToDouble());
  k.Fl_IssRetido = !rs["Fl_IssRetido"].IsNull() && rs["Fl_IssRetido"].ToBool();
  k.Tx_BaseCalculo =
      rs["Tx_BaseCalculo"].IsNull() ? 0.0f : static_cast<float>(rs["Tx_BaseCalculo"].ToDouble());
  k.No_TribIcms = rs["No_TribIcms"].IsNull() ? "" : rs["No_TribIcms"].ToText();
  return k;
}

}  // namespace

bool BPFaturamento::DeveraGerarNotaFiscal(uint8_t Tp_ImpNf, int32_t Cd_ContaAReceber) {
  return Direct(kBPFaturamento, "DeveraGerarNotaFiscal", [&] {
    const bool resposta = Tp_ImpNf == billing::kImpNfNaFatura;
    host::BOSistema& sessao = Sessao();
    if (sessao.EmpresaUsuaria().Faturamento().nf_todas_as_linhas) return resposta;
    const db::Recordset linhas =
        dal_->LinhasDaNota(sessao.Cd_PessoaUsuaria(), Cd_ContaAReceber, false);
    if (linhas.Bof() && linhas.Eof()) return false;
    return resposta;
  });
}

bool BPFaturamento::GerarNotaFiscalFaturamento(int32_t Cd_ContaAReceber) {
  return Direct(kBPFaturamento, "GerarNotaFiscalFaturamento", [&] {
    host::BOSistema& sessao = Sessao();
    const host::ConfiguracaoFaturamento empresa = sessao.EmpresaUsuaria().Faturamento();
    db::Recordset linhas =
        dal_->LinhasDaNota(sessao.Cd_PessoaUsuaria(), Cd_ContaAReceber, empresa.nf_todas_as_linhas);

    const host::RegistroContaAReceber& conta = conta_->Registro();
    std::unique_ptr<host::BOCliente> cliente = sessao.CriarCliente();
    cliente->SetObBOSistema(ObBOSistema());
    cliente->Limpar();
    cliente->Registro().Cd_PessoaUsuaria = conta.Cd_PessoaUsuaria;
    cliente->Registro().Cd_Cliente = conta.Cd_Cliente;
    cliente->Carregar();

    nota_->Limpar();
    host::RegistroNotaSaida& nota = nota_->Registro();
    nota.Cd_PessoaUsuaria = sessao.Cd_PessoaUsuaria();
    nota.Cd_TipoNF = empresa.tipo_nf;
    nota.Cd_Pessoa = conta.Cd_Cliente;
    nota.Dt_Emissao = Env::Current().Now().DatePart();
    nota.Dt_Vencimento = conta.Dt_Vencimento;
    nota.Vl_Total = conta.Vl_Debito;
    nota.Vl_TotProd = conta.Vl_Debito;
    nota.Vl_TotalLiquido = conta.Vl_Debito;
    nota.Cd_ContaAReceber = Cd_ContaAReceber;
    nota.Hr_Emissao = Format(Env::Current().Now(), billing::kFormatoHora);
    nota.Cd_Veiculo = "-";
    nota.Cd_Operacao = billing::kOperacaoNotaCupom;
    nota.Ic_Concluido = true;
    nota.No_Km = 0;
    nota.Ds_Observacao = billing::kObservacaoNota;
    nota.Ds_ObservacaoCliente = cliente->Registro().Ds_ObservacaoNfFatura;
    nota_->Preparar();

    uint8_t numero = 0;
    for (; !linhas.Eof(); linhas.MoveNext()) {
      const host::ChaveLinhaNota chave = ChaveDaLinha(linhas);
      const Money valor = dal_->ValorDaLinha(sessao.Cd_PessoaUsuaria(), Cd_ContaAReceber, chave);
      ++numero;
      host::ItemNotaSaida item;
      item.Cd_PessoaUsuaria = nota.Cd_PessoaUsuaria;
      item.Cd_TipoNF = nota.Cd_TipoNF;
      item.No_Nota = nota.No_Nota;
      item.No_Item = numero;
      item.Cd_Produto = chave.Cd_Produto;
      if (chave.Vl_UnitVenda == Money()) RaiseRuntime(rt::kDivisionByZero);
      item.Qt_Unidade = valor.ToDouble() / chave.Vl_UnitVenda.ToDouble();
      item.Vl_UnitVenda = chave.Vl_UnitVenda;
      item.No_SitTributaria = chave.No_SitTributaria;
      item.Tx_Icms = chave.Tx_Icms;
      item.Fl_IssRetido = chave.Fl_IssRetido;
      const host::OperacaoNota operacao = nota_->Operacao();
      const bool mesmo_estado =
          nota_->UFDestinatario() == sessao.EmpresaUsuaria().Identificacao().endereco.uf;
      item.Cd_CfopItem = mesmo_estado ? operacao.Cd_CfopEstadual : operacao.Cd_CfopInterestadual;
      item.Cd_CompCFOP =
          mesmo_estado ? operacao.Cd_CompCFOPEstadual : operacao.Cd_CompCFOPInterestadual;
      item.Tx_BaseCalculo = chave.Tx_BaseCalculo;
      item.No_TribIcms = chave.No_TribIcms;
      nota_->Itens().push_back(item);
    }
    nota_->Calcular();
    nota_->Gravar();
    return true;
  });
}

}  // namespace bp
