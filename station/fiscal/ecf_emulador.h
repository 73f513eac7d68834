// The station's emulated fiscal printer (ECF).
//
// It keeps what a real printer keeps in its fiscal memory: the identification
// of the printer and of its user company, the open fiscal day, the counters
// (COO, CCF, CRZ, CRO, GNF, GRG, CDC), the grand total, the partial totals of
// the open day and the data of the last Z reduction. The state lives in a
// text file of its own folder (by default beside the database, see
// PastaDoEmulador), never in the database, and is read before and written
// after every operation, so separate programs see one printer. Printed
// documents are appended to a paper-roll text file in the same folder.
//
// Failures that an operator or a test switches on make the operations fail
// with the system's printer error numbers:
//   papel        paper out: printing fails with 0x800405F0 "Erro no Status da
//                impressora"; reading the state and data still works
//   desligada    printer off: every operation fails with 0x800405FF
//                "Impressora desligada ou cabo desconectado"
//   comunicacao  every operation fails with 0x800405EE "Erro na comunicacao"
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/money.h"
#include "station/session/acesso_dados.h"

namespace station {

enum class FalhaEcf { kNenhuma, kSemPapel, kDesligada, kComunicacao };

// The operator's names of the failures ("nenhuma", "papel", "desligada",
// "comunicacao") and back; an unknown name gives nothing.
std::string NomeDaFalha(FalhaEcf falha);
std::optional<FalhaEcf> FalhaPeloNome(const std::string& nome);

inline constexpr int kTotalizadoresDeAliquota = 20;

// Kind of a tax-rate totaliser as the printer is programmed: ICMS or ISS.
inline constexpr int kTipoIcms = 0;
inline constexpr int kTipoIss = 1;

struct AliquotaProgramada {
  int tipo = kTipoIcms;
  bp::Money aliquota;  // percent, 18.00 for 18 %
};

// What the printer was set up with: fixed for its life except the user's
// order number.
struct IdentificacaoEcf {
  uint8_t no_impressora = 1;             // the workstation's ECF number
  std::string cd_identificacao = "EMU";  // first part of the movement-file name
  std::string no_serie;                  // serial number (plain)
  std::string mf_adicional;              // letter of the additional fiscal memory, or blank
  std::string tipo = "ECF-IF";
  std::string marca;
  std::string modelo;
  std::string versao_sb;          // version of the printer's basic software
  bp::DateTime dt_instalacao_sb;  // date and time the basic software was installed
  std::string cnpj_usuario;
  std::string ie_usuario;
  int32_t no_ordem_usuario = 1;  // order number of the current user company
  bool permite_desconto_iss = false;
  std::vector<AliquotaProgramada> aliquotas;  // slot 1 first, up to 20
};

// The partial totals the printer accumulates during a fiscal day.
struct TotaisParciais {
  std::array<bp::Money, kTotalizadoresDeAliquota> aliquota{};
  bp::Money isentas_icms, nao_incidencia_icms, subst_icms;
  bp::Money isentas_iss, nao_incidencia_iss, subst_iss;
  bp::Money descontos_icms, descontos_iss, acrescimos_icms, acrescimos_iss;
  bp::Money cancelamentos_icms, cancelamentos_iss;
  bp::Money sangria, suprimento;
};

struct Contadores {
  int32_t coo = 0;  // every document printed
  int32_t ccf = 0;  // fiscal coupons
  int32_t crz = 0;  // Z reductions
  int32_t cro = 1;  // restarts of operation
  int32_t gnf = 0;  // non-fiscal operations
  int32_t grg = 0;  // management reports
  int32_t cdc = 0;  // credit/debit card receipts
  int32_t cfc = 0;  // cancelled fiscal coupons
};

// One Z reduction as the printer recorded it.
struct ReducaoZEmulada {
  bp::DateTime dt_movimento;  // the fiscal day it closed
  bp::DateTime dt_emissao;    // when it was printed
  Contadores contadores;      // after the reduction (its own COO and CRZ counted)
  bp::Money gt_final;
  bp::Money venda_bruta;  // grand total gained during the day
  std::array<AliquotaProgramada, kTotalizadoresDeAliquota> aliquotas{};
  int32_t aliquotas_usadas = 0;
  TotaisParciais totais;
};

// A coupon as the printer registered it: the numbers the station keeps with
// the coupon record.
struct CupomRegistrado {
  int32_t coo = 0;
  int32_t ccf = 0;
  bp::Money gt_antes;             // grand total when the coupon began
  bp::Money cancelamentos_antes;  // the day's cancellations when the coupon began
  bp::DateTime dt_movimento;      // fiscal day the coupon belongs to
};

// Where a coupon's amount is totalised: "01".."20" for a programmed rate,
// or "F1", "I1", "N1" (ICMS substitution, exempt, not levied) and "FS1",
// "IS1", "NS1" for ISS.
struct VendaEmulada {
  std::string totalizador = "F1";
  bp::Money valor;
  bp::Money desconto;
  // The coupon was cancelled at the printer before it was totalled: its
  // amount goes to the cancellations and never reaches the grand total.
  bool cancelado = false;
};

struct EstadoEcf {
  IdentificacaoEcf identificacao;
  bp::DateTime dt_movimento;  // open fiscal day; empty when none is open
  Contadores contadores;
  bp::Money gt;  // grand total
  bp::Money gt_inicio_dia;
  TotaisParciais dia;
  std::optional<ReducaoZEmulada> ultima_reducao_z;
  FalhaEcf falha = FalhaEcf::kNenhuma;
};

// The emulator's folder for a station configuration: "<database file>.ecf"
// for a SQLite database, "<system folder>/ECF" for a server URL.
std::string PastaDoEmulador(const Configuracao& config);

class EcfEmulador {
 public:
  explicit EcfEmulador(std::string pasta);

