// Base schema, forecourt, product and stock area: product groups and
// products, the stock card, piping systems, tanks, pumps and nozzles,
// fuelings, deliveries, vehicles and special prices.
#include <string>

#include "bp/schema/base_schema.h"
#include "schema/base_schema_builder.h"

namespace bp::schema::base {
namespace {

const std::string kEmp = "Cd_PessoaUsuaria";

void AddProducts(Builder& b) {
  b.Table("GrupoProduto",
          {NotNull("Cd_GrupoProduto", Int()), NotNull("Nm_GrupoProduto", VarChar(30))},
          Key("PK_GrupoProduto", {"Cd_GrupoProduto"}));

  // Products and fuels (No_Tipo 1 fuel, 2 service), with the tax data, the
  // stock and the average costs; tax codes under their version-18 names.
  b.Table("Produto",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Produto", Int()),
           NotNull("Nm_Produto", VarChar(40)),
           Nullable("No_Tipo", TinyInt()),
           Nullable("Cd_Unidade", VarChar(2)),
           NotNull("Cd_GrupoProduto", Int()),
           Nullable("Cd_Natureza", Int()),
           Nullable(v18::kSitTributaria, VarChar(2)),
           Nullable("Vl_Preco", Float53()),
           Nullable("Qt_Venda", SmallInt()),
           Nullable("Qt_Estoque", Float53()),
           NotNull("Fl_VendBomba", Bit()),
           Nullable("Cd_CodBarras", VarChar(15)),
           Nullable("Vl_CustoMedio", MoneyType()),
           Nullable("Vl_CredIcmsMedio", MoneyType()),
           Nullable(v18::kTribIcms, VarChar(1)),
           Nullable("No_PresIcms", VarChar(1)),
           Nullable("Tx_Icms", Real()),
           Nullable("Tx_IcmsSub", Real()),
           Nullable("Tx_BaseCalculo", Float53()),
           Nullable("Vl_PresIcms", MoneyType()),
           Nullable("Cd_Origem", VarChar(1)),
           Nullable("No_TribPis", VarChar(1)),
           Nullable("No_TribCofins", VarChar(1)),
           Nullable("Qt_Emitir", Float53()),
           Nullable("Fl_Complemento", TinyInt()),
           Nullable("Cd_ProdutoSEF", Int()),
           NotNull("Cd_ContaMargemContribuicao", Int()),
           Nullable("Qt_EstoqueInicial", Float53())},
          Key("Produto_01", {kEmp, "Cd_Produto"}, /*clustered=*/true));
  b.Index("Produto", "XIF105Produto", {"Cd_GrupoProduto"});
  b.Index("Produto", "XIF140Produto", {"Cd_Natureza"});
  b.Index("Produto", "XIF260Produto", {"Cd_ContaMargemContribuicao", kEmp});
  b.Index("Produto", "XIF44Produto", {kEmp});
  b.Reference("Produto", "R_191", {"Cd_Natureza"}, "NaturezaProduto");
  b.Reference("Produto", "R_148", {kEmp, "Cd_ContaMargemContribuicao"}, "ContaContabil",
              {kEmp, "Cd_ContaContabil"});
  b.Reference("Produto", "GruPro_Pro", {"Cd_GrupoProduto"}, "GrupoProduto");
  b.Reference("Produto", "EmpUsu_Produto", {kEmp}, "EmpresaUsuaria");

