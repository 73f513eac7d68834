#include "bp/bp_atualizar_banco_de_dados.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "bp/db/recordset.h"
#include "bp/env.h"
#include "bp/erros.h"
#include "bp/host/data_access.h"
#include "bp/host/unit_of_work.h"
#include "bp/registry.h"
#include "bp/schema/corrigir_preco_transferencia.h"
#include "bp/schema/dialect.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "bp/schema/version_step.h"
#include "bp/trap.h"

#ifndef BP_REVISION
#define BP_REVISION "2.1.0.501"
#endif

namespace bp {
namespace {

constexpr const char* kClasse = "BPAtualizarBancoDeDados";
constexpr const char* kVersaoSql = "SELECT *\rFROM   Parametro\r";
constexpr const char* kSemRegistro =
    "Não existe registro de controle de versão na tabela de Parametro, solicite intervenção "
    "técnica.";
constexpr const char* kTituloAviso = "Atualizar versão";
constexpr const char* kTextoAviso =
    "Existe uma nova versão do Nv4 disponível, a utilização dessa versão poderá provocar erros "
    "imprevisíveis, solicite atualização o mais breve possível.";
constexpr int32_t kTempoDoPasso = 600;
constexpr int32_t kTempoPadrao = 15;

host::BOSistema& SessionOf(const host::BOSistemaRef& session) {
  if (!session) RaiseRuntime(rt::kObjectNotSet, "ObBOSistema");
  return *session;
}

// Opens the version recordset: a detached copy of Parametro.
void AbrirVersao(db::Recordset& rs, db::Connection& connection) {
  rs.Open(connection, kVersaoSql);
}

int32_t VersaoDe(const db::Recordset& rs) { return rs.Field("No_VersaoBD").ToInt32(); }

// The stored version read inside the turn's transaction, locked until the
// turn ends: a second upgrader waits here (up to the turn's time-outs).
int32_t VersaoTravada(db::Connection& connection) {
  return VersaoDe(connection.Query(
      schema::DialectFor(connection.Kind()).LockingSelect("No_VersaoBD", "Parametro")));
}

// Runs one step in the frame every step shares: the direct-style trap with
// the step's own name, and a unit of work around its statements.
void RunStep(const schema::Step& step, host::BOSistema& session, schema::Model& model) {
  const std::string proc = "AtualizarVersao" + std::to_string(step.number);
  Direct(kClasse, proc, [&] {
    host::UnitOfWork work(session, host::Origem(kClasse, proc));
    schema::StepContext context(session, Env::Current(), model, step);
    step.body(context);
    work.End();
  });
}

}  // namespace

int32_t RevisionOf(const char* version) {
  const char* last = std::strrchr(version, '.');
  return static_cast<int32_t>(std::atoi(last != nullptr ? last + 1 : version));
}

int32_t BPAtualizarBancoDeDados::TargetVersion() const {
  return target_.value_or(RevisionOf(BP_REVISION));
}

const ClassInfo& BPAtualizarBancoDeDados::Info() const { return typelib::BPAtualizarBancoDeDados(); }

void BPAtualizarBancoDeDados::Atualizar(const bool& Ic_AvisarSeExistirNovaVersao) {
  const schema::StepTable& steps = steps_ != nullptr ? *steps_ : schema::LibrarySteps();
  const std::string origem = host::Origem(kClasse, "Atualizar");
  Env& env = Env::Current();

  // The host's session calls follow the original sequence exactly: begin work
  // is called again before the version update and the re-read of each turn,
  // and end work once per turn; the marker of the last begin is the one
  // handed back.
  host::BOSistema* session = nullptr;
  bool marker = false;
  bool transaction_open = false;
  try {
    session = &SessionOf(ObBOSistema());
    host::DataAccess& dal = session->ObDAL();
    db::Recordset versao;

    session->BeginWork(origem, marker);
    db::Connection& connection = dal.Conexao();
    AbrirVersao(versao, connection);
    if (versao.Bof() && versao.Eof()) {
      throw Erro(kErroNegocio, RetornaDescricaoErro(kErroNegocio) + kSemRegistro,
                 Segment(kClasse, "Atualizar") + ", ");
    }
    versao.MoveFirst();
    session->EndWork(origem, marker);

    int32_t stored = VersaoDe(versao);
    bool timeout_saved = false;
    int32_t saved_timeout = 0;
    if (TargetVersion() < stored && Ic_AvisarSeExistirNovaVersao) {
      MessageBoxRequest box;
      box.text = kTextoAviso;
      box.caption = kTituloAviso;
      box.buttons = Buttons::Ok;
      box.icon = Icon::Exclamation;
      env.MessageBox(box);
    } else {
      saved_timeout = connection.ConnectionTimeout();
      if (saved_timeout == 0) saved_timeout = kTempoPadrao;
      timeout_saved = true;

      // The model of the schema is read from the database on the first turn
      // that runs a step, then kept in step with every operation.
      std::shared_ptr<schema::Model>& model = model_;
      model.reset();
      while (stored < TargetVersion()) {
        connection.SetConnectionTimeout(kTempoDoPasso);
        connection.SetCommandTimeout(kTempoDoPasso);

        session->BeginWork(origem, marker);
        dal.BeginTrans(origem, marker);
        transaction_open = true;

        // Another upgrader (a station computer started at the same time) may
        // have committed turns since the version was last read. Read under a
        // lock held to the end of this turn, a version that moved on makes
        // this turn do nothing; the walk goes on from it, with the schema
        // read afresh, since the kept model no longer describes the database.
        const bool moved_on = VersaoTravada(connection) != stored;
        if (moved_on) model.reset();
        const schema::Step* step = moved_on ? nullptr : steps.Find(stored);
        const int32_t ran = step != nullptr ? step->number : 0;
        if (step != nullptr) {
          if (!model) model = std::make_shared<schema::Model>(schema::Introspect(connection));
          const schema::Model before_turn = *model;
          const schema::StepMessages messages = schema::MessagesFor(step->number);
          if (messages.before) env.MessageBox(*messages.before);
          try {
            RunStep(*step, *session, *model);
          } catch (...) {
            *model = before_turn;  // the turn is rolled back below
            throw;
          }
          if (messages.after) env.MessageBox(*messages.after);
        }

        session->BeginWork(origem, marker);
        if (!moved_on) {
          connection.Execute("UPDATE Parametro\rSET    No_VersaoBD = " +
                             std::to_string(stored + 1) + "\r");
        }

        session->BeginWork(origem, marker);
        versao.Close();
        AbrirVersao(versao, connection);
        versao.MoveFirst();

        dal.CommitTrans(origem, marker);
        transaction_open = false;
        session->EndWork(origem, marker);

        connection.SetConnectionTimeout(saved_timeout);
        connection.SetCommandTimeout(saved_timeout);
        stored = VersaoDe(versao);
        if (observer_) observer_(stored, TargetVersion(), ran);
      }
    }

    if (transaction_open) {
      dal.CommitTrans(origem, marker);
      transaction_open = false;
    }
    session->EndWork(origem, marker);
    if (timeout_saved) connection.SetConnectionTimeout(saved_timeout);
  } catch (...) {
    CapturaErro("");
    if (session != nullptr) {
      if (transaction_open) {
        transaction_open = false;
        session->ObDAL().RollbackTrans(origem, marker);
      }
      session->EndWork(origem, marker);
    }
    LancaErro(Segment(kClasse, "Atualizar"));
  }
}

void BPAtualizarBancoDeDados::CorrigirPrecoDaTransferencia() {
  host::BOSistema* session = nullptr;
  Direct(kClasse, "CorrigirPrecoDaTransferencia", [&] { session = &SessionOf(ObBOSistema()); });
  schema::CorrigirPrecoDaTransferencia(*session);
}

namespace classes {
void RegisterBPAtualizarBancoDeDados() {
  RegisterClass(typelib::BPAtualizarBancoDeDados(),
                [] { return std::make_unique<BPAtualizarBancoDeDados>(); });
}
}  // namespace classes

}  // namespace bp
