#include "station/forecourt/regras_pista.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <vector>

#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/value.h"
#include "station/forecourt/cheque.h"
#include "station/forecourt/senha.h"
#include "station/forecourt/textos_pista.h"
#include "station/session/numeracao.h"
#include "station/session/transacao.h"

namespace station {
namespace {

using bp::Value;

bool Verdadeiro(const Value& v) { return !v.IsNull() && !v.IsEmpty() && v.ToBool(); }
bool Falso(const Value& v) { return !v.IsNull() && !v.IsEmpty() && !v.ToBool(); }
bool Nulo(const Value& v) { return v.IsNull() || v.IsEmpty(); }

Veredito Recusa(const char* motivo) { return {false, motivo}; }

// The plate as registered: blanks at both ends removed, letters in capitals.
std::string Placa(const std::string& texto) {
  const size_t a = texto.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  std::string p = texto.substr(a, texto.find_last_not_of(' ') - a + 1);
  std::transform(p.begin(), p.end(), p.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  return p;
}

bool Existe(bp::db::Connection& c, const char* sql, std::vector<Value> p) {
  return !c.Query(sql, p).Eof();
}

// The plate when the company has that vehicle, else a null.
Value VeiculoOuNulo(bp::db::Connection& c, int32_t empresa, const std::string& texto) {
  const std::string placa = Placa(texto);
  if (placa.empty() ||
      !Existe(c, "SELECT 1 FROM Veiculo WHERE Cd_PessoaUsuaria = ? AND Cd_Veiculo = ?",
              {Value(empresa), Value(placa)})) {
    return Value(bp::Null{});
  }
  return Value(placa);
}

// The open cash register `cd_caixa` of the company: its employee, or the
// refusal.
std::optional<int32_t> DonoDoCaixaAberto(bp::db::Connection& c, int32_t empresa,
                                         int32_t cd_caixa, Veredito& recusa) {
  if (cd_caixa == 0) {
    recusa = Recusa(textos::kSemCaixa);
    return std::nullopt;
  }
  const bp::db::Recordset rs =
      c.Query("SELECT Cd_Funcionario, Ic_Fechado, Dt_Fechamento FROM Caixa "
              "WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ?",
              {Value(empresa), Value(cd_caixa)});
  if (rs.Eof() || Verdadeiro(rs["Ic_Fechado"]) || !Nulo(rs["Dt_Fechamento"])) {
    recusa = Recusa(textos::kCaixaFechado);
    return std::nullopt;
  }
  return rs["Cd_Funcionario"].ToInt32();
}

}  // namespace

const char* MotivoDeValores(bp::Money valor, bp::Money desconto) {
  if (valor < bp::Money()) return textos::kValorNegativo;
  if (desconto < bp::Money()) return textos::kDescontoNegativo;
  if (desconto > bp::Money() && desconto >= valor) return textos::kDescontoAcimaDoValor;
  return nullptr;
}

CaixaDoFuncionario CarregarCaixa(bp::db::Connection& c, int32_t empresa, int32_t cd_funcionario) {
  const bp::db::Recordset rs = c.Query(
      "SELECT Cd_Caixa, Dt_Abertura, Ic_Fechado, Dt_Fechamento FROM Caixa "
      "WHERE Cd_PessoaUsuaria = ? AND Cd_Funcionario = ? ORDER BY Dt_Abertura DESC, Cd_Caixa DESC",
      {Value(empresa), Value(cd_funcionario)});
  CaixaDoFuncionario ultimo;
  for (const auto& linha : rs.Rows()) {
    CaixaDoFuncionario k;
    k.cd_caixa = linha[0].ToInt32();
    k.dt_abertura = linha[1].ToDate();
    k.aberto = !Verdadeiro(linha[2]) && Nulo(linha[3]);
    if (k.aberto) return k;
    if (ultimo.cd_caixa == 0) ultimo = k;
  }
  return ultimo;
}

Veredito VerificarDinheiroOuCartao(bp::db::Connection& c, int32_t empresa,
                                   const PedidoLiberacao& p, bp::DateTime agora) {
  if (!ConferirLogin(c, empresa, p.cd_funcionario, p.nm_senha, agora)) {
    return Recusa(textos::kSenhaInvalida);
  }
  const bp::db::Recordset bico =
      c.Query("SELECT Fl_BloquearBico, Ic_Ativo FROM Bomba WHERE Cd_PessoaUsuaria = ? "
              "AND Cd_Bomba = ?",
              {Value(empresa), Value(p.cd_bomba)});
  if (bico.Eof()) return Recusa(textos::kBicoNaoCadastrado);
  if (Falso(bico["Ic_Ativo"])) return Recusa(textos::kBicoInativo);
  if (Verdadeiro(bico["Fl_BloquearBico"])) return Recusa(textos::kBicoBloqueado);
  Veredito recusa;
  const std::optional<int32_t> dono = DonoDoCaixaAberto(c, empresa, p.cd_caixa, recusa);
  if (!dono) return recusa;
  if (*dono != p.cd_funcionario) return Recusa(textos::kCaixaDeOutro);
  if (p.vl_abastecimento < bp::Money()) return Recusa(textos::kValorNegativo);
  return {true, textos::kLiberado};
}

Veredito VerificarVendaCredito(bp::db::Connection& c, int32_t empresa, const PedidoLiberacao& p,
                               bp::DateTime agora) {
  Veredito v = VerificarDinheiroOuCartao(c, empresa, p, agora);
  if (!v.liberado) return v;
  const std::string placa = Placa(p.cd_veiculo);
  if (placa.empty()) return Recusa(textos::kInformePlaca);
  const bp::db::Recordset veiculo = c.Query(
      "SELECT v.Cd_Cliente, v.No_KmAtual, k.Cd_Cliente AS Cd_Cadastro, k.Ic_Bloqueado, "
      "k.No_RestricaoDeVenda, k.Ic_ExigirHodometroNaVenda, e.Ic_ExigirHodometroNaVenda AS "
      "Ic_ExigirEmpresa FROM Veiculo v "
      "LEFT JOIN Cliente k ON k.Cd_PessoaUsuaria = v.Cd_PessoaUsuaria AND k.Cd_Cliente = v.Cd_Cliente "
      "LEFT JOIN EmpresaUsuaria e ON e.Cd_PessoaUsuaria = v.Cd_PessoaUsuaria "
      "WHERE v.Cd_PessoaUsuaria = ? AND v.Cd_Veiculo = ?",
      {Value(empresa), Value(placa)});
  if (veiculo.Eof()) return Recusa(textos::kVeiculoNaoCadastrado);
  if (Nulo(veiculo["Cd_Cadastro"])) return Recusa(textos::kVeiculoSemCliente);
  if (Verdadeiro(veiculo["Ic_Bloqueado"])) return Recusa(textos::kClienteBloqueado);
  const Value& restricao = veiculo["No_RestricaoDeVenda"];
  if (!Nulo(restricao) && restricao.ToInt32() != 0 &&
      Existe(c,
             "SELECT 1 FROM RestricaoDeVenda r JOIN Bomba b ON b.Cd_PessoaUsuaria = "
             "r.Cd_PessoaUsuaria AND b.Cd_Produto = r.Cd_Produto WHERE r.Cd_PessoaUsuaria = ? "
             "AND r.Cd_Cliente = ? AND b.Cd_Bomba = ? AND (r.No_PermitirVenda IS NULL OR "
             "r.No_PermitirVenda = 0)",
             {Value(empresa), veiculo["Cd_Cadastro"], Value(p.cd_bomba)})) {
    return Recusa(textos::kClienteComRestricao);
  }
  const bool exige =
      Verdadeiro(veiculo["Ic_ExigirHodometroNaVenda"]) || Verdadeiro(veiculo["Ic_ExigirEmpresa"]);
  if (exige && p.no_hodometro <= 0) return Recusa(textos::kInformeHodometro);
  const Value& km = veiculo["No_KmAtual"];
  if (p.no_hodometro > 0 && !Nulo(km) && p.no_hodometro < km.ToInt32()) {
    return Recusa(textos::kHodometroMenor);
  }
  return {true, textos::kVendaPrazoLiberada};
}

namespace {

// The writes of GravarResponsabilidade, inside its transaction.
Veredito GravarNaTransacao(bp::db::Connection& c, int32_t empresa, const Responsabilidade& r,
                           bp::DateTime agora) {
  if (const char* motivo = MotivoDeValores(r.vl_abastecimento, r.tx_desconto_abastecimento))
    return Recusa(motivo);
  const bp::db::Recordset bico = c.Query(
      "SELECT b.De_EnderecoLogicoBico, p.Vl_Preco FROM Bomba b LEFT JOIN Produto p ON "
      "p.Cd_PessoaUsuaria = b.Cd_PessoaUsuaria AND p.Cd_Produto = b.Cd_Produto "
      "WHERE b.Cd_PessoaUsuaria = ? AND b.Cd_Bomba = ?",
      {Value(empresa), Value(r.cd_bomba)});
  if (bico.Eof()) return Recusa(textos::kBicoNaoCadastrado);
  Veredito recusa;
  const std::optional<int32_t> responsavel = DonoDoCaixaAberto(c, empresa, r.cd_caixa, recusa);
  if (!responsavel) return recusa;

  const Value veiculo = VeiculoOuNulo(c, empresa, r.cd_veiculo);
  std::vector<Value> cheque(4, Value(bp::Null{}));
  if (const std::optional<Cmc7> k = LerCmc7(r.cd_cmc7); k && ConsultaGuardada(c, r.cd_cmc7)) {
    // A cheque pays one fuelling: another terminal may have recorded it
    // since this one was consulted.
    if (ChequeUtilizado(c, empresa, *k)) return Recusa(textos::kChequeJaUtilizado);
    cheque = {Value(k->banco), Value(k->agencia), Value(k->conta), Value(k->numero)};
  }
  const std::string cmc7 = r.cd_cmc7.substr(0, 30);
  const Value hodometro = r.no_hodometro > 0 ? Value(r.no_hodometro) : Value(bp::Null{});
  const Value& preco = bico["Vl_Preco"];

  std::vector<Value> p = {
      Value(empresa), Value(0), bico["De_EnderecoLogicoBico"], Value(agora), Value(0.0),
      Nulo(preco) ? Value(bp::Null{}) : Value(bp::Money::FromDouble(preco.ToDouble())),
      Value(r.vl_abastecimento), Value(kOrigemLiberacao), Value(false), Value(r.cd_caixa),
      Value(*responsavel), veiculo, Value(r.no_tipo_pagamento), Value(r.no_tipo_vencimento),
      Value(r.ic_baixa_automatica)};
  p.insert(p.end(), cheque.begin(), cheque.end());
  for (Value v : {cmc7.empty() ? Value(bp::Null{}) : Value(cmc7),
                  Value(r.tx_desconto_abastecimento), hodometro, Value(false)}) {
    p.push_back(std::move(v));
  }
  InserirNumerado(
      c, "SELECT MAX(Cd_Abastecimento) FROM Abastecimento WHERE Cd_PessoaUsuaria = ?",
      {Value(empresa)}, [&](int32_t numero) {
        p[1] = Value(numero);
        c.Execute("INSERT INTO Abastecimento (Cd_PessoaUsuaria, Cd_Abastecimento, "
                  "De_EnderecoLogicoBico, Dt_Termino, Qt_Litros, Vl_Unitario, Vl_Total, "
                  "Tp_OrigemRegistro, Ic_Baixado, Cd_Caixa, Cd_Funcionario, Cd_Veiculo, "
                  "No_TipoPagamento, No_TipoVencimento, Ic_BaixaAutomatica, Cd_Banco, "
                  "Cd_Agencia, Cd_Conta, Nm_IdDocumento, Cd_Cmc7, Tx_DescontoAbastecimento, "
                  "No_Hodometro, Ic_Afericao) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                  "?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  p);
      });
  c.Execute("UPDATE Bomba SET Tx_DescontoAbastecimento = ?, No_Hodometro = ? "
            "WHERE Cd_PessoaUsuaria = ? AND Cd_Bomba = ?",
            {Value(r.tx_desconto_abastecimento), hodometro, Value(empresa), Value(r.cd_bomba)});
  if (!veiculo.IsNull() && r.no_hodometro > 0) {
    c.Execute("UPDATE Veiculo SET No_KmAtual = ? WHERE Cd_PessoaUsuaria = ? AND Cd_Veiculo = ? "
              "AND (No_KmAtual IS NULL OR No_KmAtual < ?)",
              {hodometro, Value(empresa), veiculo, hodometro});
  }
  return {true, textos::kResponsabilidadeGravada};
}

}  // namespace

Veredito GravarResponsabilidade(bp::db::Connection& c, int32_t empresa, const Responsabilidade& r,
                                bp::DateTime agora) {
  // The fuelling, the nozzle's pending discount and the vehicle's odometer
  // are one record: a failure in any of them leaves none.
  return EmTransacao(c, "BOAbastecimento.GravarResponsabilidade",
                     [&] { return GravarNaTransacao(c, empresa, r, agora); });
}

int32_t InserirLogLiberacao(bp::db::Connection& c, const EntradaLogLiberacao& e) {
  const int32_t empresa = e.cd_pessoa_usuaria;
  if (!Existe(c, "SELECT 1 FROM Bomba WHERE Cd_PessoaUsuaria = ? AND Cd_Bomba = ?",
              {Value(empresa), Value(e.cd_bomba)})) {
    throw bp::Erro(bp::kErroNegocio,
                   std::string(textos::kBicoNaoCadastrado) + ": " + std::to_string(e.cd_bomba),
                   "station.LogLiberacaoBico");
  }
  const bool funcionario =
      Existe(c, "SELECT 1 FROM Funcionario WHERE Cd_PessoaUsuaria = ? AND Cd_Funcionario = ?",
             {Value(empresa), Value(e.cd_funcionario)});
  const Value veiculo = VeiculoOuNulo(c, empresa, e.cd_veiculo);
  return InserirNumerado(
      c, "SELECT MAX(No_Liberacao) FROM LogLiberacaoBico WHERE Cd_PessoaUsuaria = ?",
      {Value(empresa)}, [&](int32_t numero) {
        c.Execute(
            "INSERT INTO LogLiberacaoBico (Cd_PessoaUsuaria, No_Liberacao, Cd_Bomba, Cd_Caixa, "
            "Cd_Veiculo, Dt_Liberacao, Ic_BaixaAutomatica, No_TipoPagamento, No_TipoVencimento, "
            "Cd_Funcionario, No_TipoHardware) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {Value(empresa), Value(numero), Value(e.cd_bomba), Value(e.cd_caixa), veiculo,
             Value(e.dt_liberacao), Value(e.ic_baixa_automatica), Value(e.no_tipo_pagamento),
             Value(e.no_tipo_vencimento),
             funcionario ? Value(e.cd_funcionario) : Value(bp::Null{}),
             Value(e.no_tipo_hardware)});
      });
}

}  // namespace station
