// The rows a new database starts with: the version record and the user
// company with its person row.
#include <cstdint>

#include "bp/schema/base_schema.h"

namespace bp::schema {

std::vector<Operation> SeedV18(const SeedOptions& o) {
  std::vector<Operation> ops;
  ops.push_back(SeedRows{"Parametro", {"No_VersaoBD"}, {{Value(kBaseSchemaVersion)}}});

  constexpr uint8_t kPessoaJuridica = 2;
  ops.push_back(SeedRows{
      "Pessoa",
      {"Cd_Pessoa", "Nm_Pessoa", "Nm_Fantasia", "No_TipoPessoa", "Cd_CgcCpf", "Cd_IEstRg",
       "Nm_Logradouro", "No_Logradouro", "Nm_Bairro", "Nm_Cidade", "Ds_SiglaUF", "Cd_Ep",
       "Cd_Telefone"},
      {{Value(o.company), Value(o.name), Value(o.trade_name), Value(kPessoaJuridica),
        Value(o.cnpj), Value(o.state_registration), Value(o.street), Value(o.number),
        Value(o.district), Value(o.city), Value(o.state), Value(o.postal_code),
        Value(o.phone)}}});

  // Responsibility for a fuelling by nozzle (1), and thirty days for each
  // collection type of billed receivables.
  constexpr uint8_t kResponsabilidadePorBico = 1;
  constexpr int16_t kDias = 30;
  ops.push_back(SeedRows{
      "EmpresaUsuaria",
      {"Cd_PessoaUsuaria", "Ds_MensagemPDV", "No_MetodoControleRespBomba",
       "Qt_DiasCobrancaTipo1", "Qt_DiasCobrancaTipo2", "Qt_DiasCobrancaTipo3"},
      {{Value(o.company), Value("OBRIGADO PELA PREFERENCIA"), Value(kResponsabilidadePorBico),
        Value(kDias), Value(kDias), Value(kDias)}}});
  return ops;
}

}  // namespace bp::schema
