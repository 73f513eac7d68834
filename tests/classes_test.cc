#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "bp/bp_emitir_nf_servicos_de_cupom.h"
#include "bp/class_info.h"
#include "bp/enumerador.h"
#include "bp/erro.h"
#include "bp/registry.h"

namespace bp {
namespace {

// Runs `create` and returns the error it raised (number 0 if none).
template <class F>
Erro RaisedBy(F&& create) {
  try {
    create();
  } catch (const Erro& e) {
    return e;
  }
  return {};
}

TEST(Registry, CreatesByProgIdOrClassIdWithoutRegardToCase) {
  auto by_progid = CreateObject("BP.BPEmitirNfServicosDeCupom");
  ASSERT_NE(dynamic_cast<BPEmitirNfServicosDeCupom*>(by_progid.get()), nullptr);
  EXPECT_EQ(by_progid->Info().name, "BPEmitirNfServicosDeCupom");

  EXPECT_NE(CreateObject<BPEmitirNfServicosDeCupom>("bp.bpemitirnfservicosdecupom"), nullptr);
  EXPECT_NE(CreateObject<BPEmitirNfServicosDeCupom>("{fed3fdbf-24ef-484c-aae4-3850bf4aeab9}"), nullptr);
  auto enumerador = CreateObject<Enumerador>("{C2892113-FDA2-4C43-967B-EC845FF37024}");
  ASSERT_NE(enumerador, nullptr);
  EXPECT_TRUE(enumerador->Info().members.empty());

  // The typed helper refuses an identifier of another class.
  EXPECT_EQ(RaisedBy([] { CreateObject<Enumerador>("BP.BPEmitirNfServicosDeCupom"); }).number,
            rt::kTypeMismatch);
}

TEST(Registry, UnbuiltAndUnknownClassesRaise429NamingTheIdentifier) {
  for (const char* id : {"BP.BPFaturamento", "{AE09BCA1-70C5-4F68-9D73-C4EEB98FEBE0}", "BP.Inexistente",
                         "BPEmitirNfServicosDeCupom", "{00000000-0000-0000-0000-000000000000}"}) {
    const Erro e = RaisedBy([&] { CreateObject(id); });
    EXPECT_EQ(e.number, rt::kCantCreateObject) << id;
    EXPECT_NE(e.description.find("ActiveX component can't create object"), std::string::npos) << id;
    EXPECT_NE(e.description.find(id), std::string::npos) << e.description;
  }
  const ClassInfo& faturamento = typelib::BPFaturamento();
  EXPECT_FALSE(CanCreate(faturamento));
  EXPECT_TRUE(CanCreate(typelib::Enumerador()));
}

// A session that is only stored and compared, never called.
class StoredOnlySession final : public host::BOSistema {
 public:
  host::BOEmpresaUsuaria& EmpresaUsuaria() override { throw Erro(rt::kObjectNotSet, "unused"); }
  int32_t Cd_PessoaUsuaria() override { return 0; }
  host::DataAccess& ObDAL() override { throw Erro(rt::kObjectNotSet, "unused"); }
  void BeginWork(const std::string&, bool&) override {}
  void EndWork(const std::string&, bool) override {}
};

TEST(PublicClass, SessionPropertyReturnsTheSameObject) {
  auto object = CreateObject("BP.BPEmitirNfServicosDeCupom");
  EXPECT_EQ(object->ObBOSistema(), nullptr);
  auto first = std::make_shared<StoredOnlySession>();
  auto second = std::make_shared<StoredOnlySession>();
  object->SetObBOSistema(first);
  EXPECT_EQ(object->ObBOSistema().get(), first.get());
  object->SetObBOSistema(second);
  EXPECT_EQ(object->ObBOSistema().get(), second.get());

  // No published property by name: 438.
  EXPECT_EQ(RaisedBy([&] { object->LetProperty("Ds_Caminho", Value("x")); }).number,
            rt::kMemberNotSupported);
  EXPECT_EQ(RaisedBy([&] { object->GetProperty("ObBOSistema"); }).number, rt::kMemberNotSupported);
}

// Slot order is the contract with compiled hosts: a property takes two slots.
TEST(TypeLibrary, SlotOrderAndPassingOfLiberarBicoAndFaturamento) {
  const ClassInfo& lib = typelib::BPLiberarBico();
  ASSERT_EQ(lib.members.size(), 6u);
  EXPECT_EQ(lib.members[0].kind, MemberKind::kPropertySet);
  EXPECT_EQ(lib.members[0].name, "ObBOSistema");
  EXPECT_EQ(lib.members[1].kind, MemberKind::kPropertyGet);
  EXPECT_EQ(lib.members[2].name, "Iniciar");
  EXPECT_EQ(lib.members[3].name, "setBOSistema");
  EXPECT_EQ(ClassInfo::Slot(4), 11);
  const MemberInfo& gravar = lib.members[5];
  ASSERT_EQ(gravar.name, "GravarResponsabilidade");
  ASSERT_EQ(gravar.args.size(), 14u);
  EXPECT_EQ(gravar.args[7].name, "No_TipoVencimento");
  EXPECT_EQ(gravar.args[10].name, "Tx_DescontoAbastecimento");
  EXPECT_EQ(gravar.args[10].type, "money");
  for (const ArgInfo& a : gravar.args) EXPECT_FALSE(a.by_value) << a.name;
  EXPECT_EQ(lib.FindMember("bicopodeserliberado", MemberKind::kMethod)->args[7].type, "byte");
  EXPECT_FALSE(lib.RaisesEvents());

  const ClassInfo& fat = typelib::BPFaturamento();
  ASSERT_EQ(fat.members.size(), 12u);
  EXPECT_EQ(fat.members[2].name, "ObBOEmpresaUsuaria");
  EXPECT_EQ(fat.members[2].kind, MemberKind::kPropertySet);
  EXPECT_TRUE(fat.members[2].args[0].by_value);
  EXPECT_FALSE(fat.members[0].args[0].by_value);  // ObBOSistema by reference
  const MemberInfo& validar = fat.members[4];
  EXPECT_EQ(validar.name, "Validar");
  EXPECT_TRUE(validar.args[0].optional);
  EXPECT_EQ(validar.args[0].type, "Tp_EdicaoEnum");
  EXPECT_EQ(fat.members[11].name, "DeveraGerarNotaFiscal");
  EXPECT_EQ(fat.EventInterfaceName(), "__BPFaturamento");
  ASSERT_EQ(fat.events.size(), 2u);
  EXPECT_EQ(fat.events[1].args[2].name, "Qt_SegundosTTL");

  // Plain-value properties: get, then let with the value passed by value.
  const ClassInfo& cupom = typelib::BPExportarCupomFiscal();
  EXPECT_EQ(cupom.members[0].kind, MemberKind::kPropertyGet);
  EXPECT_EQ(cupom.members[1].kind, MemberKind::kPropertyLet);
  EXPECT_TRUE(cupom.members[1].args[0].by_value);
  EXPECT_EQ(cupom.members[6].name, "ObBOSistema");
  EXPECT_EQ(typelib::BPExportacaoGam().members[8].name, "Ic_Retificacao");
  EXPECT_EQ(typelib::BPExportacaoGam().members[8].result, "Tp_BytesimNao");
}

TEST(TypeLibrary, IdentifiersAreWellFormedAndUnique) {
  EXPECT_EQ(typelib::Library().name, "BP");
  EXPECT_EQ(typelib::Library().libid, "{A5110CD3-3823-4B69-8DAD-05A1B1C88DA0}");
  const auto classes = AllClasses();
  ASSERT_EQ(classes.size(), 15u);
  EXPECT_EQ(classes.front()->name, "BPAbrirDia");
  EXPECT_EQ(classes.back()->name, "Enumerador");

  std::set<std::string> ids{typelib::Library().libid};
  size_t with_events = 0;
  for (const ClassInfo* c : classes) {
    EXPECT_EQ(c->ProgId(), "BP." + c->name);
    EXPECT_EQ(c->InterfaceName(), "_" + c->name);
    EXPECT_EQ(typelib::Find(c->clsid), c);
    for (const std::string* id : {&c->clsid, &c->iid, &c->events_iid}) {
      if (id->empty()) continue;
      EXPECT_EQ(id->size(), 38u) << *id;
      EXPECT_TRUE(id->front() == '{' && id->back() == '}') << *id;
      EXPECT_TRUE(ids.insert(*id).second) << "repeated " << *id;
    }
    EXPECT_EQ(c->RaisesEvents(), !c->events.empty()) << c->name;
    with_events += c->RaisesEvents();
  }
  EXPECT_EQ(with_events, 4u);  // controller, nozzle dialogue, billing, import
}

}  // namespace
}  // namespace bp
