// BPExportacaoGam: the GAM file, in the SINTEGRA record format restricted to
// the received invoices (50, 54), the products (75) and the fuel records
// (88C, 88D, 88E, 88Q, 88T of every day), between records 10, 11 and 90.
#pragma once

#include "bp/exportacao_sintegra_base.h"

namespace bp {

class BPExportacaoGam final : public ExportacaoSintegraBase {
 public:
  BPExportacaoGam();
  const ClassInfo& Info() const override;

  // True when the whole file was written; False as ExportaSintegra.
  bool ExportaGAM();

 private:
  bool Executar();
  bool geraRegistro50();
  bool geraRegistro54();
  bool geraRegistro88();
};

}  // namespace bp
