// The type library BP is what compiled hosts bind to: the library identity,
// each class's identifiers, and the members of each default interface slot
// by slot with their argument lists. The expected surface is written out by
// hand from the published class table (contracts/type_library.txt) and
// checked against the registry's descriptors.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/class_info.h"
#include "bp/registry.h"
#include "support/table_file.h"

namespace bp {
namespace {

struct ClassRow {
  std::string name;
  std::string clsid;
  std::string iid;
  std::string events_iid;
  std::string members;  // one line per slot, as MembersText writes them
  std::string events;   // one line per event, as EventsText writes them
};

// The classes of contracts/type_library.txt, in order.
std::vector<ClassRow> Expected() {
  std::vector<ClassRow> rows;
  for (const std::string& line : testing::TableRows("contracts/type_library.txt")) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "class") {
      ClassRow& row = rows.emplace_back();
      words >> row.name >> row.clsid >> row.iid >> row.events_iid;
      if (row.events_iid == "-") row.events_iid.clear();
    } else if (kind == "event") {
      rows.back().events += line.substr(kind.size() + 1) + "\n";
    } else {
      rows.back().members += line + "\n";
    }
  }
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
  const std::vector<ClassRow> rows = Expected();
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
