#include "db/provider_error.h"

#include "bp/db/connection.h"

namespace bp::db {

Erro ProviderErro(int32_t number, std::string text, const char* source) {
  return Erro(number, std::move(text), source);
}

void RaiseProvider(int32_t number, std::string text, const char* source) {
  throw ProviderErro(number, std::move(text), source);
}

void RaiseUnusable(const std::string& reason, const char* source) {
  std::string text = RuntimeText(rt::kConnectionUnusable);
  if (!reason.empty()) text += " (" + reason + ")";
  throw ProviderErro(rt::kConnectionUnusable, std::move(text), source);
}

void RequireNoNul(std::string_view text, const char* what, const char* source) {
  if (text.find('\0') != std::string_view::npos)
    RaiseProvider(kErroComando, std::string(what) + " contains a NUL character", source);
}

}  // namespace bp::db
