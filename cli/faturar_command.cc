// posto faturar: bills a customer's pending coupons (all up to a date, or the
// ones listed) into a receivable; posto faturamento cupons | contas | notas:
// the billing queries as a table.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/bp_faturamento.h"
#include "bp/host/unit_of_work.h"
#include "bp/registry.h"
#include "cli/ambiente.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/csv.h"
#include "cli/tabela.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

std::unique_ptr<bp::BPFaturamento> Faturamento(const std::shared_ptr<station::Sessao>& sessao) {
  auto classe = bp::CreateObject<bp::BPFaturamento>("BP.BPFaturamento");
  classe->SetObBOSistema(sessao);
  return classe;
}

bp::DateTime DataObrigatoria(const Options& o, const std::string& nome) {
  const std::optional<bp::DateTime> data = o.Moment(nome);
  if (!data) throw UsageError("falta " + nome);
  return data->DatePart();
}

// "1234,56" or "1234.56".
bp::Money Valor(const std::string& texto) {
  std::string t = texto;
  for (char& ch : t) {
    if (ch == ',') ch = '.';
  }
  try {
    return bp::Money::Parse(t);
  } catch (const bp::Erro&) {
    throw UsageError("valor inválido: " + texto);
  }
}

// ECF:CUPOM:AAAA-MM-DD, one coupon's key.
station::CupomFiscal* Cupom(station::Sessao& sessao, const std::string& texto,
                            std::vector<std::unique_ptr<station::CupomFiscal>>& guardados) {
  const size_t a = texto.find(':');
  const size_t b = a == std::string::npos ? a : texto.find(':', a + 1);
  std::optional<bp::DateTime> data;
  int ecf = 0, numero = 0;
  if (b != std::string::npos) {
    try {
      ecf = std::stoi(texto.substr(0, a));
      numero = std::stoi(texto.substr(a + 1, b - a - 1));
    } catch (const std::exception&) {
      ecf = 0;
    }
    const std::string dia = texto.substr(b + 1);
    if (dia.size() == 10 && dia[4] == '-' && dia[7] == '-') {
      try {
        data = bp::DateTime::Make(std::stoi(dia.substr(0, 4)), std::stoi(dia.substr(5, 2)),
                                  std::stoi(dia.substr(8, 2)));
      } catch (const std::exception&) {
        data.reset();
      }
    }
  }
  if (!data || ecf <= 0 || ecf > 255 || numero <= 0)
    throw UsageError("cupom inválido: " + texto + " (forma: ECF:CUPOM:AAAA-MM-DD)");
  auto cupom = std::make_unique<station::CupomFiscal>(sessao);
  cupom->Registro().Cd_PessoaUsuaria = sessao.Cd_PessoaUsuaria();
  cupom->Registro().No_Impressora = static_cast<uint8_t>(ecf);
  cupom->Registro().No_CupomFiscal = numero;
  cupom->Registro().Dt_Emissao = *data;
  guardados.push_back(std::move(cupom));
  return guardados.back().get();
}

// The customer's own invoice-printing type, when --imp-nf is not given.
uint8_t ImpNfDoCliente(station::Sessao& sessao, int32_t cliente) {
  std::unique_ptr<bp::host::BOCliente> bo = sessao.CriarCliente();
  bo->Registro().Cd_PessoaUsuaria = sessao.Cd_PessoaUsuaria();
  bo->Registro().Cd_Cliente = cliente;
  bp::host::UnitOfWork work(sessao, "posto.faturar");
  bo->Carregar();
  work.End();
  return bo->Registro().Tp_ImpNf;
}

int Faturar(const Options& o) {
  AmbienteDoComando ambiente(o);
  if (!o.Has("--cliente")) throw UsageError("falta --cliente");
  const int32_t cliente = o.Int("--cliente", 0);
  const int32_t funcionario = o.Int("--funcionario", 1);
  const bool seletivo = o.Has("--cupons");
  bp::DateTime ate, vencimento;
  bp::Money valor;
  if (!seletivo) {
    ate = DataObrigatoria(o, "--ate");
    vencimento = DataObrigatoria(o, "--vencimento");
    if (!o.Has("--valor")) throw UsageError("falta --valor");
    valor = Valor(o.Text("--valor", ""));
  }
  if (o.Has("--imp-nf")) {
    const int32_t imp = o.Int("--imp-nf", 0);
    if (imp != 1 && imp != 11 && imp != 12) throw UsageError("--imp-nf deve ser 1, 11 ou 12");
  }
  std::shared_ptr<station::Sessao> sessao = SessaoDaEmpresa(o);
  std::unique_ptr<bp::BPFaturamento> classe = Faturamento(sessao);
  int32_t conta = 0;
  if (seletivo) {
    std::vector<std::unique_ptr<station::CupomFiscal>> guardados;
    std::vector<bp::host::BOCupomFiscal*> cupons;
    const std::string lista = o.Text("--cupons", "");
    for (size_t inicio = 0; inicio <= lista.size();) {
      size_t fim = lista.find(',', inicio);
      if (fim == std::string::npos) fim = lista.size();
      cupons.push_back(Cupom(*sessao, lista.substr(inicio, fim - inicio), guardados));
      inicio = fim + 1;
    }
    conta = classe->FaturamentoSeletivo(cliente, cupons, funcionario);
  } else {
    const uint8_t imp_nf = o.Has("--imp-nf") ? static_cast<uint8_t>(o.Int("--imp-nf", 0))
                                             : ImpNfDoCliente(*sessao, cliente);
    conta = classe->Faturar(cliente, ate, vencimento, imp_nf, funcionario, valor);
  }
  if (conta == 0) {
    std::cout << "Nada faturado.\n";
    return 0;
  }
  std::cout << "Conta a receber " << conta << "\n";
  const bp::host::RegistroNotaSaida& nota = classe->NotaSaida().Registro();
  if (nota.No_Nota != 0 && nota.Cd_ContaAReceber == conta)
    std::cout << "Nota fiscal " << nota.No_Nota << "\n";
  return 0;
}

