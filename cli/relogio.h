// The moments a posto command line names: "2026-12-06", "2026-12-06 02:01",
// "2026-12-06T02:01:30", "06/12/2026" or "06/12/2026 02:01".
#pragma once

#include <optional>
#include <string_view>

#include "bp/datetime.h"

namespace posto {

// The forms above, as messages show them to the user.
inline constexpr const char* kFormaDataHora = "AAAA-MM-DD[THH:MM[:SS]] ou DD/MM/AAAA[ HH:MM]";

// The moment a text names in one of the forms above; none for anything else
// (a date that does not exist included).
std::optional<bp::DateTime> LerDataHora(std::string_view text);

}  // namespace posto
