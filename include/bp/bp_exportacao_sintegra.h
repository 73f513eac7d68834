// BPExportacaoSintegra: the monthly SINTEGRA file. The class writes records
// 10, 11 and 90; the host's record builder gives the lines of records 50,
// 53, 54, 60M, 60A, 60D, 60I, 60R, 74 and 75, written in that order after
// the stock is consolidated at the period's last day.
#pragma once

#include "bp/exportacao_sintegra_base.h"

namespace bp {

class BPExportacaoSintegra final : public ExportacaoSintegraBase {
 public:
  BPExportacaoSintegra();
  const ClassInfo& Info() const override;

  // True when the whole file was written. False after a refused overwrite
  // (the file untouched), a record step that failed (its box; the lines
  // before it stay in the file) or an unexpected error (shown and logged).
  bool ExportaSintegra();

 private:
  bool Executar();
  bool geraRegistro50();
  bool geraRegistro53();
  bool geraRegistro54();
  bool geraRegistro60_CF();
};

}  // namespace bp