int Consulta(const Options& o,
             const std::function<bp::db::Recordset(bp::BPFaturamento&, int32_t)>& q) {
  AmbienteDoComando ambiente(o);
  std::shared_ptr<station::Sessao> sessao = SessaoDaEmpresa(o);
  std::unique_ptr<bp::BPFaturamento> classe = Faturamento(sessao);
  bp::host::UnitOfWork work(*sessao, "posto.faturamento");
  const bp::db::Recordset rs = q(*classe, sessao->Cd_PessoaUsuaria());
  work.End();
  MostrarRecordset(rs, o.Has("--csv"), std::cout);
  return 0;
}

int Cupons(const Options& o) {
  if (o.Has("--ate") == o.Has("--cliente")) throw UsageError("informe --ate ou --cliente");
  if (o.Has("--cliente")) {
    const int32_t cliente = o.Int("--cliente", 0);
    return Consulta(o, [&](bp::BPFaturamento& f, int32_t empresa) {
      return f.CuponsAFaturaSeletivoRs(empresa, cliente);
    });
  }
  const bp::DateTime ate = DataObrigatoria(o, "--ate");
  return Consulta(
      o, [&](bp::BPFaturamento& f, int32_t empresa) { return f.CuponsAFaturaRs(empresa, ate); });
}

std::pair<int32_t, int32_t> Faixa(const Options& o) {
  if (!o.Has("--de") || !o.Has("--ate")) throw UsageError("informe --de e --ate");
  return {o.Int("--de", 0), o.Int("--ate", 0)};
}

int Contas(const Options& o) {
  const auto [de, ate] = Faixa(o);
  return Consulta(o, [&](bp::BPFaturamento& f, int32_t empresa) {
    return f.ContaAReceberDoFaturamentoRs(empresa, de, ate);
  });
}

int Notas(const Options& o) {
  const auto [de, ate] = Faixa(o);
  return Consulta(o, [&](bp::BPFaturamento& f, int32_t empresa) {
    return f.NotasFiscaisDoFaturamentoRs(empresa, de, ate);
  });
}

}  // namespace

std::vector<Command> ComandosFaturamento() {
  const Option cliente = Integer("--cliente", "N", "o cliente");
  const Option de = Integer("--de", "N", "primeira conta a receber");
  const Option ate_conta = Integer("--ate", "N", "última conta a receber");
  return {
      {"faturar",
       "Fatura os cupons pendentes de um cliente numa conta a receber: todos até --ate, ou os "
       "de --cupons.",
       {kOpcaoDb, kOpcaoEmpresa, cliente, Moment("--ate", "data do faturamento (AAAA-MM-DD)"),
        Moment("--vencimento", "vencimento da conta (AAAA-MM-DD)"),
        Integer("--funcionario", "N", "funcionário que fatura (padrão: 1)"),
        Text("--valor", "V", "valor da conta (1234,56)"),
        Integer("--imp-nf", "N", "1, 11 ou 12 (padrão: o do cliente)"),
        Text("--cupons", "LISTA", "ECF:CUPOM:AAAA-MM-DD[,...] para faturar só esses cupons"),
        kOpcaoNow, kOpcaoSim},
       {},
       Faturar},
      {"faturamento cupons",
       "Cupons pendentes de faturamento: de todos os clientes até --ate, ou de um --cliente.",
       {kOpcaoDb, kOpcaoEmpresa, Moment("--ate", "data do faturamento (AAAA-MM-DD)"), cliente,
        kOpcaoCsv, kOpcaoNow},
       {},
       Cupons},
      {"faturamento contas",
       "Contas a receber de uma faixa de números.",
       {kOpcaoDb, kOpcaoEmpresa, de, ate_conta, kOpcaoCsv, kOpcaoNow},
       {},
       Contas},
      {"faturamento notas",
       "Notas fiscais das contas a receber de uma faixa de números.",
       {kOpcaoDb, kOpcaoEmpresa, de, ate_conta, kOpcaoCsv, kOpcaoNow},
       {},
       Notas},
  };
}

}  // namespace posto
