// A fake host for the SINTEGRA, GAM, product and stock exports: session,
// company and record builder in one object that writes every call, with
// its arguments and the counter it was given, into one log.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bp/db/recordset.h"
#include "bp/host/bo_registro_sintegra.h"
#include "support/fake_host.h"

namespace bp::testing {

// What one builder operation answers: success, its text and how many
// records it adds to the counter.
struct RespostaSintegra {
  bool ok = true;
  std::string texto;
  int32_t registros = 0;
};

class FakeSintegraHost : public FakeHost {
 public:
  FakeSintegraHost();

  host::IdentificacaoEmpresa empresa;
  DateTime ultima_consolidacao;
  std::vector<std::vector<Value>> dias_de_impressora;  // Dt_Movimento, No_Impressora
  std::map<std::string, RespostaSintegra> respostas;   // by operation name

  host::RegistrosSintegra Responder(const std::string& op, const std::string& args,
                                    int32_t& contador);

  // The end of a unit of work is logged with its marker.
  void EndWork(const std::string& origin, bool marker) override;
  std::unique_ptr<host::BORegistroSintegra> CriarRegistroSintegra() override;

  // BOEmpresaUsuaria
  host::IdentificacaoEmpresa Identificacao() override;
  void SetMarcador(bool marker) override;
  DateTime DataUltimaConsolidacaoEstoque() override;
  void ConsolidarEstoqueAte(DateTime date, Andamento* progress) override;
  void ConsolidarEstoqueNaData(DateTime date, Andamento* progress) override;
};

}  // namespace bp::testing
