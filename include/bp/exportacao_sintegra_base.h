// What the SINTEGRA and GAM exports share: the period, the contact and the
// correction flag, Validar with its four checks, the stock consolidation at
// a date, records 10, 11 and 90, the day-by-day record steps, and the
// eleven record counters, which only the builder adds to and nothing resets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "bp/datetime.h"
#include "bp/enums.h"
#include "bp/exportacao_de_registros.h"
#include "bp/host/bo_empresa_usuaria.h"

namespace bp {

// The record counters of one instance.
struct ContadoresSintegra {
  int32_t r50 = 0, r53 = 0, r54 = 0;
  int32_t r60m = 0, r60a = 0, r60d = 0, r60i = 0, r60r = 0;
  int32_t r88 = 0, r74 = 0, r75 = 0;
};

class ExportacaoSintegraBase : public ExportacaoDeRegistros {
 public:
  // Contact person written into record 11.
  const std::string& Nm_Funcionario() const { return nm_funcionario_; }
  void SetNm_Funcionario(const std::string& nome) { nm_funcionario_ = nome; }
  DateTime Dt_Inicial() const { return dt_inicial_; }
  void SetDt_Inicial(DateTime data) { dt_inicial_ = data; }
  DateTime Dt_Final() const { return dt_final_; }
  void SetDt_Final(DateTime data) { dt_final_ = data; }
  // sim: the file corrects one already delivered.
  Tp_BytesimNao Ic_Retificacao() const { return ic_retificacao_; }
  void SetIc_Retificacao(Tp_BytesimNao valor) { ic_retificacao_ = valor; }

  // False, after its box and with Nm_CampoErroCrítica set, when the start
  // is after the end, the period spans more than one calendar month, the
  // path is empty, or no file matches the path.
  bool Validar();

  // Consolidates the stock at Dt_Referencia: forward from the company's
  // last consolidation when the date is later than it, from scratch
  // otherwise, with ObAndamento as the progress window. The two Boolean
  // arguments are accepted and not passed on.
  void PreparaEstoqueConsolidado(DateTime Dt_Referencia, bool Ic_IncluirEstoquePositivo,
                                 bool Ic_IncluirEstoqueNegativo, Andamento* ObAndamento);

  const ContadoresSintegra& Contadores() const { return contadores_; }

  void LetProperty(std::string_view name, const Value& value) override;
  Value GetProperty(std::string_view name) const override;

 protected:
  explicit ExportacaoSintegraBase(const char* classe) : ExportacaoDeRegistros(classe) {}

  ContadoresSintegra& Contadores() { return contadores_; }
  // The company's identification, read once per export by geraRegistro10.
  const host::IdentificacaoEmpresa& Empresa() const { return empresa_; }

  bool geraRegistro10();
  bool geraRegistro11();
  // The steps of records 10 (percentage 1) and 11 (percentage 2), with
  // their failure boxes.
  bool Registros10e11();
  // Record 90; `com_74` adds the type-74 pair (the SINTEGRA file has it).
  bool geraRegistro90(bool com_74);

  // Runs `dia` for every day of the period; after day i of n (n = whole
  // days from start to end, when above 0) the percentage becomes
  // inicio + faixa x i / n and the description `descricao`. `dia` shows its
  // own box and returns False on failure.
  bool PorDia(int inicio, int faixa, const std::string& descricao,
              const std::function<bool(DateTime)>& dia);
  // The percentage inicio + faixa x i / n, in fixed-point and then whole.
  static int PercentualDoPasso(int inicio, int faixa, int64_t i, int64_t n);

 private:
  std::string nm_funcionario_;
  DateTime dt_inicial_;
  DateTime dt_final_;
  Tp_BytesimNao ic_retificacao_ = Tp_BytesimNao::Nao;
  ContadoresSintegra contadores_;
  host::IdentificacaoEmpresa empresa_;
};

}  // namespace bp
