#include <cstdint>
#include <string>

#include "bp/erros.h"

namespace bp {
namespace {

struct ErrorText {
  uint32_t number;
  const char* text;
};

// The system's own error numbers and their messages, in the order of their
// offsets above 0x80040000. Two TEF and two TecBan codes, and the two CMC7
// codes, share a text.
constexpr ErrorText kErrorTexts[] = {
    {0x80040201, "Nao informado identificador do registro (chave, codigo ou PK ...)"},
    {0x80040202, "Registro nao encontrado"},
    {0x80040265, "Erro na rotina de criptografia"},
    {0x80040266, "Erro na rotina de descriptografia"},
    {0x80040267, "Erro no calculo do check sum"},
    {0x80040268, "Erro na consulta do cheque"},
    {0x80040269, "Venda nao liberado ao cliente"},
    {0x8004026A, "Venda nao liberado ao veiculo"},
    {0x8004026B, "Cheque nao consultado"},
    {0x8004026C, "Nao foi autorizado o recebimento do cheque"},
    {0x8004026D, "Exclusão cancelada"},
    {0x8004026E, "Acesso negado"},
    {0x8004026F, "Abastecimento baixado anteriormente"},
    {0x80040270, "Não autorizado recebimento do cheque"},
    {0x800402CA, "Estoque insuficiente"},
    {0x8004032C, "CPF ou CNPJ inválido"},
    {0x8004032D, "Código de abastecimento inválido"},
    {0x8004032E, "Inscrição estadual inválida"},
    {0x8004032F, "CMC7 não informado ou inválido"},
    {0x80040330, "Caixa não informado ou inválido"},
    {0x80040331, "Impressora não informada ou inválida"},
    {0x80040332, "Documento não informado ou inválido"},
    {0x80040333, "Placa não informado ou inválida"},
    {0x80040334, "Cliente não informado ou inválido"},
    {0x80040335, "CMC7 não informado ou inválido"},
    {0x80040336, "Data de recebimento não informada ou inválida"},
    {0x800405E8, "Erro na leitura do encerrante"},
    {0x800405E9, "Erro na leitura do encerrante (Erro codigo bico)"},
    {0x800405EA, "Erro na leitura do encerrante (Erro caracter de modo)"},
    {0x800405EB, "Erro na leitura do encerrante (Erro timeout bomba)"},
    {0x800405EC, "Erro na leitura do encerrante (Erro resposta bomba)"},
    {0x800405ED, "Erro na abertura da porta de comunicacao"},
    {0x800405EE, "Erro na comunicacao"},
    {0x800405EF, "Arquivo ini não encontrado ou parâmetro inválido para o nome da porta."},
    {0x800405F0, "Erro no Status da impressora"},
    {0x800405F1, "Parametro invalido na funcao"},
    {0x800405F2, "A impressora retornou erro, o comando não foi executado corretamente"},
    {0x800405F3, "Aliquota nao cadastrada"},
    {0x800405F4, "Nao houve resposta ao pedido de Conexao(check-express)"},
    {0x800405F5, "Nao houve resposta a consulta check-express"},
    {0x800405F6, "Nao houve resposta ao pedido de Conexao(Serasa)"},
    {0x800405F7, "Nao houve resposta a consulta Serasa"},
    {0x800405F8, "Nao e possivel liberar, bico nao esta bloqueado"},
    {0x800405FF, "Impressora desligada ou cabo desconectado"},
    {0x80040601, "Função não suportada pelo modelo de ECF utilizado"},
    {0x8004064C, "Erro de escrita do arquivo de requisicao TEF"},
    {0x8004064D, "Erro de leitura do arquivo de resposta TEF"},
    {0x8004064E, "Arquivo TEF de resposta nao encontrado"},
    {0x8004064F, "Erro de leitura do arquivo de resposta TEF"},
    {0x80040650, "Erro de escrita do arquivo de requisicao TecBan"},
    {0x80040651, "Erro de leitura do arquivo de resposta TecBan"},
    {0x80040652, "Arquivo TecBan de resposta nao encontrado"},
    {0x80040653, "Erro de leitura do arquivo de resposta TecBan"},
    {0x80040654, "TecBan nao esta ativo"},
    {0x80040655, "Erro quando gerava o arquivo de solicitacao TecBan"},
};

}  // namespace

std::string RetornaDescricaoErro(const int32_t& Numero) {
  const auto key = static_cast<uint32_t>(Numero);
  for (const ErrorText& e : kErrorTexts) {
    if (e.number == key) return e.text;
  }
  return {};
}

}  // namespace bp
