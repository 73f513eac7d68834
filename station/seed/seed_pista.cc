// The forecourt part of the demo station: who may release nozzles, their
// cash registers, the blocked nozzle, the credit and restricted customers
// and the cheque history the local consultation looks at.
#include <algorithm>
#include <string>
#include <vector>

#include "bp/value.h"
#include "station/forecourt/cheque.h"
#include "station/seed/seed.h"
#include "station/forecourt/senha.h"

namespace station {
namespace {

using D = EstacaoDemo;
using bp::Value;

struct FuncionarioDemo {
  int32_t codigo;
  const char* senha;
  const char* desconto;  // Usuario.Fl_DescontoAbastecimento: "1" allows a discount
};

void Funcionarios(bp::db::Connection& c, bp::DateTime agora) {
  for (const FuncionarioDemo& f : {FuncionarioDemo{D::kFuncionarioComDesconto, D::kSenhaComDesconto, "1"},
                                   FuncionarioDemo{D::kFuncionarioSemDesconto, D::kSenhaSemDesconto, "0"}}) {
    c.Execute("INSERT INTO Funcionario (Cd_PessoaUsuaria, Cd_Funcionario, Cd_Funcao, Cd_Cracha, "
              "Dt_Admissao, Ic_Ativo) VALUES (?, ?, ?, ?, ?, ?)",
              {Value(D::kEmpresa), Value(f.codigo), Value(1),
               Value("0000000" + std::to_string(f.codigo)), Value(agora.DatePart().AddDays(-400)),
               Value(true)});
    const int32_t usuario = GravarSenhaDoFuncionario(c, D::kEmpresa, f.codigo, f.senha);
    c.Execute("UPDATE Usuario SET Fl_DescontoAbastecimento = ? WHERE Cd_PessoaUsuaria = ? "
              "AND Cd_Usuario = ?",
              {Value(f.desconto), Value(D::kEmpresa), Value(usuario)});
  }
  // The history's employees had their passwords kept in clear.
  MigrarSenhasEmClaro(c, D::kEmpresa);
}

// Employee 1's cash register opened this morning (or now, before six);
// employee 2's opened yesterday afternoon and was never closed.
void Caixas(bp::db::Connection& c, bp::DateTime agora) {
  const bp::db::Recordset maior = c.Query("SELECT MAX(Cd_Caixa) FROM Caixa");
  int32_t codigo = maior.Eof() || maior.Field(0).IsNull() ? 0 : maior.Field(0).ToInt32();
  const bp::DateTime manha = agora.DatePart().AddSeconds(6 * 3600);
  const bp::DateTime aberturas[] = {std::min(manha, agora),
                                    agora.DatePart().AddDays(-1).AddSeconds(14 * 3600)};
  const int32_t donos[] = {D::kFuncionarioComDesconto, D::kFuncionarioSemDesconto};
  for (size_t i = 0; i < 2; ++i) {
    c.Execute("INSERT INTO Caixa (Cd_Caixa, Cd_PessoaUsuaria, Cd_Funcionario, Dt_Abertura, "
              "Ic_Fechado, No_Impressora, Vl_Abertura, Vl_Vendas, Vl_Recebimentos, Vl_Sangria) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
              {Value(++codigo), Value(D::kEmpresa), Value(donos[i]), Value(aberturas[i]),
               Value(false), Value(uint8_t{1}), Value(bp::Money::FromInt(100)), Value(bp::Money()),
               Value(bp::Money()), Value(bp::Money())});
  }
}

// The odometer is asked per customer, not of every credit sale.
void Empresa(bp::db::Connection& c) {
  c.Execute("UPDATE EmpresaUsuaria SET Ic_ExigirHodometroNaVenda = ? WHERE Cd_PessoaUsuaria = ?",
            {Value(false), Value(D::kEmpresa)});
}

void Bicos(bp::db::Connection& c) {
  c.Execute("UPDATE Bomba SET Fl_BloquearBico = ? WHERE Cd_PessoaUsuaria = ?",
            {Value(false), Value(D::kEmpresa)});
  c.Execute("UPDATE Bomba SET Fl_BloquearBico = ? WHERE Cd_PessoaUsuaria = ? AND Cd_Bomba = ?",
            {Value(true), Value(D::kEmpresa), Value(static_cast<uint8_t>(D::kBicoBloqueado))});
}

void Clientes(bp::db::Connection& c, bp::DateTime agora) {
  struct ClienteDemo {
    int32_t codigo;
    int32_t restricao;  // Cliente.No_RestricaoDeVenda
    bool exige_hodometro;
    const char* placa;
    const char* marca;
    const char* modelo;
    int32_t km;
  };
  const ClienteDemo clientes[] = {
      {D::kClienteCredito, 0, true, D::kPlacaCredito, "MERCEDES-BENZ", "ACCELO 815",
       D::kHodometroCredito},
      {D::kClienteRestrito, 1, false, D::kPlacaRestrita, "FORD", "F-250", 98300},
  };
  for (const ClienteDemo& k : clientes) {
    c.Execute("INSERT INTO Cliente (Cd_PessoaUsuaria, Cd_Cliente, Cd_Pag, Vl_LimiteCredito, "
              "Tx_Desconto, Tx_Acrescimo, Ic_CobrancaCarteira, Ic_CobrancaBoleta, "
              "Ic_CobrancaBanco, Ic_DataLimiteNoVencimento, Tp_ImpNf, Ic_Bloqueado, Dt_Cadastro, "
              "No_RestricaoDeVenda, Ic_ExigirHodometroNaVenda) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
              {Value(D::kEmpresa), Value(k.codigo), Value(2), Value(bp::Money::FromInt(5000)),
               Value(bp::Money()), Value(bp::Money()), Value(true), Value(false), Value(false),
               Value(false), Value(uint8_t{1}), Value(false), Value(agora.DatePart().AddDays(-200)),
               Value(k.restricao), Value(k.exige_hodometro)});
    c.Execute("INSERT INTO Veiculo (Cd_PessoaUsuaria, Cd_Veiculo, Cd_Cliente, Nm_Marca, "
              "Nm_Modelo, Nm_Cor, No_AnoFabricacao, Qt_CapacidadeTanque, No_KmAtual) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
              {Value(D::kEmpresa), Value(k.placa), Value(k.codigo), Value(k.marca),
               Value(k.modelo), Value("BRANCO"), Value(int16_t{2003}), Value(150.0), Value(k.km)});
  }
  // The restricted customer may not buy fuel.
  const bp::db::Recordset combustiveis =
      c.Query("SELECT Cd_Produto FROM Produto WHERE Cd_PessoaUsuaria = ? AND Fl_VendBomba = ? "
              "ORDER BY Cd_Produto",
              {Value(D::kEmpresa), Value(true)});
  for (const auto& linha : combustiveis.Rows()) {
    c.Execute("INSERT INTO RestricaoDeVenda (No_PermitirVenda, Cd_PessoaUsuaria, Cd_Cliente, "
              "Cd_Produto) VALUES (?, ?, ?, ?)",
              {Value(0), Value(D::kEmpresa), Value(D::kClienteRestrito), linha[0]});
  }
}

// An earlier cheque of the refused code line's account came back unpaid.
void Cheques(bp::db::Connection& c, bp::DateTime agora) {
  ConsultaDeCheque devolvido;
  std::string linha = D::kCmc7Recusado;
  linha.replace(11, 6, "000111");
  devolvido.cd_cmc7 = linha;
  devolvido.no_tipo_pessoa = 1;
  devolvido.cd_cpf_cnpj = "987.654.321-00";
  devolvido.vl_cheque = bp::Money::FromInt(150);
  devolvido.dt_deposito = agora.DatePart().AddDays(-20);
  devolvido.tp_operacao = 1;
  devolvido.ic_consultado = true;
  devolvido.ic_aprovado = false;
  devolvido.ds_resultado = "Cheque devolvido sem fundos";
  GuardarConsulta(c, D::kEmpresa, devolvido, agora.AddDays(-20));
}

}  // namespace

void SeedPista(bp::db::Connection& c, bp::DateTime agora) {
  Empresa(c);
  Funcionarios(c, agora);
  Caixas(c, agora);
  Bicos(c);
  Clientes(c, agora);
  Cheques(c, agora);
}

}  // namespace station
