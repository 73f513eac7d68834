#include "bp/andamento.h"

#include "bp/erro.h"
#include "bp/format.h"
#include "bp/trap.h"

namespace bp {

std::string PercentLabel(double percent) { return Format(percent, "###,#") + "%"; }

Andamento::Andamento(Env& env) : env_(env), window_(env.CreateProgressWindow()) {
  view_.percent_label = "%";
  view_.cancel_visible = false;
  view_.height_twips = kAlturaSemCancelar;
  // Form_Load: the clip plays when it can be found; without it the
  // animation area simply stays empty.
  try {
    view_.animation_playing =
        env_.FileExists(env_.ModuleFolder() + kPathSeparator + kClipeAnimacao);
  } catch (...) {
    view_.animation_playing = false;
  }
}

Andamento::~Andamento() { Unload(); }

void Andamento::Show() {
  shown_ = true;
  Redraw();
}

void Andamento::Unload() {
  if (window_ == nullptr) return;
  view_.animation_playing = false;
  try {
    window_->Close();
  } catch (...) {
  }
  window_.reset();
}

void Andamento::Redraw() {
  if (window_ != nullptr && shown_) window_->Draw(view_);
}

void Andamento::SetCaption(const std::string& caption) {
  view_.caption = caption;
  Redraw();
}

void Andamento::SetPercentual(const std::string& label) {
  view_.percent_label = label;
  Redraw();
}

void Andamento::SetAcao(const std::string& text) {
  view_.action = text;
  Redraw();
}

void Andamento::SetMaximo(int32_t maximum) {
  if (maximum < 1 || maximum < view_.value) RaiseRuntime(rt::kInvalidPropertyValue);
  view_.maximum = maximum;
  Redraw();
}

void Andamento::SetValor(int32_t value) {
  if (value < 0 || value > view_.maximum) RaiseRuntime(rt::kInvalidPropertyValue);
  view_.value = value;
  Redraw();
}

void Andamento::MostrarLinha(int32_t row, int32_t count) {
  if (count < 1) RaiseRuntime(rt::kInvalidPropertyValue);
  // The value goes first when the new maximum would be below the old value.
  if (row <= view_.maximum) {
    SetValor(row);
    SetMaximo(count);
  } else {
    SetMaximo(count);
    SetValor(row);
  }
  SetPercentual(PercentLabel(static_cast<double>(row) / count * 100.0));
}

void Andamento::SetIc_MostrarBotaoCancelamento(bool show) {
  view_.cancel_visible = show;
  view_.height_twips = show ? kAlturaComCancelar : kAlturaSemCancelar;
  Redraw();
}

void Andamento::DoEvents() {
  env_.DoEvents();
  if (window_ != nullptr && window_->CancelClicked()) cmdCancelar_Click();
}

void ProgressoDoExportador::SetPercentualAndamento(uint8_t value) {
  try {
    Direct(owner_, "PercentualAndamento", [&] {
      percentual_ = value;
      if (janela_ == nullptr) RaiseRuntime(rt::kObjectNotSet);
      janela_->SetValor(value);
      janela_->SetPercentual(PercentLabel(janela_->Valor()));
      janela_->DoEvents();
    });
  } catch (const Erro& e) {
    if (e.number != rt::kInvalidPropertyValue) throw;
  }
}

void ProgressoDoExportador::SetDescricaoAndamento(const std::string& text) {
  descricao_ = text;
  Direct(owner_, "DescricaoAndamento", [&] {
    if (janela_ == nullptr) RaiseRuntime(rt::kObjectNotSet);
    janela_->SetAcao(text);
  });
}

void ProgressoDoExportador::SetTituloAndamento(const std::string& text) {
  titulo_ = text;
  Direct(owner_, "TituloAndamento", [&] {
    if (janela_ == nullptr) RaiseRuntime(rt::kObjectNotSet);
    janela_->SetCaption(text);
  });
}

}  // namespace bp
