#include "bp/exportacao_sintegra_base.h"

#include <string>
#include <utility>
#include <vector>

#include "bp/disco_removivel.h"
#include "bp/env.h"
#include "bp/format.h"
#include "bp/host/unit_of_work.h"
#include "bp/modulo.h"
#include "bp/money.h"
#include "bp/names.h"
#include "bp/trap.h"
#include "exports/textos_exportacao.h"

namespace bp {
namespace {

using namespace exportacao;

constexpr int64_t kSegundosPorDia = 86400;

// Text field: trimmed, cut or blank-filled on the right.
std::string Texto(const std::string& valor, int16_t largura) {
  return FixaTamanho(valor, largura, " ", kAlinhamentoEsquerda);
}
// Digits only, blank-filled on the right (CNPJ, state registration).
std::string DigitosATexto(const std::string& valor, int16_t largura) {
  return Texto(RetiraCaracteresNaoNumericos(valor), largura);
}
// Digits only, zero-filled on the left.
std::string Numero(const std::string& valor, int16_t largura) {
  return FixaTamanho(RetiraCaracteresNaoNumericos(valor), largura, "0", kAlinhamentoDireita);
}

}  // namespace

void ExportacaoSintegraBase::LetProperty(std::string_view name, const Value& value) {
  if (SameName(name, kPropFuncionario)) {
    nm_funcionario_ = value.ToText();
  } else if (SameName(name, kPropDtInicial)) {
    dt_inicial_ = value.ToDate();
  } else if (SameName(name, kPropDtFinal)) {
    dt_final_ = value.ToDate();
  } else if (SameName(name, kPropRetificacao)) {
    ic_retificacao_ = static_cast<Tp_BytesimNao>(value.ToInt32());
  } else {
    ExportacaoDeRegistros::LetProperty(name, value);
  }
}

Value ExportacaoSintegraBase::GetProperty(std::string_view name) const {
  if (SameName(name, kPropFuncionario)) return Value(nm_funcionario_);
  if (SameName(name, kPropDtInicial)) return Value(dt_inicial_);
  if (SameName(name, kPropDtFinal)) return Value(dt_final_);
  if (SameName(name, kPropRetificacao)) return Value(static_cast<int32_t>(ic_retificacao_));
  return ExportacaoDeRegistros::GetProperty(name);
}

bool ExportacaoSintegraBase::Validar() {
  return Direct(Classe(), "Validar", [&] {
    struct Falha {
      const char* texto;
      const char* titulo;
      const char* campo;
    };
    std::optional<Falha> falha;
    if (dt_inicial_ > dt_final_) {
      falha = Falha{kInicialMaior, kTituloPeriodo, kPropDtInicial};
    } else if (dt_inicial_.Year() != dt_final_.Year() || dt_inicial_.Month() != dt_final_.Month()) {
      falha = Falha{kUmMes, kTituloPeriodo, kPropDtInicial};
    } else if (Ds_Caminho().empty()) {
      falha = Falha{kSemCaminho, kTituloSemCaminho, kPropCaminho};
    } else if (!DestinoEncontrado(Ds_Caminho(), Env::Current())) {
      falha = Falha{kCaminhoInvalido, kTituloCaminhoInvalido, kPropCaminho};
    }
    if (!falha) return true;
    SetNm_CampoErroCritica(falha->campo);
    Aviso(falha->titulo, falha->texto);
    return false;
  });
}

void ExportacaoSintegraBase::PreparaEstoqueConsolidado(DateTime Dt_Referencia,
                                                       bool /*Ic_IncluirEstoquePositivo*/,
                                                       bool /*Ic_IncluirEstoqueNegativo*/,
                                                       Andamento* ObAndamento) {
  Direct(Classe(), "PreparaEstoqueConsolidado", [&] {
    if (!ObBOSistema()) RaiseRuntime(rt::kObjectNotSet);
    host::BOSistema& sessao = *ObBOSistema();
    host::BOEmpresaUsuaria& empresa = sessao.EmpresaUsuaria();
    {
      host::UnitOfWork work(sessao, host::Origem(Classe(), "PreparaEstoqueConsolidado"));
      empresa.SetMarcador(work.Marker());
      work.End();
    }
    const DateTime ultima = empresa.DataUltimaConsolidacaoEstoque();
    if (Dt_Referencia.DatePart() > ultima) {
      empresa.ConsolidarEstoqueAte(Dt_Referencia, ObAndamento);
    } else {
      empresa.ConsolidarEstoqueNaData(Dt_Referencia, ObAndamento);
    }
  });
}

bool ExportacaoSintegraBase::geraRegistro10() {
  empresa_ = ObBOSistema()->EmpresaUsuaria().Identificacao();
  const host::IdentificacaoEmpresa& e = empresa_;
  host::RegistrosSintegra r{true, ""};
  r.Tx_Registros = "10" + DigitosATexto(e.cnpj, 14) + DigitosATexto(e.inscricao_estadual, 14) +
                   Texto(e.nome, 35) + Texto(e.endereco.cidade, 30) + Texto(e.endereco.uf, 2) +
                   Numero(e.telefone, 10) + Format(dt_inicial_, "yyyymmdd") +
                   Format(dt_final_, "yyyymmdd") + "3" + "3" +
                   (ic_retificacao_ == Tp_BytesimNao::sim ? "2" : "1");
  return Escrever(r);
}

bool ExportacaoSintegraBase::geraRegistro11() {
  const host::IdentificacaoEmpresa& e = empresa_;
  host::RegistrosSintegra r{true, ""};
  r.Tx_Registros = "11" + Texto(e.endereco.logradouro, 34) + Numero(e.numero, 5) +
                   Texto(e.complemento, 22) + Texto(e.endereco.bairro, 15) + Numero(e.cep, 8) +
                   Texto(nm_funcionario_, 28) + Numero(e.telefone, 12);
  return Escrever(r);
}

bool ExportacaoSintegraBase::Registros10e11() {
  SetPercentual(1);
  SetDescricao(kCriandoRegistro10);
  if (!Passo(geraRegistro10(), TituloQuando("10"), TextoQuando("10"))) return false;
  SetPercentual(2);
  SetDescricao(kCriandoRegistros11);
  return Passo(geraRegistro11(), TituloQuando(" 11"), TextoQuando(" 11"));
}

bool ExportacaoSintegraBase::geraRegistro90(bool com_74) {
  const ContadoresSintegra& c = contadores_;
  std::vector<std::pair<const char*, int64_t>> pares = {
      {"50", c.r50},
      {"53", c.r53},
      {"54", c.r54},
      {"60", int64_t{c.r60m} + c.r60a + c.r60d + c.r60i + c.r60r}};
  if (com_74) pares.emplace_back("74", c.r74);
  pares.emplace_back("75", c.r75);
  pares.emplace_back("88", c.r88);
  std::string texto =
      "90" + DigitosATexto(empresa_.cnpj, 14) + DigitosATexto(empresa_.inscricao_estadual, 14);
  int64_t total = 3;
  for (const auto& [tipo, quantidade] : pares) {
    if (quantidade <= 0) continue;
    texto += tipo + Format(quantidade, "00000000");
    total += quantidade;
  }
  texto += "99" + Format(total, "00000000");
  return Escrever({true, Texto(texto, 125) + "1"});
}

int ExportacaoSintegraBase::PercentualDoPasso(int inicio, int faixa, int64_t i, int64_t n) {
  const Money valor = Money::FromDouble(
      inicio + static_cast<double>(faixa) * static_cast<double>(i) / static_cast<double>(n));
  return Value(valor).ToByte();
}

bool ExportacaoSintegraBase::PorDia(int inicio, int faixa, const std::string& descricao,
                                    const std::function<bool(DateTime)>& dia) {
  const int64_t dias = (dt_final_.Seconds() - dt_inicial_.Seconds()) / kSegundosPorDia;
  int64_t i = 1;
  for (DateTime d = dt_inicial_.DatePart(); d <= dt_final_; d = d.AddDays(1), ++i) {
    if (!dia(d)) return false;
    if (dias > 0) {
      SetPercentual(PercentualDoPasso(inicio, faixa, i, dias));
      SetDescricao(descricao);
    }
  }
  return true;
}

}  // namespace bp
