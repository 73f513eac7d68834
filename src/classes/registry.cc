#include "bp/registry.h"

#include <string>
#include <utility>

namespace bp {

namespace classes {
// Registers every class built in this version (built_classes.cc).
void RegisterBuiltClasses();
}  // namespace classes

namespace {

struct Entry {
  const ClassInfo* info;
  ClassFactory factory;  // empty while the class is not built
};

// Starts with every class of the type library, without factories.
std::vector<Entry>& Entries() {
  static std::vector<Entry> entries = [] {
    std::vector<Entry> list;
    for (const ClassInfo& info : typelib::Classes()) list.push_back({&info, {}});
    return list;
  }();
  return entries;
}

// Runs the registration of every built class once, on first use.
void EnsureRegistered() {
  static const bool done = (classes::RegisterBuiltClasses(), true);
  (void)done;
}

Entry* Find(std::string_view id) {
  for (Entry& e : Entries())
    if (SameName(id, e.info->ProgId()) || SameName(id, e.info->clsid)) return &e;
  return nullptr;
}

}  // namespace

void RegisterClass(const ClassInfo& info, ClassFactory factory) {
  for (Entry& e : Entries()) {
    if (SameName(e.info->clsid, info.clsid)) {
      e.factory = std::move(factory);
      return;
    }
  }
  Entries().push_back({&info, std::move(factory)});
}

std::unique_ptr<PublicClass> CreateObject(std::string_view progid_or_clsid) {
  EnsureRegistered();
  const Entry* entry = Find(progid_or_clsid);
  if (entry == nullptr) RaiseRuntime(rt::kCantCreateObject, std::string(progid_or_clsid));
  if (!entry->factory)
    RaiseRuntime(rt::kCantCreateObject,
                 std::string(progid_or_clsid) + ": " + entry->info->name + " is not built in this version");
  return entry->factory();
}

std::vector<const ClassInfo*> AllClasses() {
  EnsureRegistered();
  std::vector<const ClassInfo*> list;
  for (const Entry& e : Entries()) list.push_back(e.info);
  return list;
}

bool CanCreate(const ClassInfo& info) {
  EnsureRegistered();
  const Entry* entry = Find(info.clsid);
  return entry != nullptr && static_cast<bool>(entry->factory);
}

}  // namespace bp
