// Creation of the public classes by program identifier ("BP.BPFaturamento")
// or class identifier ("{AE09BCA1-70C5-4F68-9D73-C4EEB98FEBE0}"), the way a
// host creates them; both are compared case-insensitively.
//
// Every class of the type library is described; a class can be created once
// its source file registers a factory. The registrations are called by name
// from one list on first use (a static library would drop object files that
// only hold static constructors), so adding a class means adding its
// registration function to that list.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bp/class_info.h"
#include "bp/erro.h"
#include "bp/public_class.h"

namespace bp {

using ClassFactory = std::function<std::unique_ptr<PublicClass>()>;

// Attaches `factory` to the class `info` describes (matched by class
// identifier); a descriptor the type library does not hold is added after
// the others. `info` must live for the whole program.
void RegisterClass(const ClassInfo& info, ClassFactory factory);

// A new instance of the class. An identifier that names no class, or a class
// that is described but not built in this version, raises 429 "ActiveX
// component can't create object" with the identifier in the description.
std::unique_ptr<PublicClass> CreateObject(std::string_view progid_or_clsid);

// As above, as the concrete class; raises 13 "Type mismatch" when the
// identifier names another class.
template <class T>
std::unique_ptr<T> CreateObject(std::string_view progid_or_clsid) {
  std::unique_ptr<PublicClass> object = CreateObject(progid_or_clsid);
  if (dynamic_cast<T*>(object.get()) == nullptr)
    RaiseRuntime(rt::kTypeMismatch, std::string(progid_or_clsid));
  return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

// Every described class, in type-library order (registered extras last).
std::vector<const ClassInfo*> AllClasses();

// Whether CreateObject can build this class in this version.
bool CanCreate(const ClassInfo& info);

}  // namespace bp
