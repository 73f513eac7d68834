#include "support/step_walk.h"

#include <gtest/gtest.h>

#include <utility>

#include "bp/erro.h"
#include "bp/host/bo_estoque.h"
#include "bp/schema/introspect.h"
#include "station/session/banco_inicial.h"

namespace bp::testing {
namespace {

class ScriptedRecalculo final : public host::BORecalculoEstoque {
 public:
  explicit ScriptedRecalculo(StockScript& script) : script_(script) {}
  bool Recalcular(int32_t empresa, int32_t produto, DateTime inicio) override {
    script_.calls.push_back({empresa, produto, inicio});
    if (script_.closed_at_call == script_.calls.size() - 1) {
      script_.closed_at_call.reset();
      RaiseRuntime(rt::kObjectClosed);
    }
    return true;
  }

 private:
  StockScript& script_;
};

class ScriptedRecalculoGeral final : public host::BORecalculoGeralEstoque {
 public:
  explicit ScriptedRecalculoGeral(StockScript& script) : script_(script) {}
  bool Recalcular(int32_t company, DateTime inicio, std::string& mensagem) override {
    script_.general_calls.emplace_back(company, inicio);
    mensagem = script_.general_message;
    return script_.general_result;
  }

 private:
  StockScript& script_;
};

}  // namespace

// The station's session, recorded, with the stock recomputations answered
// by the script when the walk asks for it.
class StepWalk::Host final : public RecordingSession {
 public:
  Host(host::BOSistema& real, StockScript& script) : RecordingSession(real), script_(script) {}
  std::unique_ptr<host::BORecalculoEstoque> CriarRecalculoEstoque() override {
    if (!script_.scripted) return RecordingSession::CriarRecalculoEstoque();
    ++script_.objects_created;
    return std::make_unique<ScriptedRecalculo>(script_);
  }
  std::unique_ptr<host::BORecalculoGeralEstoque> CriarRecalculoGeralEstoque() override {
    if (!script_.scripted) return RecordingSession::CriarRecalculoGeralEstoque();
    return std::make_unique<ScriptedRecalculoGeral>(script_);
  }

 private:
  StockScript& script_;
};

StepWalk::StepWalk(StepWalkOptions options) {
  station::Configuracao config(options.banco.empty() ? env.Path("posto.db") : options.banco);
  config.cd_pessoa_usuaria = options.company;
  session_ = std::make_unique<station::Sessao>(config);
  station::CriarBancoVersao18(Db(), options.company);
  host_ = std::make_shared<Host>(*session_, stock);
  driver_.SetObBOSistema(host_);
  driver_.SetTurnObserver([this](int32_t version, int32_t, int32_t step) {
    if (step != 0) {
      EXPECT_EQ(schema::DifferenceFromDatabase(*driver_.CurrentModel(), schema::Introspect(Db()),
                                               Db().Kind()),
                "")
          << "after step " << step;
      compared.push_back(step);
    }
    if (const auto action = actions_.extract(version)) action.mapped()(*this);
  });
}

StepWalk::~StepWalk() = default;

db::Connection& StepWalk::Db() { return session_->Dal().Conexao(); }
int32_t StepWalk::Version() { return station::VersaoDoBanco(Db()); }

void StepWalk::To(int32_t target) {
  driver_.SetTargetVersion(target);
  driver_.Atualizar(false);
}

void StepWalk::At(int32_t version, std::function<void(StepWalk&)> action) {
  actions_[version] = std::move(action);
}

schema::Table StepWalk::Read(const std::string& table) {
  return schema::Introspect(Db()).Get(table);
}

std::vector<std::vector<Value>> StepWalk::Rows(const std::string& sql) {
  return Db().Query(sql).Rows();
}

int32_t StepWalk::Count(const std::string& sql) { return Db().Query(sql).Field(0).ToInt32(); }

Value StepWalk::One(const std::string& sql) {
  const db::Recordset rs = Db().Query(sql);
  return rs.Eof() ? Value(Null{}) : rs.Field(0);
}

void StepWalk::Exec(std::initializer_list<std::string> statements) {
  for (const std::string& sql : statements) Db().Execute(sql);
}

void InsertProducts(db::Connection& db, const std::vector<std::string>& products, int32_t company) {
  for (const std::string& values : products)
    db.Execute(
        "INSERT INTO Produto (Cd_PessoaUsuaria, Cd_Produto, Nm_Produto, Fl_VendBomba, "
        "Cd_GrupoProduto, Cd_ContaMargemContribuicao) VALUES (" +
        std::to_string(company) + ", " + values + ", 1, 1)");
}

std::vector<std::string> RowTexts(db::Connection& db, const std::string& sql,
                                  const std::string& null, const RegionalSettings& settings) {
  std::vector<std::string> out;
  const db::Recordset rs = db.Query(sql);
  for (const auto& row : rs.Rows()) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i)
      line += (i ? "|" : "") + (row[i].IsNull() ? null : row[i].ToText(settings));
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> DrawnActions(const TestEnv& env, const std::string& prefix) {
  std::vector<std::string> texts;
  for (const auto& draw : env.draws) {
    if (!draw.action.starts_with(prefix)) continue;
    const std::string text = draw.action.substr(prefix.size());
    if (texts.empty() || texts.back() != text) texts.push_back(text);
  }
  return texts;
}

std::string Flags(db::Connection& db, const std::string& sql) {
  std::string flags;
  const db::Recordset rows = db.Query(sql);
  for (const auto& row : rows.Rows()) flags += row[0].IsNull() ? 'N' : row[0].ToBool() ? 'T' : 'F';
  return flags;
}

}  // namespace bp::testing
