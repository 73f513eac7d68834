// Passwords of the station's employees and users, kept only as salted
// PBKDF2-HMAC-SHA256 hashes, never as the typed text.
//
// A hash is stored in the employee's user row (Usuario.Ds_CriptoSenha,
// 64 characters, linked to the employee by Usuario.Cd_Funcionario): the
// employee's own password column (Funcionario.Nm_Senha, 20 characters) is
// too narrow for a salt and a hash, so the station leaves it empty. The
// text is "<iterations in thousands>$<salt>$<hash>", salt (12 bytes) and
// hash (32 bytes) in base64 without padding: at most 64 characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bp/db/connection.h"

namespace station {

// The iterations new hashes get (a login at a terminal costs one hash).
inline constexpr int32_t kIteracoesSenha = 100000;

// A hash of `senha` under a fresh random salt.
std::string CifrarSenha(std::string_view senha);
// A hash of `senha` under the given salt and iterations (a multiple of 1000).
std::string CifrarSenha(std::string_view senha, const std::vector<uint8_t>& sal,
                        int32_t iteracoes);

// True when `cifrada` is a well-formed hash of `senha`; the comparison
// takes the same time wherever the hashes differ. Anything that is not a
// hash of this kind (an empty column, a password kept in clear by an older
// program) never matches.
bool SenhaConfere(std::string_view senha, std::string_view cifrada);

// The login check of a forecourt attendant: the employee exists in the
// company, is active and not dismissed at `agora`, has an active user row,
// and `senha` matches that row's hash.
bool ConferirLogin(bp::db::Connection& c, int32_t empresa, int32_t cd_funcionario,
                   std::string_view senha, bp::DateTime agora);

// Stores the hash of `senha` in the employee's user row, creating the row
// (named "FUNC<code>") when the employee has none, and empties the
// employee's clear-text column. Returns the user code.
int32_t GravarSenhaDoFuncionario(bp::db::Connection& c, int32_t empresa, int32_t cd_funcionario,
                                 std::string_view senha);

// Moves every password kept in clear in Funcionario.Nm_Senha of the company
// into a hash in the employee's user row, leaving Nm_Senha empty. Returns
// how many employees it converted.
int32_t MigrarSenhasEmClaro(bp::db::Connection& c, int32_t empresa);

}  // namespace station
