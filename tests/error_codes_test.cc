// The system error numbers are a contract with the host, which tests them:
// every number, its signed value as the host sees it, its offset above
// 0x80040000 and its message, written out here by hand from the published
// table and checked through RetornaDescricaoErro.
#include <cstdint>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "bp/erros.h"

namespace bp {
namespace {

struct ErrorRow {
  uint32_t code;
  int32_t signed_value;
  int offset;
  const char* message;
};

constexpr ErrorRow kErrorRows[] = {
    {0x80040201, -2147220991, 513, "Nao informado identificador do registro (chave, codigo ou PK ...)"},
    {0x80040202, -2147220990, 514, "Registro nao encontrado"},
    {0x80040265, -2147220891, 613, "Erro na rotina de criptografia"},
    {0x80040266, -2147220890, 614, "Erro na rotina de descriptografia"},
    {0x80040267, -2147220889, 615, "Erro no calculo do check sum"},
    {0x80040268, -2147220888, 616, "Erro na consulta do cheque"},
    {0x80040269, -2147220887, 617, "Venda nao liberado ao cliente"},
    {0x8004026A, -2147220886, 618, "Venda nao liberado ao veiculo"},
    {0x8004026B, -2147220885, 619, "Cheque nao consultado"},
    {0x8004026C, -2147220884, 620, "Nao foi autorizado o recebimento do cheque"},
    {0x8004026D, -2147220883, 621, "Exclusão cancelada"},
    {0x8004026E, -2147220882, 622, "Acesso negado"},
    {0x8004026F, -2147220881, 623, "Abastecimento baixado anteriormente"},
    {0x80040270, -2147220880, 624, "Não autorizado recebimento do cheque"},
    {0x800402CA, -2147220790, 714, "Estoque insuficiente"},
    {0x8004032C, -2147220692, 812, "CPF ou CNPJ inválido"},
    {0x8004032D, -2147220691, 813, "Código de abastecimento inválido"},
    {0x8004032E, -2147220690, 814, "Inscrição estadual inválida"},
    {0x8004032F, -2147220689, 815, "CMC7 não informado ou inválido"},
    {0x80040330, -2147220688, 816, "Caixa não informado ou inválido"},
    {0x80040331, -2147220687, 817, "Impressora não informada ou inválida"},
    {0x80040332, -2147220686, 818, "Documento não informado ou inválido"},
    {0x80040333, -2147220685, 819, "Placa não informado ou inválida"},
    {0x80040334, -2147220684, 820, "Cliente não informado ou inválido"},
    {0x80040335, -2147220683, 821, "CMC7 não informado ou inválido"},
    {0x80040336, -2147220682, 822, "Data de recebimento não informada ou inválida"},
    {0x800405E8, -2147219992, 1512, "Erro na leitura do encerrante"},
    {0x800405E9, -2147219991, 1513, "Erro na leitura do encerrante (Erro codigo bico)"},
    {0x800405EA, -2147219990, 1514, "Erro na leitura do encerrante (Erro caracter de modo)"},
    {0x800405EB, -2147219989, 1515, "Erro na leitura do encerrante (Erro timeout bomba)"},
    {0x800405EC, -2147219988, 1516, "Erro na leitura do encerrante (Erro resposta bomba)"},
    {0x800405ED, -2147219987, 1517, "Erro na abertura da porta de comunicacao"},
    {0x800405EE, -2147219986, 1518, "Erro na comunicacao"},
    {0x800405EF, -2147219985, 1519, "Arquivo ini não encontrado ou parâmetro inválido para o nome da porta."},
    {0x800405F0, -2147219984, 1520, "Erro no Status da impressora"},
    {0x800405F1, -2147219983, 1521, "Parametro invalido na funcao"},
    {0x800405F2, -2147219982, 1522, "A impressora retornou erro, o comando não foi executado corretamente"},
    {0x800405F3, -2147219981, 1523, "Aliquota nao cadastrada"},
    {0x800405F4, -2147219980, 1524, "Nao houve resposta ao pedido de Conexao(check-express)"},
    {0x800405F5, -2147219979, 1525, "Nao houve resposta a consulta check-express"},
    {0x800405F6, -2147219978, 1526, "Nao houve resposta ao pedido de Conexao(Serasa)"},
    {0x800405F7, -2147219977, 1527, "Nao houve resposta a consulta Serasa"},
    {0x800405F8, -2147219976, 1528, "Nao e possivel liberar, bico nao esta bloqueado"},
    {0x800405FF, -2147219969, 1535, "Impressora desligada ou cabo desconectado"},
    {0x80040601, -2147219967, 1537, "Função não suportada pelo modelo de ECF utilizado"},
    {0x8004064C, -2147219892, 1612, "Erro de escrita do arquivo de requisicao TEF"},
    {0x8004064D, -2147219891, 1613, "Erro de leitura do arquivo de resposta TEF"},
    {0x8004064E, -2147219890, 1614, "Arquivo TEF de resposta nao encontrado"},
    {0x8004064F, -2147219889, 1615, "Erro de leitura do arquivo de resposta TEF"},
    {0x80040650, -2147219888, 1616, "Erro de escrita do arquivo de requisicao TecBan"},
    {0x80040651, -2147219887, 1617, "Erro de leitura do arquivo de resposta TecBan"},
    {0x80040652, -2147219886, 1618, "Arquivo TecBan de resposta nao encontrado"},
    {0x80040653, -2147219885, 1619, "Erro de leitura do arquivo de resposta TecBan"},
    {0x80040654, -2147219884, 1620, "TecBan nao esta ativo"},
    {0x80040655, -2147219883, 1621, "Erro quando gerava o arquivo de solicitacao TecBan"},
};

TEST(ErrorCodes, EveryNumberGivesItsMessageAndNoOtherNumberGivesText) {
  std::set<uint32_t> codes;
  for (const ErrorRow& row : kErrorRows) {
    // The three columns of a row name one number.
    EXPECT_EQ(static_cast<int32_t>(row.code), row.signed_value) << std::hex << row.code;
    EXPECT_EQ(row.code - 0x80040000u, static_cast<uint32_t>(row.offset)) << std::hex << row.code;
    EXPECT_EQ(RetornaDescricaoErro(row.signed_value), row.message) << std::hex << row.code;
    codes.insert(row.code);
  }
  ASSERT_EQ(codes.size(), 55u);

  // Every other number of the interface-error range, the business number
  // raised with its own text, the Z reduction's number, zero and positive
  // numbers give the empty text.
  for (uint32_t n = 0x80040000u; n <= 0x8004FFFFu; ++n) {
    if (codes.contains(n)) continue;
    EXPECT_EQ(RetornaDescricaoErro(static_cast<int32_t>(n)), "") << std::hex << n;
  }
  for (int32_t n : {0, 1, 513, 0x7FFFFFFF, INT32_MIN, -1}) EXPECT_EQ(RetornaDescricaoErro(n), "") << n;
}

TEST(ErrorCodes, NumbersRaisedOutsideTheTable) {
  EXPECT_EQ(kErroNegocio, -2147219872);          // 0x80040660, offset 1632
  EXPECT_EQ(kErroArquivoReducaoZ, -2147209870);  // 0x80042D72, offset 11634
  EXPECT_EQ(kErroActiveCrypt, -2147220991);      // 0x80040201
}

}  // namespace
}  // namespace bp
