// The type library BP as data: the library identity, and for every public
// class its identifiers, the members of its default interface in slot order
// and the events of its source interface. Hosts call members by slot, so the
// order here is the contract; `posto classes` prints it.
#pragma once

#include "bp/names.h"
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bp {

// One argument of a member or event. `type` is the type-library type text:
// int16, int32, byte, money, date, text, Boolean, object, or the name of an
// interface or enumeration (BOSistema, Tp_EdicaoEnum, Recordset ...).
struct ArgInfo {
  std::string name;
  std::string type;
  bool by_value = false;  // otherwise passed by reference (in/out)
  bool optional = false;
};

enum class MemberKind {
  kMethod,
  kPropertyGet,
  kPropertyLet,  // property written by value
  kPropertySet,  // object property written by reference assignment
};

// One slot of a default interface. A property takes one slot for its get
// and one for its let or set, each a MemberInfo of its own.
struct MemberInfo {
  std::string name;
  MemberKind kind = MemberKind::kMethod;
  std::vector<ArgInfo> args;
  std::string result;  // empty: no return value
};

struct EventInfo {
  std::string name;
  std::vector<ArgInfo> args;
};

// A dispatch interface begins with the seven standard slots (three of
// IUnknown, four of IDispatch); a class's own members follow.
inline constexpr int kFirstMemberSlot = 7;

struct ClassInfo {
  std::string name;        // BPFaturamento
  std::string clsid;       // {AE09BCA1-...}, braces and upper case
  std::string iid;         // identifier of the default interface
  std::string events_iid;  // identifier of the source interface; empty if no events
  std::vector<MemberInfo> members;  // slot order
  std::vector<EventInfo> events;

  std::string ProgId() const { return "BP." + name; }
  std::string InterfaceName() const { return "_" + name; }
  // "__" + name when the class raises events, otherwise empty.
  std::string EventInterfaceName() const;
  bool RaisesEvents() const { return !events_iid.empty(); }
  // The slot of members[index].
  static int Slot(size_t index) { return kFirstMemberSlot + static_cast<int>(index); }
  // The first member with this name and kind (names compared ASCII
  // case-insensitively), or nullptr.
  const MemberInfo* FindMember(std::string_view member, MemberKind kind) const;
};

struct LibraryInfo {
  std::string name;
  std::string libid;
  int major = 0;
  int minor = 0;
};


// The text of a member kind as the user reads it: "método", "propriedade
// get", "propriedade let", "propriedade set".
std::string_view KindText(MemberKind kind);

// Every public class of the library, in type-library order.
#define BP_PUBLIC_CLASSES(X)                                                            \
  X(BPAbrirDia) X(BPEmitirNfServicosDeCupom) X(BPMTControlador) X(BPMTLiberarBico)      \
  X(BPLiberarBico) X(BPFaturamento) X(BPAtualizarBancoDeDados) X(BPExportarCupomFiscal) \
  X(BPExportacaoSintegra) X(BPExportacaoGam) X(BPExportacaoProdutos)                   \
  X(BPExportarEstoque) X(BPExportarMovimentoECF) X(BPImportarMovimentoCaixa) X(Enumerador)

namespace typelib {

const LibraryInfo& Library();

// The descriptors, in type-library order. They live for the whole program.
std::span<const ClassInfo> Classes();

// The class with this name, program identifier ("BP." + name) or class
// identifier in braces, all compared case-insensitively; nullptr if none.
const ClassInfo* Find(std::string_view name_progid_or_clsid);

// One accessor per class, for the class's own Info().
#define BP_TYPELIB_ACCESSOR(Class) const ClassInfo& Class();
BP_PUBLIC_CLASSES(BP_TYPELIB_ACCESSOR)
#undef BP_TYPELIB_ACCESSOR

}  // namespace typelib
}  // namespace bp
