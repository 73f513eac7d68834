// The progress window Andamento: caption, a bar with its percentage label,
// the current step's text, the "FileMove.Avi" animation and an optional
// Cancel button. Created and unloaded by the operation that shows it; it
// never blocks that operation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "bp/env.h"

namespace bp {

class Andamento {
 public:
  static constexpr int32_t kAlturaComCancelar = 2930;  // twips
  static constexpr int32_t kAlturaSemCancelar = 2400;  // twips
  static constexpr const char* kCaptionCancelar = "&Cancelar";
  static constexpr const char* kClipeAnimacao = "FileMove.Avi";

  // Form_Load: creates the window through the Env and starts the clip found
  // in the module folder; a missing clip is silently ignored.
  explicit Andamento(Env& env = Env::Current());
  ~Andamento();  // unloads when the caller has not
  Andamento(const Andamento&) = delete;
  Andamento& operator=(const Andamento&) = delete;

  void Show();    // shows the window (modeless)
  void Unload();  // Form_Unload: stops the clip and closes the window

  const std::string& Caption() const { return view_.caption; }
  void SetCaption(const std::string& caption);
  const std::string& Percentual() const { return view_.percent_label; }
  void SetPercentual(const std::string& label);
  const std::string& Acao() const { return view_.action; }
  void SetAcao(const std::string& text);

  // The bar ("bProgresso"): minimum 0; a value outside 0..maximum or a
  // maximum below 1 raises 380 "Invalid property value", as the control does.
  int32_t Maximo() const { return view_.maximum; }
  void SetMaximo(int32_t maximum);
  int32_t Valor() const { return view_.value; }
  void SetValor(int32_t value);

  // Row-based progress: maximum = count, value = row, label = row / count
  // x 100 under "###,#" followed by "%".
  void MostrarLinha(int32_t row, int32_t count);

  bool Ic_MostrarBotaoCancelamento() const { return view_.cancel_visible; }
  void SetIc_MostrarBotaoCancelamento(bool show);
  int32_t Altura() const { return view_.height_twips; }
  bool Ic_Cancelar() const { return cancelar_; }
  void cmdCancelar_Click() { cancelar_ = true; }
  bool AnimacaoTocando() const { return view_.animation_playing; }
  bool Carregado() const { return window_ != nullptr; }

  // Lets pending window events run; a click on Cancel is noticed here.
  void DoEvents();

 private:
  void Redraw();

  Env& env_;
  std::unique_ptr<ProgressWindow> window_;
  ProgressView view_;
  bool shown_ = false;
  bool cancelar_ = false;
};

// The percentage label: value under "###,#" then "%" (0 shows only "%").
std::string PercentLabel(double percent);

// The private progress properties every exporting class keeps
// (PercentualAndamento, DescricaoAndamento, TituloAndamento): writing one
// updates the caller's window at once. `owner` names the class in the trail.
class ProgressoDoExportador {
 public:
  explicit ProgressoDoExportador(std::string owner) : owner_(std::move(owner)) {}

  void SetJanela(Andamento* janela) { janela_ = janela; }
  Andamento* Janela() const { return janela_; }

  uint8_t PercentualAndamento() const { return percentual_; }
  // Bar value, label, pending events; a value the bar rejects (380) is
  // ignored, anything else goes up in the direct style.
  void SetPercentualAndamento(uint8_t value);
  const std::string& DescricaoAndamento() const { return descricao_; }
  void SetDescricaoAndamento(const std::string& text);
  const std::string& TituloAndamento() const { return titulo_; }
  void SetTituloAndamento(const std::string& text);

 private:
  std::string owner_;
  Andamento* janela_ = nullptr;
  uint8_t percentual_ = 0;
  std::string descricao_;
  std::string titulo_;
};

}  // namespace bp
