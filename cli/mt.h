// posto mt: the host of the micro-terminal controller over the station's
// session, on a terminal (a screen of the ten terminals) or driven by a
// script on standard input (one command per line, one JSON object per line).
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "station/session/relogio_ajustavel.h"
#include "station/forecourt/terminais_mt.h"

namespace posto::mt {

// The environment of the calls: the platform's own, with a clock that a
// script may set ("NOW ...").
using RelogioMt = station::RelogioAjustavel;

// A JSON string literal of the text, quotes included; control characters
// become escapes.
std::string Json(std::string_view text);

// Reads commands from `in` until its end, writing the answers to `out`.
// Returns 0, or 1 when some line was not understood (each such line gets an
// {"error": ...} answer and is otherwise skipped).
int ModoScript(station::TerminaisMT& terminais, RelogioMt& relogio, std::istream& in,
               std::ostream& out);

// The interactive screen of terminals 1 to 10, until the user quits.
int ModoTerminal(station::TerminaisMT& terminais, const std::string& banco);

}  // namespace posto::mt
