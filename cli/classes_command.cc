// posto classes [NOME]: prints the type library BP — every public class with
// its identifiers, members in slot order and events, then every published
// enumeration. NOME (a class name, program identifier, class identifier or
// enumeration name) prints that one entry; --csv prints the members as a
// table.
#include <string>
#include <vector>

#include <fmt/format.h>

#include "bp/class_info.h"
#include "bp/enums.h"
#include "bp/registry.h"
#include "cli/commands.h"
#include "cli/csv.h"

namespace posto {
namespace {

std::string ArgText(const bp::ArgInfo& a) {
  return fmt::format("{}{} {} As {}", a.optional ? "Optional " : "", a.by_value ? "ByVal" : "ByRef",
                     a.name, a.type);
}

std::string ArgList(const std::vector<bp::ArgInfo>& args) {
  std::string text;
  for (const bp::ArgInfo& a : args) text += (text.empty() ? "" : ", ") + ArgText(a);
  return "(" + text + ")";
}

void Label(const std::string& label, const std::string& value) {
  fmt::print("  {:<22}{}\n", label, value);
}

void PrintClass(const bp::ClassInfo& c) {
  fmt::print("Classe {}\n", c.name);
  Label("ProgID", c.ProgId());
  Label("Id da classe", c.clsid);
  Label("Interface", c.InterfaceName() + " " + c.iid);
  if (c.RaisesEvents()) Label("Interface de eventos", c.EventInterfaceName() + " " + c.events_iid);
  Label("Pode ser criada", bp::CanCreate(c) ? "sim" : "não, não incluída nesta versão");
  if (c.members.empty()) Label("Membros", "nenhum");
  else fmt::print("  Membros (posição, tipo, nome, argumentos, retorno)\n");
  for (size_t i = 0; i < c.members.size(); ++i) {
    const bp::MemberInfo& m = c.members[i];
    fmt::print("    {:>3}  {:<16} {}{}{}\n", bp::ClassInfo::Slot(i), bp::KindText(m.kind), m.name,
               ArgList(m.args), m.result.empty() ? "" : " As " + m.result);
  }
  if (!c.events.empty()) fmt::print("  Eventos\n");
  for (const bp::EventInfo& e : c.events) fmt::print("         {}{}\n", e.name, ArgList(e.args));
  fmt::print("\n");
}

void PrintEnum(const bp::EnumInfo& e) {
  fmt::print("Enumeração {}\n", e.name);
  for (const bp::EnumMember& m : e.members) fmt::print("  {} = {}\n", m.name, m.value);
  fmt::print("\n");
}

// One line per member and event of a class, one per member of an
// enumeration, under the header that Classes prints first.
void CsvClass(const bp::ClassInfo& c) {
  for (size_t i = 0; i < c.members.size(); ++i) {
    const bp::MemberInfo& m = c.members[i];
    fmt::print("{}", LinhaCsv({"Classe", c.name, std::to_string(bp::ClassInfo::Slot(i)),
                               std::string(bp::KindText(m.kind)), m.name, ArgList(m.args), m.result, ""}));
  }
  for (const bp::EventInfo& e : c.events)
    fmt::print("{}", LinhaCsv({"Classe", c.name, "", "evento", e.name, ArgList(e.args), "", ""}));
}

void CsvEnum(const bp::EnumInfo& e) {
  for (const bp::EnumMember& m : e.members)
    fmt::print("{}", LinhaCsv({"Enumeração", std::string(e.name), "", "", std::string(m.name), "", "", std::to_string(m.value)}));
}

int Classes(const Options& o) {
  const bool csv = o.Has("--csv");
  const auto print_class = csv ? CsvClass : PrintClass;
  const auto print_enum = csv ? CsvEnum : PrintEnum;
  const bp::LibraryInfo& lib = bp::typelib::Library();
  const std::string name = o.Argument(0);
  const bp::ClassInfo* c = name.empty() ? nullptr : bp::typelib::Find(name);
  const bp::EnumInfo* e = name.empty() || c ? nullptr : bp::FindEnum(name);
  if (!name.empty() && !c && !e) {
    throw Failure("nenhuma classe ou enumeração chamada " + name + " na biblioteca de tipos " +
                  lib.name);
  }
  if (csv) fmt::print("{}", LinhaCsv({"Entrada", "Nome", "Posição", "Tipo", "Membro", "Argumentos",
                                      "Retorno", "Valor"}));
  if (c) print_class(*c);
  if (e) print_enum(*e);
  if (!name.empty()) return 0;
  if (!csv) fmt::print("Biblioteca de tipos {} {} versão {}.{}\n\n", lib.name, lib.libid, lib.major, lib.minor);
  for (const bp::ClassInfo* each : bp::AllClasses()) print_class(*each);
  for (const bp::EnumInfo& each : bp::kPublishedEnums) print_enum(each);
  return 0;
}

}  // namespace

std::vector<Command> ComandosClasses() {
  return {{"classes",
           "Mostra as classes públicas e as enumerações da biblioteca.",
           {kOpcaoCsv},
           {{"NOME", "uma classe, ProgID, id de classe ou enumeração (padrão: todas)", true}},
           Classes}};
}

}  // namespace posto
