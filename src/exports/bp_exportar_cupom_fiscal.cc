#include "bp/bp_exportar_cupom_fiscal.h"

#include <cmath>
#include <string>

#include "bp/disco_removivel.h"
#include "bp/env.h"
#include "bp/erros.h"
#include "bp/format.h"
#include "bp/host/unit_of_work.h"
#include "bp/modulo.h"
#include "bp/names.h"
#include "bp/registry.h"
#include "bp/trap.h"

namespace bp {
namespace {

constexpr const char* kClasse = "BPExportarCupomFiscal";

constexpr const char* kSemConta = "É obrigatório informar o número da conta";
constexpr const char* kSemCaminho = "Caminho não informado.";
constexpr const char* kCaminhoInvalido = "Caminho e/ou arquivo inválido.";
constexpr const char* kErroExportacao = "Erro durante exportação";
constexpr const char* kSomaNaoConfere =
    "Erro na exportação, a soma dos cupons exportados não confere com o valor da conta a "
    "receber. Valor da conta:";
constexpr const char* kValorExportacao = " Valor da exportação:";

constexpr const char* kCabecalhoAnalitico =
    "Produto;Data;Quantidade;Preco;Total;Matricula;Placa;ID;Km;Consumo;Nome";
constexpr const char* kCabecalhoSintetico =
    "Placa;Marca;Cor;Km Final;Km Inicial;Km Rodado;Quantidade;Media";

constexpr const char* kFormatoQuantidade = "###,###,##0.0##";
constexpr const char* kFormatoPreco = "###,###,##0.00#";
constexpr const char* kFormatoKm = "###,###,##0.0";
constexpr const char* kFormatoValor = "###,###,##0.00";

std::string Texto(const Value& v) { return v.IsNull() ? std::string() : v.ToText(); }
double Numero(const Value& v) { return v.IsNull() ? 0.0 : v.ToDouble(); }
Money Dinheiro(const Value& v) { return v.IsNull() ? Money() : v.ToMoney(); }

// A date as a database gives it: a date value, or the text "yyyy-mm-dd..."
// that an aggregate of a date column gives on SQLite.
DateTime Data(const Value& v) {
  if (v.Type() != ValueType::kString) return v.ToDate();
  const std::string t = v.ToText();
  if (t.size() >= 10 && t[4] == '-' && t[7] == '-') {
    return DateTime::Of(std::stoi(t.substr(0, 4)), std::stoi(t.substr(5, 2)),
                        std::stoi(t.substr(8, 2)));
  }
  return v.ToDate();
}

[[noreturn]] void Falhar(const std::string& descricao) { throw Erro(kErroNegocio, descricao); }

// One text line of a vehicle: date, plate in 8, amount as 000001234.56.
std::string LinhaTexto(const db::Recordset& rs) {
  const std::string centavos =
      Format(Dinheiro(rs["SomaDeVl_TotalLiquido"]).ToDouble() * 100, "00000000000");
  return Format(Data(rs["Dt_Emissao"]), "ddmmyy") +
         FixaTamanho(Texto(rs["Cd_Veiculo"]), 8, " ", kAlinhamentoEsquerda) +
         centavos.substr(0, centavos.size() - 2) + "." + centavos.substr(centavos.size() - 2);
}

std::string Juntar(std::initializer_list<std::string> campos) {
  std::string linha;
  bool primeiro = true;
  for (const std::string& c : campos) {
    if (!primeiro) linha += ';';
    linha += c;
    primeiro = false;
  }
  return linha;
}

// Runs one layout's body with its file: the file is closed on every ending
// and the part written before a failure stays on disk.
template <class Corpo>
bool Camada(const char* proc, Corpo&& corpo) {
  std::unique_ptr<TextFile> arquivo;
  try {
    const bool escrito = corpo(arquivo);
    if (arquivo) arquivo->Close();
    return escrito;
  } catch (...) {
    if (arquivo) {
      try {
        arquivo->Close();
      } catch (...) {
        // The failure that got here is the one to report.
      }
    }
    RethrowDirect(kClasse, proc);
  }
}

}  // namespace

BPExportarCupomFiscal::BPExportarCupomFiscal() : progresso_(kClasse) {}
BPExportarCupomFiscal::~BPExportarCupomFiscal() = default;

const ClassInfo& BPExportarCupomFiscal::Info() const { return typelib::BPExportarCupomFiscal(); }

void BPExportarCupomFiscal::OnSessionSet() {
  if (!ObBOSistema()) return;
  if (!dal_) dal_ = ObBOSistema()->CriarDALFaturamento();
  dal_->SetObDAL(ObBOSistema()->ObDAL());
}

void BPExportarCupomFiscal::LetProperty(std::string_view name, const Value& value) {
  if (SameName(name, "Cd_ContaAReceber")) {
    cd_conta_ = value.ToInt32();
  } else if (SameName(name, "Ds_Path")) {
    ds_path_ = value.ToText();
  } else if (SameName(name, "Nm_ArqDestino")) {
    nm_arq_destino_ = value.ToText();
  } else {
    RaiseNotSupported(name);
  }
}

Value BPExportarCupomFiscal::GetProperty(std::string_view name) const {
  if (SameName(name, "Cd_ContaAReceber")) return Value(cd_conta_);
  if (SameName(name, "Ds_Path")) return Value(ds_path_);
  if (SameName(name, "Nm_ArqDestino")) return Value(nm_arq_destino_);
  RaiseNotSupported(name);
}

bool BPExportarCupomFiscal::Validar(Tp_EdicaoEnum /*No_TipoEdicao*/) {
  return Direct(kClasse, "Validar", [&] {
    if (cd_conta_ == 0) Falhar(kSemConta);
    if (ds_path_.empty()) Falhar(kSemCaminho);
    Env& env = Env::Current();
    if (!DestinoEncontrado(ds_path_, env)) Falhar(kCaminhoInvalido);
    return true;
  });
}

bool BPExportarCupomFiscal::Exportar(bp::Andamento* ObAndamento, int32_t No_TipoArquivoExportacao) {
  return Direct(kClasse, "Exportar", [&] {
    Env& env = Env::Current();
    OferecerApagarDisco(ds_path_, env);
    if (ObAndamento != nullptr) ObAndamento->Show();
    env.DoEvents();
    if (!janela_) janela_ = std::make_unique<bp::Andamento>(env);
    progresso_.SetJanela(janela_.get());
    progresso_.SetTituloAndamento("Exportando Abastecimentos por veículo");
    progresso_.SetDescricaoAndamento("Exportarndo abastecimentos");
    bool escrito = false;
    switch (No_TipoArquivoExportacao) {
      case kArquivoCupomTexto:
        escrito = ExportarRegistroCF_Txt1();
        break;
      case kArquivoCupomAnalitico:
        escrito = ExportarRegistroCF_Csv1();
        break;
      case kArquivoCupomSintetico:
        escrito = ExportarRegistroCF_Csv2();
        break;
      default:
        break;
    }
    if (!escrito) Falhar(kErroExportacao);
    return true;
  });
}

bool BPExportarCupomFiscal::Abrir(const char* final_do_nome, std::unique_ptr<TextFile>& arquivo) {
  Env& env = Env::Current();
  nm_arq_destino_ =
      ds_path_ + kPathSeparator + "CF Conta " + std::to_string(cd_conta_) + final_do_nome;
  progresso_.SetPercentualAndamento(0);
  progresso_.SetDescricaoAndamento("Abrindo arquivo de destino");
  progresso_.SetTituloAndamento("Exportação Abastecimentos por veículo");
  arquivo = AbrirDestino(nm_arq_destino_, env, /*perguntar=*/true);
  if (!arquivo) return false;
  progresso_.SetDescricaoAndamento("Selecionando CF...");
  return true;
}

void BPExportarCupomFiscal::Andamento(int64_t feitos, int64_t total, const std::string& descricao) {
  const double percentual = 10 + 90.0 * static_cast<double>(feitos) / static_cast<double>(total);
  progresso_.SetPercentualAndamento(static_cast<uint8_t>(std::nearbyint(percentual)));
  progresso_.SetDescricaoAndamento(descricao);
}

bool BPExportarCupomFiscal::ExportarRegistroCF_Txt1() {
  return Camada("ExportarRegistroCF_Txt1", [&](std::unique_ptr<TextFile>& arquivo) {
    if (!Abrir(".Txt", arquivo)) return false;
    host::BOSistema& sessao = *ObBOSistema();
    host::UnitOfWork work(sessao, host::Origem(kClasse, "ExportarRegistroCF_Txt1"));
    db::Recordset rs = dal_->TotaisPorVeiculo(sessao.Cd_PessoaUsuaria(), cd_conta_);
    work.End();
    const int64_t total = rs.RecordCount();
    Money soma;
    for (int64_t feitos = 1; !rs.Eof(); ++feitos) {
      const std::string linha = LinhaTexto(rs);
      if (linha.find_first_not_of(' ') != std::string::npos) arquivo->WriteLine(linha);
      soma += Dinheiro(rs["SomaDeVl_TotalLiquido"]);
      const std::string placa = Texto(rs["Cd_Veiculo"]);
      rs.MoveNext();
      Andamento(feitos, total, "Exportando Cupons fiscais placa:" + placa);
    }
    if (total > 0) {
      rs.MoveLast();
      if (Dinheiro(rs["Vl_Debito"]) != soma) {
        Falhar(kSomaNaoConfere + Format(Dinheiro(rs["Vl_Debito"]), kFormatoValor) +
               kValorExportacao + Format(Dinheiro(rs["Vl_Total"]), kFormatoValor));
      }
    }
    return true;
  });
}

bool BPExportarCupomFiscal::ExportarRegistroCF_Csv1() {
  return Camada("ExportarRegistroCF_Csv1", [&](std::unique_ptr<TextFile>& arquivo) {
    if (!Abrir(" Analitico.Csv", arquivo)) return false;
    host::BOSistema& sessao = *ObBOSistema();
    host::UnitOfWork work(sessao, host::Origem(kClasse, "ExportarRegistroCF_Csv1"));
    db::Recordset rs = dal_->ItensDosCupons(sessao.Cd_PessoaUsuaria(), cd_conta_);
    work.End();
    arquivo->WriteLine(kCabecalhoAnalitico);
    const int64_t total = rs.RecordCount();
    for (int64_t feitos = 1; !rs.Eof(); ++feitos) {
      const double quantidade = Numero(rs["Qt_Unidade"]);
      const Money preco = Dinheiro(rs["Vl_UnitVenda"]);
      arquivo->WriteLine(
          Juntar({Texto(rs["Nm_Produto"]), Format(Data(rs["Dt_Emissao"]), "dd/mm/yyyy"),
                  Format(quantidade, kFormatoQuantidade), Format(preco, kFormatoPreco),
                  Format(quantidade * preco.ToDouble(), kFormatoPreco),
                  Texto(rs["Id_CampoExtraCF"]), Texto(rs["Cd_Veiculo"]), Texto(rs["Nm_IdCliente"]),
                  Format(static_cast<int64_t>(Numero(rs["No_Km"])), "###,###,###"),
                  Format(Dinheiro(rs["Qt_KmPorLitro"]), kFormatoKm),
                  Texto(rs["Nm_IdentificacaoDoCliente"])}));
      rs.MoveNext();
      Andamento(feitos, total, "Exportando Cupons fiscais");
    }
    return true;
  });
}

bool BPExportarCupomFiscal::ExportarRegistroCF_Csv2() {
  return Camada("ExportarRegistroCF_Csv2", [&](std::unique_ptr<TextFile>& arquivo) {
    if (!Abrir(" Sintetico.Csv", arquivo)) return false;
    host::BOSistema& sessao = *ObBOSistema();
    const int32_t empresa = sessao.Cd_PessoaUsuaria();
    host::UnitOfWork work(sessao, host::Origem(kClasse, "ExportarRegistroCF_Csv2"));
    db::Recordset rs = dal_->VeiculosDaConta(empresa, cd_conta_);
    arquivo->WriteLine(kCabecalhoSintetico);
    const int64_t total = rs.RecordCount();
    for (int64_t feitos = 1; !rs.Eof(); ++feitos) {
      const std::string placa = Texto(rs["Cd_Veiculo"]);
      const db::Recordset leituras = dal_->LeiturasDeHodometro(empresa, cd_conta_, placa);
      Money inicial, final_;
      if (!leituras.Rows().empty()) {
        inicial = Dinheiro(leituras.Rows().front()[0]);
        final_ = Dinheiro(leituras.Rows().back()[0]);
      }
      Money rodado = final_ - inicial;
      if (rodado <= Money() || inicial == Money() || final_ == Money()) rodado = Money();
      const double litros = Numero(rs["Qt_Litros"]);
      const double media = rodado > Money() && litros > 0 ? rodado.ToDouble() / litros : 0.0;
      arquivo->WriteLine(
          Juntar({placa, Texto(rs["Nm_Marca"]), Texto(rs["Nm_Cor"]), Format(final_, kFormatoKm),
                  Format(inicial, kFormatoKm), Format(rodado, kFormatoKm),
                  Format(litros, kFormatoPreco), Format(media, kFormatoKm)}));
      rs.MoveNext();
      Andamento(feitos, total, "Exportando Cupons fiscais");
    }
    work.End();
    return true;
  });
}

namespace classes {
void RegisterBPExportarCupomFiscal() {
  RegisterClass(typelib::BPExportarCupomFiscal(),
                [] { return std::make_unique<BPExportarCupomFiscal>(); });
}
}  // namespace classes

}  // namespace bp
