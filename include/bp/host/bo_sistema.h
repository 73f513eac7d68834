// The host's session object BOSistema, held by every public class in
// ObBOSistema: the user company, the data-access object and units of work.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace bp::host {

class BOEmpresaUsuaria;
class BOAbastecimento;
class BOBomba;
class BOCaixa;
class BOCardex;
class BOCheque;
class BOFuncionario;
class BOLogLiberacaoBico;
class BORecalculoEstoque;
class BORecalculoGeralEstoque;
class BOECF;
class BOReducaoZ;
class BORegistroMovimentoECF;
class BOAberturaDia;
class DataAccess;
class BOCliente;
class BOContaAReceber;
class BONotaSaida;
class DALFaturamento;
class BORegistroSintegra;

class BOSistema {
 public:
  virtual ~BOSistema() = default;

  // The user company and its person code, the first column of nearly every
  // key of the database.
  virtual BOEmpresaUsuaria& EmpresaUsuaria() = 0;
  virtual int32_t Cd_PessoaUsuaria() = 0;

  // The session's one data-access object.
  virtual DataAccess& ObDAL() = 0;

  // Brackets a unit of database work. `origin` is "Class.Procedure"; the
  // marker that begin returns is handed back unchanged to end. Pairs nest.
  // After BeginWork the connection is open and usable.
  virtual void BeginWork(const std::string& origin, bool& marker) = 0;
  virtual void EndWork(const std::string& origin, bool marker) = 0;

  // The host business objects the library creates. A host that does not
  // provide one raises 429 "ActiveX component can't create object", as a
  // missing class would.
  virtual std::unique_ptr<BORecalculoEstoque> CriarRecalculoEstoque();
  virtual std::unique_ptr<BORecalculoGeralEstoque> CriarRecalculoGeralEstoque();
  virtual std::unique_ptr<BOCardex> CriarCardex();
  // The fiscal-printer record, the last-Z record object, the movement-file
  // record writer and the day-opening object.
  virtual std::unique_ptr<BOECF> CriarECF();
  virtual std::unique_ptr<BOReducaoZ> CriarReducaoZ();
  virtual std::unique_ptr<BORegistroMovimentoECF> CriarRegistroMovimentoECF();
  virtual std::unique_ptr<BOAberturaDia> CriarAberturaDia();
  // The forecourt's business objects (employee, cash register, fuelling,
  // cheque, release log, pump); the caller hands each the session.
  virtual std::unique_ptr<BOFuncionario> CriarFuncionario();
  virtual std::unique_ptr<BOCaixa> CriarCaixa();
  virtual std::unique_ptr<BOAbastecimento> CriarAbastecimento();
  virtual std::unique_ptr<BOCheque> CriarCheque();
  virtual std::unique_ptr<BOLogLiberacaoBico> CriarLogLiberacaoBico();
  virtual std::unique_ptr<BOBomba> CriarBomba();
  // Billing's business objects (customer, receivable, outgoing invoice) and
  // its data-access object.
  virtual std::unique_ptr<BOCliente> CriarCliente();
  virtual std::unique_ptr<BOContaAReceber> CriarContaAReceber();
  virtual std::unique_ptr<BONotaSaida> CriarNotaSaida();
  virtual std::unique_ptr<DALFaturamento> CriarDALFaturamento();
  // The SINTEGRA record builder of the tax and stock files.
  virtual std::unique_ptr<BORegistroSintegra> CriarRegistroSintegra();
};

using BOSistemaRef = std::shared_ptr<BOSistema>;

}  // namespace bp::host
