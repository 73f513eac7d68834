// posto classes [NAME]: prints the type library BP — every public class with
// its identifiers, members in slot order and events, then every published
// enumeration. NAME (a class name, program identifier, class identifier or
// enumeration name) prints that one entry.
#include <cstdio>
#include <string>

#include <fmt/format.h>

#include "bp/class_info.h"
#include "bp/enums.h"
#include "bp/registry.h"
#include "cli/commands.h"

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

void PrintClass(const bp::ClassInfo& c) {
  fmt::print("Class {}\n", c.name);
  fmt::print("  ProgID            {}\n", c.ProgId());
  fmt::print("  Class id          {}\n", c.clsid);
  fmt::print("  Interface         {} {}\n", c.InterfaceName(), c.iid);
  if (c.RaisesEvents()) fmt::print("  Event interface   {} {}\n", c.EventInterfaceName(), c.events_iid);
  fmt::print("  Can be created    {}\n", bp::CanCreate(c) ? "yes" : "no, not built in this version");
  if (c.members.empty()) fmt::print("  Members           none\n");
  else fmt::print("  Members (slot, kind, name, arguments, result)\n");
  for (size_t i = 0; i < c.members.size(); ++i) {
    const bp::MemberInfo& m = c.members[i];
    fmt::print("    {:>3}  {:<13} {}{}{}\n", bp::ClassInfo::Slot(i), bp::KindText(m.kind), m.name,
               ArgList(m.args), m.result.empty() ? "" : " As " + m.result);
  }
  if (!c.events.empty()) fmt::print("  Events\n");
  for (const bp::EventInfo& e : c.events) fmt::print("         {}{}\n", e.name, ArgList(e.args));
  fmt::print("\n");
}

void PrintEnum(const bp::EnumInfo& e) {
  fmt::print("Enum {}\n", e.name);
  for (const bp::EnumMember& m : e.members) fmt::print("  {} = {}\n", m.name, m.value);
  fmt::print("\n");
}

}  // namespace

int RunClasses(const Args& args) {
  if (args.size() > 1) {
    std::fprintf(stderr, "usage: posto classes [CLASS|PROGID|CLSID|ENUM]\n");
    return 2;
  }
  const bp::LibraryInfo& lib = bp::typelib::Library();
  if (args.empty()) {
    fmt::print("Type library {} {} version {}.{}\n\n", lib.name, lib.libid, lib.major, lib.minor);
    for (const bp::ClassInfo* c : bp::AllClasses()) PrintClass(*c);
    for (const bp::EnumInfo& e : bp::kPublishedEnums) PrintEnum(e);
    return 0;
  }
  const std::string& name = args[0];
  if (const bp::ClassInfo* c = bp::typelib::Find(name)) {
    PrintClass(*c);
    return 0;
  }
  if (const bp::EnumInfo* e = bp::FindEnum(name)) {
    PrintEnum(*e);
    return 0;
  }
  std::fprintf(stderr, "posto classes: no class or enumeration named %s in type library %s\n",
               name.c_str(), lib.name.c_str());
  return 1;
}

}  // namespace posto