  // Stock card: one row per stock movement of a product, with the stock and
  // average costs after it.
  b.Table("Cardex",
          {NotNull(kEmp, Int()),
           NotNull("Cd_LancamentoCardex", Int()),
           NotNull("Cd_Produto", Int()),
           NotNull("Dt_Emissao", DateTimeType()),
           NotNull("No_Tipo", TinyInt()),
           Nullable("Nm_Doc", VarChar(30)),
           Nullable("Qt_Unidade", Float53()),
           Nullable("Vl_Unitario", Float53()),
           Nullable("Qt_Estoque", Float53()),
           Nullable("Vl_CustoMedio", MoneyType()),
           Nullable("Vl_CredIcmsMedio", MoneyType()),
           Nullable("Cd_SisTubulacao", TinyInt()),
           Nullable("Ds_Historico", VarChar(60))},
          Key("PK_Cardex", {kEmp, "Cd_LancamentoCardex"}));
  b.Index("Cardex", "Cardex_03", {kEmp, "Cd_Produto", "Dt_Emissao", "No_Tipo", "Nm_Doc"});
  b.Reference("Cardex", "R_149", {kEmp, "Cd_Produto"}, "Produto");
}

void AddTanksAndPumps(Builder& b) {
  // Piping systems: the line from a tank to its nozzles, holding one fuel.
  b.Table("SisTubulacao",
          {NotNull(kEmp, Int()),
           NotNull("Cd_SisTubulacao", TinyInt()),
           NotNull("Cd_Produto", Int()),
           Nullable("Ds_SisTubulacao", VarChar(30))},
          Key("PK_SisTubulacao", {kEmp, "Cd_SisTubulacao"}));
  b.Reference("SisTubulacao", "Pro_SisTub", {kEmp, "Cd_Produto"}, "Produto");

  b.Table("Tanque",
          {NotNull(kEmp, Int()),
           NotNull("No_Tanque", TinyInt()),
           NotNull("Cd_Produto", Int()),
           Nullable("Cd_SisTubulacao", TinyInt()),
           Nullable("Qt_Capacidade", Float()),
           Nullable("Qt_Estoque", Float())},
          Key("PK_Tanque", {kEmp, "No_Tanque"}));
  b.Reference("Tanque", "R_199", {kEmp, "Cd_Produto"}, "Produto");
  b.Reference("Tanque", "FK_Tanque_SisTubulacao", {kEmp, "Cd_SisTubulacao"}, "SisTubulacao");

  // Stock of each piping system per day.
  b.Table("EstoqueSisTubulacao",
          {NotNull(kEmp, Int()),
           NotNull("Cd_SisTubulacao", TinyInt()),
           NotNull("Dt_Movimento", DateTimeType()),
           NotNull("Cd_Produto", Int()),
           Nullable("Qt_EstoqueAbertura", Float53()),
           Nullable("Qt_Entradas", Float53()),
           Nullable("Qt_Saidas", Float53()),
           Nullable("Qt_EstoqueFechamento", Float53())},
          Key("PK_EstoqueSisTubulacao", {kEmp, "Cd_SisTubulacao", "Dt_Movimento"}));
  b.Reference("EstoqueSisTubulacao", "Pro_EstSisTub", {kEmp, "Cd_Produto"}, "Produto");
  b.Reference("EstoqueSisTubulacao", "FK_EstoqueSisTubulacao_SisTubulacao",
              {kEmp, "Cd_SisTubulacao"}, "SisTubulacao");

  // Fuel deliveries into a tank.
  b.Table("Descarga",
          {NotNull(kEmp, Int()),
           NotNull("No_Descarga", Int()),
           NotNull("Cd_ProdutoDescarga", Int()),
           Nullable("No_Tanque", TinyInt()),
           Nullable("Dt_Descarga", DateTimeType()),
           Nullable("Qt_Litros", Float53()),
           Nullable("No_Entrada", Int())},
          Key("PK_Descarga", {kEmp, "No_Descarga"}));
  b.Reference("Descarga", "R_163", {kEmp, "Cd_ProdutoDescarga"}, "Produto", {kEmp, "Cd_Produto"});

  // One row per nozzle: Cd_Bomba is the nozzle number of the company, and
  // De_EnderecoLogicoBico its logical address on the pump automation, unique
  // in the database because fuelings refer to the nozzle by it alone.
  b.Table("Bomba",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Bomba", TinyInt()),
           NotNull("De_EnderecoLogicoBico", VarChar(4)),
           NotNull("Cd_Produto", Int()),
           Nullable("Cd_SisTubulacao", TinyInt()),
           Nullable("Qt_Encerrante", Float53()),
           Nullable("Ic_Ativo", Bit())},
          Key("PK_Bomba", {kEmp, "Cd_Bomba"}));
  b.Index("Bomba", "IX_Bomba_EnderecoLogicoBico", {"De_EnderecoLogicoBico"}, /*unique=*/true);
  b.Reference("Bomba", "Prod_Bom", {kEmp, "Cd_Produto"}, "Produto");
  b.Reference("Bomba", "FK_Bomba_SisTubulacao", {kEmp, "Cd_SisTubulacao"}, "SisTubulacao");
}

