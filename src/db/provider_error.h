// How the database connections report failures: one Erro per failure, with
// the provider's number, the provider's own text and the provider's name as
// the source, so a caller can tell a key violation from a time-out without
// parsing messages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "bp/erro.h"

namespace bp::db {

inline constexpr const char* kSQLiteSource = "SQLite";
inline constexpr const char* kPostgresSource = "PostgreSQL";

// Text of the time-out error on every provider.
inline constexpr const char* kTimeoutText = "Query timeout expired";

// An error raised by a provider.
Erro ProviderErro(int32_t number, std::string text, const char* source);
[[noreturn]] void RaiseProvider(int32_t number, std::string text, const char* source);

// The connection could not be opened or was lost: 3709 with the runtime's
// text followed by the provider's reason.
[[noreturn]] void RaiseUnusable(const std::string& reason, const char* source);

// Statement text and bound texts travel as C strings on some providers, where
// a NUL would silently cut them short; such input is refused up front.
void RequireNoNul(std::string_view text, const char* what, const char* source);

}  // namespace bp::db
