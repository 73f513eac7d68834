// The short texts the station's forecourt objects give the terminals in
// Ds_Resultado: plain ASCII, as the micro-terminals show them.
#pragma once

namespace station::textos {

inline constexpr const char* kLiberado = "Liberado";
inline constexpr const char* kVendaPrazoLiberada = "Venda a prazo liberada";
inline constexpr const char* kSenhaInvalida = "Usuario ou senha invalido";
inline constexpr const char* kBicoNaoCadastrado = "Bico nao cadastrado";
inline constexpr const char* kBicoBloqueado = "Bico bloqueado";
inline constexpr const char* kBicoInativo = "Bico inativo";
inline constexpr const char* kSemCaixa = "Funcionario sem caixa aberto";
inline constexpr const char* kCaixaFechado = "Caixa fechado";
inline constexpr const char* kCaixaDeOutro = "Caixa de outro funcionario";
inline constexpr const char* kInformePlaca = "Informe a placa";
inline constexpr const char* kVeiculoNaoCadastrado = "Veiculo nao cadastrado";
inline constexpr const char* kVeiculoSemCliente = "Veiculo sem cliente";
inline constexpr const char* kClienteBloqueado = "Cliente bloqueado";
inline constexpr const char* kClienteComRestricao = "Cliente com restricao de venda";
inline constexpr const char* kInformeHodometro = "Informe o hodometro";
inline constexpr const char* kHodometroMenor = "Hodometro menor que o ultimo";
inline constexpr const char* kResponsabilidadeGravada = "Responsabilidade gravada";
inline constexpr const char* kValorNegativo = "Valor negativo";
inline constexpr const char* kDescontoNegativo = "Desconto negativo";
inline constexpr const char* kDescontoAcimaDoValor = "Desconto nao menor que o valor";

inline constexpr const char* kChequeAprovado = "Cheque aprovado";
inline constexpr const char* kChequeAprovadoComRestricoes = "Cheque aprovado com restricoes";
inline constexpr const char* kCmc7Invalido = "CMC7 invalido";
inline constexpr const char* kDocumentoInvalido = "CPF/CNPJ do emitente invalido";
inline constexpr const char* kDepositoAnterior = "Data de deposito ja passou";
inline constexpr const char* kDepositoDistante = "Deposito acima de 60 dias";
inline constexpr const char* kChequeJaUtilizado = "Cheque ja utilizado";
inline constexpr const char* kEmitenteRecusado = "Emitente com cheque recusado";
inline constexpr const char* kConsultaNaoEncontrada = "Consulta do cheque nao encontrada";

}  // namespace station::textos
