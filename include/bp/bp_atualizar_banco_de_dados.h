// BPAtualizarBancoDeDados: keeps the station database at the schema version
// this library expects, walking Parametro.No_VersaoBD up one number at a
// time, each number in a transaction of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "bp/public_class.h"

namespace bp {

namespace schema {
class Model;
class StepTable;
}

class BPAtualizarBancoDeDados final : public PublicClass {
 public:
  const ClassInfo& Info() const override;

  // Walks the database up to the target version. When the database is ahead
  // of the library and the flag is True, warns once and changes nothing.
  void Atualizar(const bool& Ic_AvisarSeExistirNovaVersao);

  // Makes the entry row of each package transfer carry a unit cost
  // consistent with its withdrawal row; a row that fails is shown and skipped.
  void CorrigirPrecoDaTransferencia();

  // The version this library brings the database to: the revision of its
  // build (2.1.0.501 gives 501), unless a test or the host overrides it.
  int32_t TargetVersion() const;
  void SetTargetVersion(std::optional<int32_t> target) { target_ = target; }
  // Replaces the library's own steps (tests run the walk with their own).
  void SetSteps(const schema::StepTable* steps) { steps_ = steps; }

  // Told after each committed turn: the new version, the target, and the
  // number of the step that ran in it (0 when the number had none).
  using TurnObserver = std::function<void(int32_t version, int32_t target, int32_t step)>;
  void SetTurnObserver(TurnObserver observer) { observer_ = std::move(observer); }
  // The schema as the walk knows it (read from the database before the
  // first step that ran, then kept in step); null before any step ran.
  const schema::Model* CurrentModel() const { return model_.get(); }

 private:
  std::optional<int32_t> target_;
  const schema::StepTable* steps_ = nullptr;
  TurnObserver observer_;
  std::shared_ptr<schema::Model> model_;
};

// The revision component of a version text ("2.1.0.501" gives 501).
int32_t RevisionOf(const char* version);

}  // namespace bp
