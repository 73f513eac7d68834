// What the product-register and stock exports share: a header group, one
// group of items and a closing group, each asked of the record builder
// and written in order, under the class's window title and texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "bp/exportacao_de_registros.h"

namespace bp {

class ExportacaoDeCadastro : public ExportacaoDeRegistros {
 public:
  // Always True.
  bool Validar();

 protected:
  // The class's texts: its window title, the letter of its records ("P" or
  // "E") and the procedure named in the unit of work and the error log.
  struct Textos {
    const char* titulo;
    const char* letra;
    const char* procedimento;
  };
  ExportacaoDeCadastro(const char* classe, Textos textos)
      : ExportacaoDeRegistros(classe), textos_(textos) {}

  // Writes the file; the builder's three operations are the subclass's.
  bool Exportar();

  virtual host::RegistrosSintegra Cabecalho(const host::EmpresaDosRegistros& empresa) = 0;
  virtual host::RegistrosSintegra Itens(const std::string& cnpj, int32_t& contador) = 0;
  virtual host::RegistrosSintegra Totais(const std::string& cnpj,
                                         const std::string& inscricao_estadual,
                                         int32_t& contador) = 0;

 private:
  bool Executar();
  // Description, percentage 100, the call; its box on failure.
  bool Grupo(const std::string& descricao, const std::string& tipo,
             const std::function<host::RegistrosSintegra()>& chamada);

  Textos textos_;
  int32_t contador_ = 0;
};

}  // namespace bp
