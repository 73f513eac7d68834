#include "forecourt/passos_liberar_bico.h"

#include <optional>
#include <utility>

#include "bp/env.h"
#include "bp/host/unit_of_work.h"
#include "forecourt/objetos_liberacao.h"
#include "forecourt/respostas_mt.h"
#include "forecourt/textos_mt.h"

namespace bp::forecourt {

namespace {

using host::TipoVencimentoEnum;

constexpr const char* kProcedimento = "ProcessarAndamento";

bool Pagamento(const host::Abastecimento& a, TipoPagamentoEnum tipo) {
  return a.No_TipoPagamento == tipo;
}

}  // namespace

PassosLiberarBico::PassosLiberarBico(BPMTLiberarBico& dialogo, int16_t No_MT,
                                     host::AcaoEnum No_Action)
    : dialogo_(dialogo),
      no_mt_(No_MT),
      acao_(No_Action),
      estado_(dialogo.Registro(No_MT)),
      objetos_(*dialogo.objetos_) {}

void PassosLiberarBico::Executar(int16_t passo) {
  while (Passo(passo) == Seguir::Avancar) passo = estado_.No_Andamento;
}

void PassosLiberarBico::TerminarTrabalho() {
  if (!comecou_trabalho_) return;
  comecou_trabalho_ = false;
  Sessao(dialogo_.ObBOSistema()).EndWork(host::Origem(kClasseDialogo, kProcedimento), marcador_);
}

void PassosLiberarBico::Recuperar() {
  Sessao(dialogo_.ObBOSistema()).BeginWork(host::Origem(kClasseDialogo, kProcedimento), marcador_);
  comecou_trabalho_ = true;
  ++recuperacoes_;
}

int32_t PassosLiberarBico::CdPessoaUsuaria() {
  return Host([&] { return Sessao(dialogo_.ObBOSistema()).Cd_PessoaUsuaria(); });
}

bool PassosLiberarBico::EmTrabalho(const std::function<bool()>& operacao) {
  std::optional<host::UnitOfWork> trabalho;
  Host([&] {
    trabalho.emplace(Sessao(dialogo_.ObBOSistema()), host::Origem(kClasseDialogo, kProcedimento));
  });
  const bool resultado = Host(operacao);
  Host([&] { trabalho->End(); });
  return resultado;
}

void PassosLiberarBico::Atualizar() { dialogo_.Atualizar(no_mt_, estado_); }

PassosLiberarBico::Seguir PassosLiberarBico::Perguntar(const char* prompt, const char* mascara) {
  estado_.Tx_Buffer.clear();
  estado_.Tx_Linha2.clear();
  estado_.Tx_Linha1 = prompt;
  estado_.Tx_Mascara = mascara;
  estado_.No_Andamento = static_cast<int16_t>(passo_ + 1);
  Atualizar();
  return Seguir::Parar;
}

void PassosLiberarBico::Mostrar(const char* texto) {
  estado_.Tx_Linha1 = texto;
  estado_.Tx_Linha2.clear();
  Atualizar();
}

PassosLiberarBico::Seguir PassosLiberarBico::Avancar() {
  estado_.No_Action = acao_;
  estado_.No_Andamento = static_cast<int16_t>(passo_ + 1);
  return Seguir::Avancar;
}

PassosLiberarBico::Seguir PassosLiberarBico::Pular() {
  estado_.Tx_Buffer.clear();
  return Avancar();
}

PassosLiberarBico::Seguir PassosLiberarBico::TelaErro(std::string texto) {
  estado_.Tx_Buffer.clear();
  estado_.Tx_Linha1 = kErroTecleEnter;
  estado_.Tx_Linha2 = std::move(texto);
  estado_.No_Andamento = kPassoReinicio;
  Atualizar();
  return Seguir::Parar;
}

PassosLiberarBico::Seguir PassosLiberarBico::Passo(int16_t passo) {
  passo_ = passo;
  if (passo == kPassoReinicio) return Reiniciar();
  if (passo < 1 || passo > 27) return Seguir::Parar;
  const host::Abastecimento& abastecimento = objetos_.Abastecimento().Registro();
  pagamento_escolhido_ = abastecimento.No_TipoPagamento != TipoPagamentoEnum::PagamentoIndefinido;
  cheque_presente_ = !abastecimento.Cd_Cmc7.empty();
  if (passo <= 9) return Passo1a9(passo);
  if (passo <= 19) return Passo10a19(passo);
  return Passo20a27(passo);
}

// Identification, cash register, means of payment and cheque code line.
PassosLiberarBico::Seguir PassosLiberarBico::Passo1a9(int16_t passo) {
  const std::string& resposta = estado_.Tx_Buffer;
  host::Funcionario& funcionario = objetos_.Funcionario().Registro();
  host::Caixa& caixa = objetos_.Caixa().Registro();
  host::Abastecimento& abastecimento = objetos_.Abastecimento().Registro();
  switch (passo) {
    case 1:
      Host([&] { objetos_.Funcionario().Limpar(); });
      Host([&] { objetos_.Caixa().Limpar(); });
      Host([&] { objetos_.Abastecimento().Limpar(); });
      Host([&] { objetos_.Cheque().Limpar(); });
      estado_.No_Action = acao_;
      return Perguntar(kPromptFuncionario);
    case 2:
      Mostrar(kProcessando);
      funcionario.Cd_PessoaUsuaria = CdPessoaUsuaria();
      funcionario.Cd_Funcionario = ValorNumericoLong(resposta);
      return Avancar();
    case 3:
      return Perguntar(kPromptSenha);
    case 4:
      Mostrar(kVerificandoSenha);
      funcionario.Cd_PessoaUsuaria = CdPessoaUsuaria();
      funcionario.Nm_Senha = resposta;
      if (!EmTrabalho([&] { return objetos_.Funcionario().VerificarLogin(); }))
        return TelaErro(kUsuarioOuSenhaInvalido);
      return Avancar();
    case 5:
      Mostrar(kConsultandoCaixa);
      caixa.Cd_PessoaUsuaria = CdPessoaUsuaria();
      caixa.Cd_Funcionario = funcionario.Cd_Funcionario;
      EmTrabalho([&] {
        objetos_.Caixa().Carregar();
        return true;
      });
      if (CaixaAntigo(caixa.Dt_Abertura, Env::Current().Now())) {
        estado_.No_Action = acao_;
        return TelaErro(kCaixaAntigo);
      }
      return Avancar();
    case 6:
      return Perguntar(kPromptPagamento);
    case 7:
      abastecimento.Cd_PessoaUsuaria = CdPessoaUsuaria();
      if (resposta.empty()) {
        // Nothing chosen: the payment prompt stays on show.
        abastecimento.No_TipoPagamento = TipoPagamentoEnum::PagamentoIndefinido;
        return Seguir::Parar;
      }
      abastecimento.No_TipoPagamento = static_cast<TipoPagamentoEnum>(ValorNumericoLong(resposta));
      switch (abastecimento.No_TipoPagamento) {
        case TipoPagamentoEnum::PagamentoCredito:
        case TipoPagamentoEnum::PagamentoCartao:
          abastecimento.No_TipoVencimento = TipoVencimentoEnum::TipoVencimentoAPrazo;
          break;
        case TipoPagamentoEnum::PagamentoDinheiro:
          abastecimento.No_TipoVencimento = TipoVencimentoEnum::TipoVencimentoAVista;
          break;
        default:
          break;
      }
      return Avancar();
    case 8:
      if (Pagamento(abastecimento, TipoPagamentoEnum::PagamentoCheque))
        return Perguntar(kPromptCmc7, kMascaraCmc7);
      return Pular();
    default:  // 9
      abastecimento.Cd_PessoaUsuaria = CdPessoaUsuaria();
      abastecimento.Cd_Cmc7 = resposta;
      if (Pagamento(abastecimento, TipoPagamentoEnum::PagamentoCheque) && !resposta.empty())
        objetos_.Cheque().Registro().Cd_Cmc7 = resposta;
      return Avancar();
  }
}

// The cheque's document and deposit date, the vehicle, odometer and nozzle.
PassosLiberarBico::Seguir PassosLiberarBico::Passo10a19(int16_t passo) {
  const std::string& resposta = estado_.Tx_Buffer;
  host::Abastecimento& abastecimento = objetos_.Abastecimento().Registro();
  host::Cheque& cheque = objetos_.Cheque().Registro();
  const bool dados_cheque =
      Pagamento(abastecimento, TipoPagamentoEnum::PagamentoCheque) && cheque_presente_;
  const bool credito = Pagamento(abastecimento, TipoPagamentoEnum::PagamentoCredito);
  switch (passo) {
    case 10:
      return dados_cheque ? Perguntar(kPromptCpfCnpj) : Pular();
    case 11:
      if (dados_cheque) cheque.Cd_CpfCnpj = resposta;
      return Avancar();
    case 12:
      return dados_cheque ? Perguntar(kPromptDataDeposito, kMascaraData) : Pular();
    case 13:
      if (dados_cheque) {
        if (resposta.empty()) {
          cheque.Dt_Deposito = Env::Current().Now().DatePart();
          abastecimento.No_TipoVencimento = TipoVencimentoEnum::TipoVencimentoAVista;
        } else {
          cheque.Dt_Deposito = DataDigitada(resposta);
          abastecimento.No_TipoVencimento = TipoVencimentoEnum::TipoVencimentoAPrazo;
        }
      }
      return Avancar();
    case 14:
      return credito ? Perguntar(kPromptPlaca) : Pular();
    case 15:
      abastecimento.Cd_Veiculo = resposta;
      return Avancar();
    case 16:
      return credito ? Perguntar(kPromptHodometro) : Pular();
    case 17:
      abastecimento.No_Hodometro = ValorNumericoLong(resposta);
      return Avancar();
    case 18:
      return Perguntar(kPromptBico);
    default:  // 19
      abastecimento.Cd_Bomba = ValorNumericoByte(resposta);
      return Avancar();
  }
}

// Amount, discount, automatic settlement, the verdict and the recording.
PassosLiberarBico::Seguir PassosLiberarBico::Passo20a27(int16_t passo) {
  const std::string& resposta = estado_.Tx_Buffer;
  const host::Funcionario& funcionario = objetos_.Funcionario().Registro();
  host::Abastecimento& a = objetos_.Abastecimento().Registro();
  const host::Cheque& cheque = objetos_.Cheque().Registro();
  const bool dinheiro = Pagamento(a, TipoPagamentoEnum::PagamentoDinheiro);
  switch (passo) {
    case 20:
      return pagamento_escolhido_ ? Perguntar(kPromptValor, kMascaraValor) : Pular();
    case 21:
      a.Vl_Abastecimento = resposta.empty() ? Money() : ValorEmCentavos(resposta);
      return Avancar();
    case 22:
      if (funcionario.Fl_PermitirDesconto == ToInt32(Fl_OpcaoSenhaEnum::Fl_OpcaoPermitida) &&
          dinheiro)
        return Perguntar(kPromptDesconto, kMascaraDesconto);
      return Pular();
    case 23:
      a.Tx_DescontoAbastecimento = resposta.empty() ? Money() : ValorEmCentavos(resposta);
      return Avancar();
    case 24:
      if (dinheiro || Pagamento(a, TipoPagamentoEnum::PagamentoCredito))
        return Perguntar(kPromptBaixa);
      estado_.Tx_Buffer = kRespostaNao;
      return Avancar();
    case 25:
      a.Ic_BaixaAutomatica = resposta != kRespostaNao;
      return Avancar();
    case 26: {
      Mostrar(kLiberando);
      std::string resultado;
      const bool liberado = Host([&] {
        return dialogo_.regras_.BicoPodeSerLiberado(
            funcionario.Cd_Funcionario, funcionario.Nm_Senha, a.No_TipoPagamento, a.Cd_Veiculo,
            a.Cd_Cmc7, cheque.Cd_CpfCnpj, cheque.Dt_Deposito, a.Cd_Bomba, a.Ic_BaixaAutomatica,
            a.Vl_Abastecimento, a.No_Hodometro, resultado);
      });
      estado_.No_Action = acao_;
      estado_.Tx_Linha2 = resultado;
      if (liberado) {
        estado_.No_Andamento = 27;
        estado_.Tx_Linha1 = kPermitido;
      } else {
        estado_.Tx_Buffer.clear();
        estado_.No_Andamento = kPassoReinicio;
        estado_.Tx_Linha1 = kNaoPermitido;
      }
      Atualizar();
      return Seguir::Parar;
    }
    case 27: {
      Mostrar(kGravando);
      std::string resultado;
      const bool gravado = Host([&] {
        return dialogo_.regras_.GravarResponsabilidade(
            objetos_.Caixa().Registro().Cd_Caixa, a.Cd_Bomba, funcionario.Cd_Funcionario,
            funcionario.Nm_Senha, a.Cd_Veiculo, a.Cd_Cmc7, a.No_TipoPagamento,
            a.No_TipoVencimento, a.Ic_BaixaAutomatica, a.Vl_Abastecimento,
            a.Tx_DescontoAbastecimento, a.No_Hodometro, resultado,
            host::TipoHardwareEnum::TipoHardwareMicroTerminal);
      });
      if (gravado) return Avancar();
      estado_.No_Action = acao_;
      return TelaErro(kNaoGravado + resultado);
    }
    default:
      return Seguir::Parar;
  }
}

// Back to the main menu, after an error, a refusal or a recording.
PassosLiberarBico::Seguir PassosLiberarBico::Reiniciar() {
  estado_.No_Andamento = 0;
  estado_.No_Action = host::AcaoEnum::AcaoMenuPrincipal;
  estado_.Tx_Buffer.clear();
  estado_.Tx_Linha1.clear();
  estado_.Tx_Linha2.clear();
  Atualizar();
  return Seguir::Parar;
}

}  // namespace bp::forecourt
