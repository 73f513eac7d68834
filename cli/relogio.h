// The --now option of a posto command: the moment it names ("2026-12-06",
// "2026-12-06 02:01", "2026-12-06T02:01:30" or "06/12/2026 02:01") becomes
// the clock the library reads for the rest of the command.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "bp/datetime.h"
#include "cli/options.h"
#include "station/relogio_ajustavel.h"

namespace posto {

// The moment a text names in one of the forms above; none for anything else
// (a date that does not exist included).
std::optional<bp::DateTime> LerDataHora(std::string_view text);

// The moment an option text names; raises 13 "Type mismatch" naming the
// option when the text is not a date and time of one of the accepted forms.
bp::DateTime LerMomento(const std::string& option, const std::string& text);

// Sets the clock to --now when the command was given one.
void AjustarRelogio(const Options& o, station::RelogioAjustavel& relogio);

}  // namespace posto
