// The type library BP: identifiers, member order and argument lists of every
// public class. Behaviour lives with each class; this file is only the
// published shape, which hosts compiled against the interface identifiers
// rely on slot by slot.
#include <array>
#include <initializer_list>
#include <utility>

#include "bp/class_info.h"

namespace bp {
namespace {

ArgInfo Ref(std::string name, std::string type) { return {std::move(name), std::move(type)}; }
ArgInfo Val(std::string name, std::string type) {
  return {std::move(name), std::move(type), /*by_value=*/true};
}
ArgInfo Opt(std::string name, std::string type) {
  return {std::move(name), std::move(type), /*by_value=*/false, /*optional=*/true};
}

// Appends the members of one default interface in slot order.
class Members {
 public:
  // ObBOSistema: written by object assignment, read back as the same object.
  Members& Session() { return ObjectProperty("ObBOSistema", "BOSistema", /*by_value=*/false); }

  // An object property: its set slot, then its get slot.
  Members& ObjectProperty(const std::string& name, const std::string& type, bool by_value) {
    list_.push_back({name, MemberKind::kPropertySet, {by_value ? Val(name, type) : Ref(name, type)}, ""});
    list_.push_back({name, MemberKind::kPropertyGet, {}, type});
    return *this;
  }

  // A plain-value property: its get slot, then its let slot (by value).
  Members& Property(const std::string& name, const std::string& type) {
    list_.push_back({name, MemberKind::kPropertyGet, {}, type});
    list_.push_back({name, MemberKind::kPropertyLet, {Val(name, type)}, ""});
    return *this;
  }

  Members& Method(std::string name, std::vector<ArgInfo> args, std::string result = "") {
    list_.push_back({std::move(name), MemberKind::kMethod, std::move(args), std::move(result)});
    return *this;
  }

  std::vector<MemberInfo> Done() { return std::move(list_); }