  const std::string& Pasta() const { return pasta_; }
  std::string ArquivoDeEstado() const;
  std::string ArquivoDaBobina() const;

  // True when the folder holds a printer's state.
  bool Instalado() const;
  // Sets up a new printer with the identification, counters at zero (CRO 1),
  // no day open; replaces any state the folder held.
  void Instalar(const IdentificacaoEcf& identificacao);
  // Sets up a printer already in use, in the given state (a station's
  // history brings its counters, grand total and last Z reduction).
  void Instalar(const EstadoEcf& estado);

  // The state as the file holds it now; raises 0x80040202 when no printer is
  // installed in the folder.
  EstadoEcf Estado() const;

  // Switches a failure on (or off with kNenhuma). Works whatever the printer's
  // condition, as the operator's hand on the printer does.
  void DefinirFalha(FalhaEcf falha);

  // Printer operations (each fails as its failure says).
  std::string Cd_IdentificacaoECF() const;
  bp::DateTime Dt_Movimento() const;
  std::optional<ReducaoZEmulada> UltimaReducaoZ() const;

  // Registers and prints a fiscal coupon at `quando`; opens the fiscal day of
  // that date when none is open.
  CupomRegistrado RegistrarCupom(bp::DateTime quando, const VendaEmulada& venda);
  // Prints a non-fiscal receipt of a cash withdrawal (sangria) or, with
  // `suprimento`, a cash supply: COO and GNF counted, the amount on its
  // non-fiscal totaliser, the grand total untouched. Returns the receipt's
  // COO and GNF.
  struct NaoFiscalRegistrado {
    int32_t coo = 0;
    int32_t gnf = 0;
    bp::DateTime dt_movimento;
  };
  NaoFiscalRegistrado RegistrarSangria(bp::DateTime quando, bp::Money valor, bool suprimento);
  // Prints a management report (GRG and COO counted) with the title and
  // lines, inside the open day; with none open it opens no day.
  int32_t ImprimirRelatorioGerencial(bp::DateTime quando, const std::string& titulo,
                                     const std::vector<std::string>& linhas);
  // Prints the Z reduction of the open day, closes the day and keeps the
  // reduction as the last one. With no day open (nothing since the last Z)
  // the printer refuses it with 0x800405F2, as it refuses any document of a
  // day already reduced: that day stays closed until the next one.
  ReducaoZEmulada ImprimirReducaoZ(bp::DateTime quando);

 private:
  EstadoEcf Carregar() const;
  void Gravar(const EstadoEcf& estado) const;
  void AnexarNaBobina(const std::vector<std::string>& linhas) const;
  // Raises the failure in force: every failure when `imprime`, only the
  // printer-off and communication ones otherwise.
  static void VerificarFalha(const EstadoEcf& estado, bool imprime);

  std::string pasta_;
};

}  // namespace station
