// The type library BP is what compiled hosts bind to: the library identity,
// each class's identifiers, and the members of each default interface slot
// by slot with their argument lists. The expected surface is written out by
// hand from the published class table and checked against the registry's
// descriptors.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/class_info.h"
#include "bp/registry.h"

namespace bp {
namespace {

// One line per slot: "<kind> <name>(<arguments>)[ -> <result>]", kind being
// method, get, let or set; an argument is "[Optional ][ByVal ]<name> <type>",
// passed by reference unless it says ByVal. Events: "<name>(<arguments>)".
struct ClassRow {
  std::string name;
  std::string clsid;
  std::string iid;
  std::string events_iid;
  std::string members;
  std::string events;
};

// The session: written by object assignment, read back as the same object.
const std::string kSession =
    "set ObBOSistema(ObBOSistema BOSistema)\n"
    "get ObBOSistema() -> BOSistema\n";

// A property typed as a plain value: read, then written by value.
std::string Prop(const std::string& name, const std::string& type) {
  return "get " + name + "() -> " + type + "\nlet " + name + "(ByVal " + name + " " + type + ")\n";
}

const std::string kScreen =
    "No_MT int16, No_Action action, No_Andamento int16, Tx_Buffer text, Tx_Linha1 text, "
    "Tx_Linha2 text";
const std::string kDay =
    "ObBOSistema BOSistema, ObBOAtividadeEconomica BOAtividadeEconomica, ObBOECF BOECF, "
    "ObBOImpressora object, ObBOCupomFiscal BOCupomFiscal, ObcihCupomFiscal object, "
    "Ds_MensagemErro text";
const std::string kReceivables =
    "Cd_PessoaUsuaria int32, Cd_ContaAReceberInicial int32, Cd_ContaAReceberFinal int32";
const std::string kPrepara =
    "method PreparaEstoqueConsolidado(Dt_Referencia date, Ic_IncluirEstoquePositivo Boolean, "
    "Ic_IncluirEstoqueNegativo Boolean, ObAndamento object)\n";
const std::string kMessages =
    "MostrarMensagem(Ds_Mensagem text, Ds_Titulo text)\n"
    "MostrarMensagemTTL(Ds_Mensagem text, Ds_Titulo text, Qt_SegundosTTL int16)\n";
const std::string kTaxExportProperties =
    Prop("Nm_CampoErroCrítica", "text") + Prop("Nm_Funcionario", "text") + Prop("Dt_Inicial", "date") +
    Prop("Dt_Final", "date") + Prop("Ic_Retificacao", "Tp_BytesimNao") + Prop("Ds_Caminho", "text");
const std::string kFileExportProperties = Prop("Ds_Caminho", "text") + Prop("Nm_CampoErroCrítica", "text");

const std::vector<ClassRow>& Expected() {
  static const std::vector<ClassRow> rows = {
      {"BPAbrirDia", "{3ACB5F30-2224-440D-88F6-4177CC772B66}", "{DE4094B1-8010-4DD5-B2D1-19287CE9D41C}", "",
       kSession + "method AbrirDia(" + kDay + ", No_TipoEdicaoReducaoZ Tp_EdicaoEnum)\n" +
           "method FecharDia(" + kDay + ") -> date\n" +
           "method ExportarMovimentoECF(Ds_CaminhoENomeArquivo text, ObBOImpressora object, "
           "Dt_Inicial date, Dt_Final date) -> Boolean\n",
       ""},
      {"BPEmitirNfServicosDeCupom", "{FED3FDBF-24EF-484C-AAE4-3850BF4AEAB9}",
       "{7E58E26F-9F4F-4B41-99E2-CE0D3F0FC80C}", "", kSession, ""},
      {"BPMTControlador", "{10CEC2D9-3C24-4A3E-AB79-3ACCE1CF3C20}", "{BF810A07-AEF1-44E6-B4DE-E26DAC404ACE}",
       "{2E00C048-AD91-48EB-8423-5318CE13EE45}",
       kSession + "method Execute(" + kScreen + ") -> Boolean\n" +
           "method setBOSistema(pObBOSistema BOSistema)\n",
       "AtualizarCih(" + kScreen + ")\n"},
      {"BPMTLiberarBico", "{36072FE1-FAA0-44D7-BDEC-9016BCDAA562}", "{6316904C-180F-43EB-9E9F-145BA4903BEA}",
       "{2C937E7A-BA43-4DCD-AF77-63357CDB79C8}", kSession + "method Execute(" + kScreen + ") -> Boolean\n",
       "AtualizarCih(" + kScreen + ")\n"},
      {"BPLiberarBico", "{74148EFB-B414-4AA9-888B-014F7918B104}", "{BBB1E157-DD73-4025-A858-A15B07FB4DFA}", "",
       kSession + "method Iniciar()\n" + "method setBOSistema(pObBOSistema BOSistema)\n" +
           "method BicoPodeSerLiberado(Cd_Funcionario int32, Nm_Senha text, "
           "No_TipoPagamento TipoPagamentoEnum, Cd_Veiculo text, Cd_Cmc7 text, Cd_CpfCnpj text, "
           "Dt_Deposito date, Cd_Bomba byte, Ic_BaixaAutomatica Boolean, Vl_Abastecimento money, "
           "No_Hodometro int32, Ds_Resultado text) -> Boolean\n"
           "method GravarResponsabilidade(Cd_Caixa int32, Cd_Bomba byte, Cd_Funcionario int32, "
           "Nm_Senha text, Cd_Veiculo text, Cd_Cmc7 text, No_TipoPagamento TipoPagamentoEnum, "
           "No_TipoVencimento due-date kind, Ic_BaixaAutomatica Boolean, Vl_Abastecimento money, "
           "Tx_DescontoAbastecimento money, No_Hodometro int32, Ds_Resultado text, "
           "No_TipoHardware hardware kind) -> Boolean\n",
       ""},
      {"BPFaturamento", "{AE09BCA1-70C5-4F68-9D73-C4EEB98FEBE0}", "{AE984131-E004-4E05-923B-90F7751CDBED}",
       "{85EEE169-7E29-40AA-A934-939DE91E7405}",
       kSession + "set ObBOEmpresaUsuaria(ByVal ObBOEmpresaUsuaria BOEmpresaUsuaria)\n" +
           "get ObBOEmpresaUsuaria() -> BOEmpresaUsuaria\n" +
           "method Validar(Optional No_TipoEdicao Tp_EdicaoEnum) -> Boolean\n" +
           "method CuponsAFaturaRs(Cd_PessoaUsuaria int32, Dt_Faturamento date) -> Recordset\n" +
           "method CuponsAFaturaSeletivoRs(Cd_PessoaUsuaria int32, Cd_Pessoa int32) -> Recordset\n" +
           "method NotasFiscaisDoFaturamentoRs(" + kReceivables + ") -> Recordset\n" +
           "method ContaAReceberDoFaturamentoRs(" + kReceivables + ") -> Recordset\n" +
           "method Faturar(Cd_Cliente int32, Dt_Faturamento date, Dt_Vencimento date, Tp_ImpNf byte, "
           "Cd_Funcionario int32, Vl_Debito money) -> int32\n"
           "method FaturamentoSeletivo(Cd_Cliente int32, ColCuponsAFaturar Collection, "
           "Cd_Funcionario int32) -> int32\n"
           "method DeveraGerarNotaFiscal(Tp_ImpNf byte, Cd_ContaAReceber int32) -> Boolean\n",
       kMessages},
      {"BPAtualizarBancoDeDados", "{771267DA-82C2-4AB9-87B5-DBDD2ADD2DBC}",
       "{670190F8-95DD-478B-BAB8-B0A2AB16A7D1}", "",
       kSession + "method Atualizar(Ic_AvisarSeExistirNovaVersao Boolean)\n" +
           "method CorrigirPrecoDaTransferencia()\n",
       ""},
      {"BPExportarCupomFiscal", "{A28E277E-E81F-46CF-B5BD-6EAFBACC034D}",
       "{AD0BDF32-DE91-4E55-864C-9A4DB85880AF}", "",
       Prop("Cd_ContaAReceber", "int32") + Prop("Ds_Path", "text") + Prop("Nm_ArqDestino", "text") + kSession +
           "method Validar(Optional No_TipoEdicao Tp_EdicaoEnum) -> Boolean\n" +
           "method Exportar(ObAndamento object, No_TipoArquivoExportacao export file kind) -> Boolean\n",
       ""},
      {"BPExportacaoSintegra", "{CB97E61D-31A6-43FA-B87F-1A6033165F21}",
       "{9BECD4AE-2CC2-487F-9E51-2BDEC0D55568}", "",
       kTaxExportProperties + kSession + "method Validar() -> Boolean\n" +
           "method ExportaSintegra() -> Boolean\n" + kPrepara,
       ""},
      {"BPExportacaoGam", "{AC95717A-D345-4722-850A-CFA2EE8CB619}", "{4C74FBD2-BB77-434A-ACF2-CA3318ED0A4F}", "",
       kTaxExportProperties + kSession + "method Validar() -> Boolean\n" + "method ExportaGAM() -> Boolean\n" +
           kPrepara,
       ""},
      {"BPExportacaoProdutos", "{E372BE64-FA34-40A9-B4C1-43FE508407A8}",
       "{1A93C748-45DA-4306-895E-B73E0C91C26A}", "",
       kFileExportProperties + kSession + "method Validar() -> Boolean\n" +
           "method ExportaProdutos() -> Boolean\n",
       ""},
      {"BPExportarEstoque", "{087CF764-BF23-40CF-A8FF-C634F5ED7480}", "{20A99273-D6DA-4856-8A20-28674E2D06A0}",
       "",
       kFileExportProperties + kSession + "method Validar() -> Boolean\n" +
           "method ExportarEstoque(Dt_Referencia date) -> Boolean\n",
       ""},
      {"BPExportarMovimentoECF", "{50960BF6-FC6C-4288-B169-9925CC08069C}",
       "{9288ED4D-9993-420C-BE6A-3B86D7873A50}", "",
       kFileExportProperties + kSession + "method Validar() -> Boolean\n" +
           "method ExportarMovimentoECF(Dt_Inicial date, Dt_Final date, "
           "Ic_ConfirmarAntesDeSobrescreverArquivo Boolean, ObBOECF BOECF) -> Boolean\n",
       ""},
      {"BPImportarMovimentoCaixa", "{EE93EAD9-031E-498D-8BBE-DA7BBB53A7B7}",
       "{40B2E83C-FB3C-483A-8E35-145CE5C7AFDE}", "{C4BB3547-7274-42B0-8F0D-979E5613BCDE}",
       kSession +
           "method Importar(Ds_InstanciaBancoDeDados text, Nm_BancoDeDados text, Cd_Caixa int32) -> int32\n",
       kMessages},
      {"Enumerador", "{C2892113-FDA2-4C43-967B-EC845FF37024}", "{08D77F5E-27F4-4644-9765-046DB4DCDD67}", "", "",
       ""},
  };
  return rows;
}

std::string ArgsText(const std::vector<ArgInfo>& args) {
  std::string text;
  for (const ArgInfo& a : args) {
    text += text.empty() ? "" : ", ";
    text += (a.optional ? "Optional " : "") + std::string(a.by_value ? "ByVal " : "") + a.name + " " + a.type;
  }
  return "(" + text + ")";
}

std::string MembersText(const ClassInfo& c) {
  std::string text;
  for (const MemberInfo& m : c.members) {
    const char* kind = m.kind == MemberKind::kMethod        ? "method"
                       : m.kind == MemberKind::kPropertyGet ? "get"
                       : m.kind == MemberKind::kPropertyLet ? "let"
                                                            : "set";
    text += std::string(kind) + " " + m.name + ArgsText(m.args) + (m.result.empty() ? "" : " -> " + m.result) +
            "\n";
  }
  return text;
}

std::string EventsText(const ClassInfo& c) {
  std::string text;
  for (const EventInfo& e : c.events) text += e.name + ArgsText(e.args) + "\n";
  return text;
}

TEST(TypeLibrary, LibraryIdentity) {
  const LibraryInfo& lib = typelib::Library();
  EXPECT_EQ(lib.name, "BP");
  EXPECT_EQ(lib.libid, "{A5110CD3-3823-4B69-8DAD-05A1B1C88DA0}");
  EXPECT_EQ(lib.major, 1);
  EXPECT_EQ(lib.minor, 0);
}

TEST(TypeLibrary, EveryClassHasItsIdentifiersAndMembersInSlotOrder) {
  const std::vector<const ClassInfo*> classes = AllClasses();
  const std::vector<ClassRow>& rows = Expected();
  ASSERT_EQ(classes.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const ClassRow& row = rows[i];
    const ClassInfo& c = *classes[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(c.name, row.name);
    EXPECT_EQ(c.ProgId(), "BP." + row.name);
    EXPECT_EQ(c.clsid, row.clsid);
    EXPECT_EQ(c.iid, row.iid);
    EXPECT_EQ(c.InterfaceName(), "_" + row.name);
    EXPECT_EQ(c.events_iid, row.events_iid);
    EXPECT_EQ(c.EventInterfaceName(), row.events_iid.empty() ? "" : "__" + row.name);
    EXPECT_EQ(MembersText(c), row.members);
    EXPECT_EQ(EventsText(c), row.events);

    // Both identifiers lead to this class, for lookup and for creation.
    EXPECT_EQ(typelib::Find("BP." + row.name), &c);
    EXPECT_EQ(typelib::Find(row.clsid), &c);
    if (CanCreate(c)) {
      EXPECT_EQ(CreateObject("BP." + row.name)->Info().clsid, row.clsid);
      EXPECT_EQ(CreateObject(row.clsid)->Info().name, row.name);
    }
  }
}

}  // namespace
}  // namespace bp
