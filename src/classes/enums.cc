#include "bp/enums.h"

#include "bp/class_info.h"

namespace bp {

const EnumInfo* FindEnum(std::string_view name) {
  for (const EnumInfo& e : kPublishedEnums)
    if (SameName(e.name, name)) return &e;
  return nullptr;
}

}  // namespace bp