 private:
  std::vector<MemberInfo> list_;
};

// The screen-protocol arguments of the micro-terminal classes, shared by
// Execute and the event AtualizarCih.
std::vector<ArgInfo> ScreenArgs() {
  return {Ref("No_MT", "int16"),        Ref("No_Action", "action"), Ref("No_Andamento", "int16"),
          Ref("Tx_Buffer", "text"),     Ref("Tx_Linha1", "text"),   Ref("Tx_Linha2", "text")};
}

// The host objects that day opening and closing receive.
std::vector<ArgInfo> DayArgs() {
  return {Ref("ObBOSistema", "BOSistema"),
          Ref("ObBOAtividadeEconomica", "BOAtividadeEconomica"),
          Ref("ObBOECF", "BOECF"),
          Ref("ObBOImpressora", "object"),
          Ref("ObBOCupomFiscal", "BOCupomFiscal"),
          Ref("ObcihCupomFiscal", "object"),
          Ref("Ds_MensagemErro", "text")};
}

std::vector<ArgInfo> ReceivableRangeArgs() {
  return {Ref("Cd_PessoaUsuaria", "int32"), Ref("Cd_ContaAReceberInicial", "int32"),
          Ref("Cd_ContaAReceberFinal", "int32")};
}

std::vector<ArgInfo> PrepareStockArgs() {
  return {Ref("Dt_Referencia", "date"), Ref("Ic_IncluirEstoquePositivo", "Boolean"),
          Ref("Ic_IncluirEstoqueNegativo", "Boolean"), Ref("ObAndamento", "object")};
}

// The messages that the billing and import classes declare.
std::vector<EventInfo> MessageEvents() {
  return {{"MostrarMensagem", {Ref("Ds_Mensagem", "text"), Ref("Ds_Titulo", "text")}},
          {"MostrarMensagemTTL",
           {Ref("Ds_Mensagem", "text"), Ref("Ds_Titulo", "text"), Ref("Qt_SegundosTTL", "int16")}}};
}

// The properties that the SINTEGRA and GAM exports share, in slot order.
Members& TaxExportProperties(Members& m) {
  return m.Property("Nm_CampoErroCrítica", "text")
      .Property("Nm_Funcionario", "text")
      .Property("Dt_Inicial", "date")
      .Property("Dt_Final", "date")
      .Property("Ic_Retificacao", "Tp_BytesimNao")
      .Property("Ds_Caminho", "text");
}

std::vector<ClassInfo> Build() {
  std::vector<ClassInfo> c;
  const std::vector<ArgInfo> none;
  const std::vector<ArgInfo> optional_edicao = {Opt("No_TipoEdicao", "Tp_EdicaoEnum")};

  {
    auto args = DayArgs();
    args.push_back(Ref("No_TipoEdicaoReducaoZ", "Tp_EdicaoEnum"));
    c.push_back({"BPAbrirDia", "{3ACB5F30-2224-440D-88F6-4177CC772B66}",
                 "{DE4094B1-8010-4DD5-B2D1-19287CE9D41C}", "",
                 Members()
                     .Session()
                     .Method("AbrirDia", args)
                     .Method("FecharDia", DayArgs(), "date")
                     .Method("ExportarMovimentoECF",
                             {Ref("Ds_CaminhoENomeArquivo", "text"), Ref("ObBOImpressora", "object"),
                              Ref("Dt_Inicial", "date"), Ref("Dt_Final", "date")},
                             "Boolean")
                     .Done(),
                 {}});
  }
  c.push_back({"BPEmitirNfServicosDeCupom", "{FED3FDBF-24EF-484C-AAE4-3850BF4AEAB9}",
               "{7E58E26F-9F4F-4B41-99E2-CE0D3F0FC80C}", "", Members().Session().Done(), {}});
  c.push_back({"BPMTControlador", "{10CEC2D9-3C24-4A3E-AB79-3ACCE1CF3C20}",
               "{BF810A07-AEF1-44E6-B4DE-E26DAC404ACE}", "{2E00C048-AD91-48EB-8423-5318CE13EE45}",
               Members()
                   .Session()
                   .Method("Execute", ScreenArgs(), "Boolean")
                   .Method("setBOSistema", {Ref("pObBOSistema", "BOSistema")})
                   .Done(),
               {{"AtualizarCih", ScreenArgs()}}});
  c.push_back({"BPMTLiberarBico", "{36072FE1-FAA0-44D7-BDEC-9016BCDAA562}",
               "{6316904C-180F-43EB-9E9F-145BA4903BEA}", "{2C937E7A-BA43-4DCD-AF77-63357CDB79C8}",
               Members().Session().Method("Execute", ScreenArgs(), "Boolean").Done(),
               {{"AtualizarCih", ScreenArgs()}}});
  c.push_back(
      {"BPLiberarBico", "{74148EFB-B414-4AA9-888B-014F7918B104}",
       "{BBB1E157-DD73-4025-A858-A15B07FB4DFA}", "",
       Members()
           .Session()
           .Method("Iniciar", none)
           .Method("setBOSistema", {Ref("pObBOSistema", "BOSistema")})
           .Method("BicoPodeSerLiberado",
                   {Ref("Cd_Funcionario", "int32"), Ref("Nm_Senha", "text"),
                    Ref("No_TipoPagamento", "TipoPagamentoEnum"), Ref("Cd_Veiculo", "text"),
                    Ref("Cd_Cmc7", "text"), Ref("Cd_CpfCnpj", "text"), Ref("Dt_Deposito", "date"),
                    Ref("Cd_Bomba", "byte"), Ref("Ic_BaixaAutomatica", "Boolean"),
                    Ref("Vl_Abastecimento", "money"), Ref("No_Hodometro", "int32"),
                    Ref("Ds_Resultado", "text")},
                   "Boolean")
           .Method("GravarResponsabilidade",
                   {Ref("Cd_Caixa", "int32"), Ref("Cd_Bomba", "byte"), Ref("Cd_Funcionario", "int32"),
                    Ref("Nm_Senha", "text"), Ref("Cd_Veiculo", "text"), Ref("Cd_Cmc7", "text"),
                    Ref("No_TipoPagamento", "TipoPagamentoEnum"),
                    Ref("No_TipoVencimento", "due-date kind"), Ref("Ic_BaixaAutomatica", "Boolean"),
                    Ref("Vl_Abastecimento", "money"), Ref("Tx_DescontoAbastecimento", "money"),
                    Ref("No_Hodometro", "int32"), Ref("Ds_Resultado", "text"),
                    Ref("No_TipoHardware", "hardware kind")},
                   "Boolean")
           .Done(),
       {}});
  c.push_back(
      {"BPFaturamento", "{AE09BCA1-70C5-4F68-9D73-C4EEB98FEBE0}",
       "{AE984131-E004-4E05-923B-90F7751CDBED}", "{85EEE169-7E29-40AA-A934-939DE91E7405}",
       Members()
           .Session()
           .ObjectProperty("ObBOEmpresaUsuaria", "BOEmpresaUsuaria", /*by_value=*/true)
           .Method("Validar", optional_edicao, "Boolean")
           .Method("CuponsAFaturaRs", {Ref("Cd_PessoaUsuaria", "int32"), Ref("Dt_Faturamento", "date")},
                   "Recordset")
           .Method("CuponsAFaturaSeletivoRs",
                   {Ref("Cd_PessoaUsuaria", "int32"), Ref("Cd_Pessoa", "int32")}, "Recordset")
           .Method("NotasFiscaisDoFaturamentoRs", ReceivableRangeArgs(), "Recordset")
           .Method("ContaAReceberDoFaturamentoRs", ReceivableRangeArgs(), "Recordset")
           .Method("Faturar",
                   {Ref("Cd_Cliente", "int32"), Ref("Dt_Faturamento", "date"),
                    Ref("Dt_Vencimento", "date"), Ref("Tp_ImpNf", "byte"),
                    Ref("Cd_Funcionario", "int32"), Ref("Vl_Debito", "money")},
                   "int32")
           .Method("FaturamentoSeletivo",
                   {Ref("Cd_Cliente", "int32"), Ref("ColCuponsAFaturar", "Collection"),
                    Ref("Cd_Funcionario", "int32")},
                   "int32")
           .Method("DeveraGerarNotaFiscal", {Ref("Tp_ImpNf", "byte"), Ref("Cd_ContaAReceber", "int32")},
                   "Boolean")
           .Done(),
       MessageEvents()});
  c.push_back({"BPAtualizarBancoDeDados", "{771267DA-82C2-4AB9-87B5-DBDD2ADD2DBC}",
               "{670190F8-95DD-478B-BAB8-B0A2AB16A7D1}", "",
               Members()
                   .Session()
                   .Method("Atualizar", {Ref("Ic_AvisarSeExistirNovaVersao", "Boolean")})
                   .Method("CorrigirPrecoDaTransferencia", none)
                   .Done(),
               {}});
  c.push_back({"BPExportarCupomFiscal", "{A28E277E-E81F-46CF-B5BD-6EAFBACC034D}",
               "{AD0BDF32-DE91-4E55-864C-9A4DB85880AF}", "",
               Members()
                   .Property("Cd_ContaAReceber", "int32")
                   .Property("Ds_Path", "text")
                   .Property("Nm_ArqDestino", "text")
                   .Session()
                   .Method("Validar", optional_edicao, "Boolean")
                   .Method("Exportar",
                           {Ref("ObAndamento", "object"),
                            Ref("No_TipoArquivoExportacao", "export file kind")},
                           "Boolean")
                   .Done(),
               {}});
  {
    Members m;
    TaxExportProperties(m).Session().Method("Validar", none, "Boolean");
    m.Method("ExportaSintegra", none, "Boolean").Method("PreparaEstoqueConsolidado", PrepareStockArgs());
    c.push_back({"BPExportacaoSintegra", "{CB97E61D-31A6-43FA-B87F-1A6033165F21}",
                 "{9BECD4AE-2CC2-487F-9E51-2BDEC0D55568}", "", m.Done(), {}});
  }
  {
    Members m;
    TaxExportProperties(m).Session().Method("Validar", none, "Boolean");
    m.Method("ExportaGAM", none, "Boolean").Method("PreparaEstoqueConsolidado", PrepareStockArgs());
    c.push_back({"BPExportacaoGam", "{AC95717A-D345-4722-850A-CFA2EE8CB619}",
                 "{4C74FBD2-BB77-434A-ACF2-CA3318ED0A4F}", "", m.Done(), {}});
  }
  c.push_back({"BPExportacaoProdutos", "{E372BE64-FA34-40A9-B4C1-43FE508407A8}",
               "{1A93C748-45DA-4306-895E-B73E0C91C26A}", "",
               Members()
                   .Property("Ds_Caminho", "text")
                   .Property("Nm_CampoErroCrítica", "text")
                   .Session()
                   .Method("Validar", none, "Boolean")
                   .Method("ExportaProdutos", none, "Boolean")
                   .Done(),
               {}});
  c.push_back({"BPExportarEstoque", "{087CF764-BF23-40CF-A8FF-C634F5ED7480}",
               "{20A99273-D6DA-4856-8A20-28674E2D06A0}", "",
               Members()
                   .Property("Ds_Caminho", "text")
                   .Property("Nm_CampoErroCrítica", "text")
                   .Session()
                   .Method("Validar", none, "Boolean")
                   .Method("ExportarEstoque", {Ref("Dt_Referencia", "date")}, "Boolean")
                   .Done(),
               {}});
  c.push_back({"BPExportarMovimentoECF", "{50960BF6-FC6C-4288-B169-9925CC08069C}",
               "{9288ED4D-9993-420C-BE6A-3B86D7873A50}", "",
               Members()
                   .Property("Ds_Caminho", "text")
                   .Property("Nm_CampoErroCrítica", "text")
                   .Session()
                   .Method("Validar", none, "Boolean")
                   .Method("ExportarMovimentoECF",
                           {Ref("Dt_Inicial", "date"), Ref("Dt_Final", "date"),
                            Ref("Ic_ConfirmarAntesDeSobrescreverArquivo", "Boolean"),
                            Ref("ObBOECF", "BOECF")},
                           "Boolean")
                   .Done(),
               {}});
  c.push_back({"BPImportarMovimentoCaixa", "{EE93EAD9-031E-498D-8BBE-DA7BBB53A7B7}",
               "{40B2E83C-FB3C-483A-8E35-145CE5C7AFDE}", "{C4BB3547-7274-42B0-8F0D-979E5613BCDE}",
               Members()
                   .Session()
                   .Method("Importar",
                           {Ref("Ds_InstanciaBancoDeDados", "text"), Ref("Nm_BancoDeDados", "text"),
                            Ref("Cd_Caixa", "int32")},
                           "int32")
                   .Done(),
               MessageEvents()});
  c.push_back({"Enumerador", "{C2892113-FDA2-4C43-967B-EC845FF37024}",
               "{08D77F5E-27F4-4644-9765-046DB4DCDD67}", "", {}, {}});
  return c;
}

const std::vector<ClassInfo>& All() {
  static const std::vector<ClassInfo> classes = Build();
  return classes;
}

// The descriptor at a fixed position of the table; the position comes from
// BP_PUBLIC_CLASSES, which lists the classes in the order Build() adds them.
enum class Index : size_t {
#define BP_INDEX(Class) Class,
  BP_PUBLIC_CLASSES(BP_INDEX)
#undef BP_INDEX
};

}  // namespace


std::string_view KindText(MemberKind kind) {
  switch (kind) {
    case MemberKind::kMethod: return "método";
    case MemberKind::kPropertyGet: return "propriedade get";
    case MemberKind::kPropertyLet: return "propriedade let";
    case MemberKind::kPropertySet: return "propriedade set";
  }
  return "";
}

std::string ClassInfo::EventInterfaceName() const {
  return RaisesEvents() ? "__" + name : std::string();
}

const MemberInfo* ClassInfo::FindMember(std::string_view member, MemberKind kind) const {
  for (const MemberInfo& m : members)
    if (m.kind == kind && SameName(m.name, member)) return &m;
  return nullptr;
}

namespace typelib {

const LibraryInfo& Library() {
  static const LibraryInfo library{"BP", "{A5110CD3-3823-4B69-8DAD-05A1B1C88DA0}", 1, 0};
  return library;
}

std::span<const ClassInfo> Classes() { return All(); }

const ClassInfo* Find(std::string_view id) {
  for (const ClassInfo& c : All())
    if (SameName(id, c.name) || SameName(id, c.ProgId()) || SameName(id, c.clsid)) return &c;
  return nullptr;
}

#define BP_TYPELIB_ACCESSOR(Class) \
  const ClassInfo& Class() { return All()[static_cast<size_t>(Index::Class)]; }
BP_PUBLIC_CLASSES(BP_TYPELIB_ACCESSOR)
#undef BP_TYPELIB_ACCESSOR

}  // namespace typelib
}  // namespace bp
