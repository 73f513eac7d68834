// The station's business objects of the cash-movement import: one class for
// the nine kinds of rows, each object saving one row of its kind's table
// atomically, inserting a new key and updating an existing one (docs/import.md
// lists the keys).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bp/host/bo_movimento_caixa.h"
#include "station/import/registro_de_tabela.h"
#include "station/session/objeto_de_sessao.h"

namespace station {

// Who follows an import: told the rows of each kind's set as the reader hands
// it over, and each row saved.
struct AcompanhamentoImportacao {
  std::function<void(bp::host::TipoMovimentoCaixa, int32_t linhas)> conjunto;
  std::function<void(bp::host::TipoMovimentoCaixa)> gravada;
};

// The key columns of a kind's table.
const std::vector<std::string>& ChaveDoMovimento(bp::host::TipoMovimentoCaixa tipo);

class MovimentoCaixa final : public bp::host::BOMovimentoCaixa, private ObjetoDeSessao {
 public:
  MovimentoCaixa(bp::host::BOSistema& sessao, bp::host::TipoMovimentoCaixa tipo,
                 const AcompanhamentoImportacao* acompanhamento = nullptr);
  void SetObBOSistema(bp::host::BOSistemaRef sessao) override { TrocarSessao(sessao); }

  bp::host::RegistroPorNome& NovoRegistro() override;
  // Writes the record's given columns under its key in one statement. A
  // stock movement is written without its balances, which the station
  // computes (LancarNoEstoque) in the same transaction. A key column without
  // a value raises 0x80040201.
  void Gravar() override;

 private:
  RegistroDeTabela& Registro();
  const std::string& Comando(const std::vector<int>& atribuidas);

  bp::host::TipoMovimentoCaixa tipo_;
  const AcompanhamentoImportacao* acompanhamento_;
  std::optional<RegistroDeTabela> registro_;
  std::map<std::vector<int>, std::string> comandos_;
};

}  // namespace station
