#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "bp/bp_emitir_nf_servicos_de_cupom.h"
#include "bp/class_info.h"
#include "bp/enumerador.h"
#include "bp/erro.h"
#include "bp/registry.h"
#include "support/db_checks.h"

namespace bp {
namespace {

using testing::FailureOf;

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
  EXPECT_EQ(FailureOf([] { CreateObject<Enumerador>("BP.BPEmitirNfServicosDeCupom"); }).number,
            rt::kTypeMismatch);
}

TEST(Registry, EveryPublicClassIsBuiltAndUnknownOnesRaise429NamingTheIdentifier) {
  for (const char* id :
       {"BP.Inexistente", "BPEmitirNfServicosDeCupom", "{00000000-0000-0000-0000-000000000000}"}) {
    const Erro e = FailureOf([&] { CreateObject(id); });
    EXPECT_EQ(e.number, rt::kCantCreateObject) << id;
    EXPECT_NE(e.description.find("ActiveX component can't create object"), std::string::npos) << id;
    EXPECT_NE(e.description.find(id), std::string::npos) << e.description;
  }
  for (const ClassInfo& c : typelib::Classes()) {
    EXPECT_TRUE(CanCreate(c)) << c.name;
  }
  EXPECT_TRUE(CreateObject("{EE93EAD9-031E-498D-8BBE-DA7BBB53A7B7}") != nullptr);
}

// No published property by name: 438.
TEST(PublicClass, PropertiesByNameAreNotSupported) {
  auto object = CreateObject("BP.BPEmitirNfServicosDeCupom");
  EXPECT_EQ(FailureOf([&] { object->LetProperty("Ds_Caminho", Value("x")); }).number,
            rt::kMemberNotSupported);
  EXPECT_EQ(FailureOf([&] { object->GetProperty("ObBOSistema"); }).number, rt::kMemberNotSupported);
}

}  // namespace
}  // namespace bp