void AddFuelings(Builder& b) {
  // Fuelings: one dispensing at a nozzle, with who is responsible for it,
  // how it is paid and whether it has been settled (Ic_Baixado).
  const std::string t = "Abastecimento";
  b.Table(t,
          {NotNull(kEmp, Int()),
           NotNull("Cd_Abastecimento", Int()),
           NotNull("De_EnderecoLogicoBico", VarChar(4)),
           NotNull("Dt_Termino", DateTimeType()),
           Nullable("No_Contador", Int()),
           Nullable("Qt_Litros", Float53()),
           Nullable("Vl_Unitario", MoneyType()),
           Nullable("Vl_Total", MoneyType()),
           Nullable("No_EncerranteAbertura", Float53()),
           Nullable("No_EncerranteFechamento", Float53()),
           Nullable("Tp_OrigemRegistro", TinyInt()),
           Nullable("Ic_Baixado", Bit()),
           Nullable("Cd_Caixa", Int()),
           Nullable("Cd_Funcionario", Int()),
           Nullable("Cd_Veiculo", VarChar(8)),
           Nullable("No_TipoPagamento", TinyInt()),
           Nullable("No_TipoVencimento", TinyInt()),
           Nullable("Ic_BaixaAutomatica", Bit()),
           Nullable("Cd_Banco", SmallInt()),
           Nullable("Cd_Agencia", SmallInt()),
           Nullable("Cd_Conta", Int()),
           Nullable("Nm_IdDocumento", VarChar(10))},
          Key("Abastecimento_01", {kEmp, "Cd_Abastecimento"}));
  b.Index(t, "XIF1Abastecimento", {kEmp});
  b.Index(t, "XIF11Abastecimento", {"Cd_Veiculo", kEmp});
  b.Index(t, "XIF123Abastecimento", {"De_EnderecoLogicoBico"});
  b.Index(t, "XIF13Abastecimento", {"Cd_Caixa"});
  b.Index(t, "XIF5Abastecimento", {"Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"});
  b.Index(t, "Abastecimento_03", {"Dt_Termino", "De_EnderecoLogicoBico"});
  b.Index(t, "Abastecimento_04", {kEmp, "De_EnderecoLogicoBico", "Ic_Baixado"});
  b.Reference(t, "R_161", {"De_EnderecoLogicoBico"}, "Bomba");
  b.Reference(t, "ConChe_Abas", {"Cd_Banco", "Cd_Agencia", "Cd_Conta", "Nm_IdDocumento"},
              "ConsultaCheque");
  b.Reference(t, "Cai_Aba", {"Cd_Caixa"}, "Caixa");
  b.Reference(t, "Vei_Aba", {kEmp, "Cd_Veiculo"}, "Veiculo");
  b.Reference(t, "EmpUsu_Abas", {kEmp}, "EmpresaUsuaria");
}

void AddVehiclesAndPrices(Builder& b) {
  // Customers' vehicles, by licence plate.
  b.Table("Veiculo",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Veiculo", VarChar(8)),
           Nullable("Cd_Cliente", Int()),
           Nullable("Nm_Marca", VarChar(20)),
           Nullable("Nm_Modelo", VarChar(30)),
           Nullable("Nm_Cor", VarChar(20)),
           Nullable("No_AnoFabricacao", SmallInt()),
           Nullable("Qt_CapacidadeTanque", Float()),
           Nullable("No_KmAtual", Int())},
          Key("PK_Veiculo", {kEmp, "Cd_Veiculo"}));
  b.Reference("Veiculo", "FK_Veiculo_Cliente", {kEmp, "Cd_Cliente"}, "Cliente");

  // A customer's special discount on a product.
  b.Table("CondEspecialPreco",
          {NotNull(kEmp, Int()),
           NotNull("Cd_Cliente", Int()),
           NotNull("Cd_Produto", Int()),
           Nullable("Tx_Desconto", MoneyType()),
           Nullable("Dt_Validade", DateTimeType())},
          Key("PK_CondEspecialPreco", {kEmp, "Cd_Cliente", "Cd_Produto"}));
  b.Reference("CondEspecialPreco", "Pro_ConEspPre", {kEmp, "Cd_Produto"}, "Produto");
  b.Reference("CondEspecialPreco", "FK_CondEspecialPreco_Cliente", {kEmp, "Cd_Cliente"},
              "Cliente");
}

}  // namespace

void AddForecourtTables(Builder& b) {
  AddProducts(b);
  AddTanksAndPumps(b);
  AddFuelings(b);
  AddVehiclesAndPrices(b);
}

}  // namespace bp::schema::base
