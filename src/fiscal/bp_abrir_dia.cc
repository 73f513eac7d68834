#include "bp/bp_abrir_dia.h"

#include <optional>
#include <string>

#include "bp/andamento.h"
#include "bp/bp_exportar_movimento_ecf.h"
#include "bp/criptografia.h"
#include "bp/db/recordset.h"
#include "bp/env.h"
#include "bp/erros.h"
#include "bp/format.h"
#include "bp/host/bo_abertura_dia.h"
#include "bp/host/bo_reducao_z.h"
#include "bp/host/data_access.h"
#include "bp/host/unit_of_work.h"
#include "bp/modulo.h"
#include "bp/registry.h"
#include "bp/trap.h"
#include "fiscal/objeto_obrigatorio.h"
#include "fiscal/textos_fiscais.h"

namespace bp {
namespace {

using fiscal::kBPAbrirDia;

// The last `count` characters of a UTF-8 text.
std::string UltimosCaracteres(const std::string& texto, size_t count) {
  size_t inicio = texto.size();
  for (size_t achados = 0; inicio > 0 && achados < count;) {
    --inicio;
    if ((static_cast<unsigned char>(texto[inicio]) & 0xC0) != 0x80) ++achados;
  }
  return texto.substr(inicio);
}

// An unfinished coupon goes when the printer's grand total has not moved
// since it began and the day's cancellations grew by exactly its total.
// Both sides are read, as the figures of every coupon must be readable.
bool CupomCanceladoNoECF(const db::Recordset& cupom, const db::Recordset& gtotal,
                         const db::Recordset& cancelamentos) {
  const bool mesmo_gtotal =
      cupom.Field("Vl_GTotal").ToMoney() == gtotal.Field("Vl_GTotalFinal").ToMoney();
  const bool cancelado = cancelamentos.Field("Vl_Cancelamentos").ToMoney() -
                             cupom.Field("Vl_Cancelamentos").ToMoney() ==
                         cupom.Field("Vl_Total").ToMoney();
  return mesmo_gtotal && cancelado;
}

}  // namespace

std::string SerieNoNomeDoArquivo(const std::string& serie) {
  const size_t tamanho = static_cast<size_t>(fiscal::kTamanhoSerieECF);
  const size_t caracteres = CharCount(serie);
  if (caracteres > tamanho) return UltimosCaracteres(serie, tamanho);
  if (caracteres < tamanho) return FixaTamanho(serie, fiscal::kTamanhoSerieECF, " ", kAlinhamentoEsquerda);
  return serie;
}

std::string PastaArquivosMovimentoECF(const std::string& pasta_sistema) {
  std::string caminho = pasta_sistema;
  for (const char* pasta : fiscal::kPastasMovimentoECF) caminho += kPathSeparator + std::string(pasta);
  return caminho + kPathSeparator;
}

std::string CaminhoArquivoMovimentoECF(const std::string& pasta_sistema,
                                       const std::string& Cd_IdentificacaoECF,
                                       const std::string& serie, DateTime Dt_ReducaoZ) {
  return PastaArquivosMovimentoECF(pasta_sistema) + Cd_IdentificacaoECF + SerieNoNomeDoArquivo(serie) +
         Format(Dt_ReducaoZ, fiscal::kFormatoDataArquivo) + fiscal::kExtensaoArquivo;
}

const ClassInfo& BPAbrirDia::Info() const { return typelib::BPAbrirDia(); }

std::string BPAbrirDia::CaminhoDoMovimento(host::BOSistema& sessao, host::BOImpressora& impressora,
                                           host::BOECF* ecf, DateTime Dt_ReducaoZ) {
  const std::string identificacao = impressora.Cd_IdentificacaoECF();
  std::string cifrada = fiscal::Obrigatorio(ecf, "ObBOECF").Registro().No_SerieCriptografada;
  const std::string serie = Desencriptar(cifrada);
  return CaminhoArquivoMovimentoECF(sessao.ObDAL().SystemFolder(), identificacao, serie, Dt_ReducaoZ);
}

void BPAbrirDia::AbrirDia(host::BOSistemaRef& ObBOSistema,
                          host::BOAtividadeEconomica* /*ObBOAtividadeEconomica*/,
                          host::BOECF* ObBOECF, host::BOImpressora* ObBOImpressora,
                          host::BOCupomFiscal* ObBOCupomFiscal,
                          host::CihCupomFiscal* ObcihCupomFiscal, std::string& Ds_MensagemErro,
                          Tp_EdicaoEnum& No_TipoEdicaoReducaoZ) {
  ultima_reducao_z_ = DateTime();
  tentativas_ = 0;
  excluidos_.clear();
  arquivo_gerado_.clear();
  Direct(kBPAbrirDia, "AbrirDia", [&] {
    host::BOSistema& sessao = fiscal::Sessao(ObBOSistema);
    std::unique_ptr<host::BOAberturaDia> proprio = sessao.CriarAberturaDia();
    proprio->SetObBOSistema(ObBOSistema);
    host::BOImpressora& impressora = fiscal::Obrigatorio(ObBOImpressora, "ObBOImpressora");

    DateTime reducao;
    while (tentativas_ < fiscal::kTentativasReducaoZ) {
      ++tentativas_;
      reducao = GravarDadosDaUltimaReducaoZ(impressora, Ds_MensagemErro, No_TipoEdicaoReducaoZ);
      if (!reducao.IsEmpty()) break;
      Env::Current().Sleep(fiscal::kEsperaEntreTentativasMs);
    }
    ultima_reducao_z_ = reducao;
    if (reducao.IsEmpty()) return;

    ExcluirCuponsNaoConcluidos(ObBOSistema, ObBOCupomFiscal, ObcihCupomFiscal);
    const std::string caminho = CaminhoDoMovimento(sessao, impressora, ObBOECF, reducao);
    ExportarMovimentoECF(caminho, ObBOImpressora, reducao, reducao);
  });
}

DateTime BPAbrirDia::GravarDadosDaUltimaReducaoZ(host::BOImpressora& ObBOImpressora,
                                                 std::string& /*Ds_MensagemErro*/,
                                                 Tp_EdicaoEnum& /*No_TipoEdicaoReducaoZ*/) {
  std::optional<host::UnitOfWork> work;
  return Capture(
      kBPAbrirDia, "GravarDadosDaUltimaReducaoZ",
      [&] {
        host::BOSistema& sessao = fiscal::Sessao(ObBOSistema());
        std::unique_ptr<host::BOReducaoZ> registro = sessao.CriarReducaoZ();
        registro->SetObBOSistema(ObBOSistema());
        registro->SetDados(ObBOImpressora.DadosultimaReducaoZ(sessao));
        work.emplace(sessao, host::Origem(kBPAbrirDia, "GravarDadosDaUltimaReducaoZ"));
        if (!registro->Dados().Dt_Movimento.IsEmpty()) registro->Gravar();
        const DateTime reducao = registro->Dados().Dt_Movimento;
        registro.reset();
        work->End();
        return reducao;
      },
      [&] {
        if (work) work->End();
      });
}

void BPAbrirDia::ExcluirCuponsNaoConcluidos(host::BOSistemaRef& ObBOSistema,
                                            host::BOCupomFiscal* ObBOCupomFiscal,
                                            host::CihCupomFiscal* /*ObcihCupomFiscal*/) {
  Direct(kBPAbrirDia, "ExcluirCuponsNaoConcluidos", [&] {
    host::BOSistema& sessao = fiscal::Sessao(ObBOSistema);
    const std::string origem = host::Origem(kBPAbrirDia, "ExcluirCuponsNaoConcluidos");
    const int32_t empresa = sessao.Cd_PessoaUsuaria();

    std::unique_ptr<host::BOECF> ecf = sessao.CriarECF();
    ecf->SetObBOSistema(ObBOSistema);
    ecf->Registro().Cd_PessoaUsuaria = empresa;
    ecf->Registro().No_Impressora = sessao.ObDAL().NumeroECF();
    db::Recordset cancelamentos;
    db::Recordset gtotal;
    DateTime referencia;
    {
      host::UnitOfWork work(sessao, origem);
      ecf->Carregar();
      referencia = ecf->Dt_Referencia();
      cancelamentos = ecf->Cancelamentos(referencia);
      gtotal = ecf->GTotal(referencia);
      work.End();
    }

    host::BOCupomFiscal& cupom = fiscal::Obrigatorio(ObBOCupomFiscal, "ObBOCupomFiscal");
    db::Recordset cupons;
    {
      host::UnitOfWork work(sessao, origem);
      cupom.Registro().Cd_PessoaUsuaria = empresa;
      cupons = cupom.CuponsNaoConcluidos(referencia, sessao.ObDAL().NumeroECF());
      work.End();
    }

    Andamento janela;
    janela.SetAcao(fiscal::kExcluindoCupons);
    janela.Show();
    const int32_t total = cupons.RecordCount();
    for (int32_t linha = 1; !cupons.Eof(); ++linha, cupons.MoveNext()) {
      janela.MostrarLinha(linha, total);
      if (!CupomCanceladoNoECF(cupons, gtotal, cancelamentos)) continue;
      host::RegistroCupomFiscal& registro = cupom.Registro();
      registro.No_Impressora = cupons.Field("No_Impressora").ToByte();
      registro.No_CupomFiscal = cupons.Field("No_CupomFiscal").ToInt32();
      registro.Dt_Emissao = cupons.Field("Dt_Emissao").ToDate();
      host::UnitOfWork work(sessao, origem);
      cupom.Carregar();
      cupom.Excluir();
      work.End();
      excluidos_.push_back(registro);
    }
    janela.Unload();
  });
}

bool BPAbrirDia::ExportarMovimentoECF(const std::string& Ds_CaminhoENomeArquivo,
                                      host::BOImpressora* /*ObBOImpressora*/,
                                      const DateTime& Dt_Inicial, const DateTime& Dt_Final) {
  std::unique_ptr<host::BOECF> ecf;
  std::unique_ptr<BPExportarMovimentoECF> exportador;
  std::optional<host::UnitOfWork> work;
  return Capture(
      kBPAbrirDia, "ExportarMovimentoECF",
      [&] {
        host::BOSistema& sessao = fiscal::Sessao(ObBOSistema());
        host::DataAccess& dal = sessao.ObDAL();
        ecf = sessao.CriarECF();
        ecf->SetObBOSistema(ObBOSistema());
        if (dal.NumeroECF() == 0) dal.SetNumeroECF(1);
        ecf->Registro().Cd_PessoaUsuaria = sessao.Cd_PessoaUsuaria();
        ecf->Registro().No_Impressora = dal.NumeroECF();
        work.emplace(sessao, host::Origem(kBPAbrirDia, "ExportarMovimentoECF"));
        ecf->Carregar();
        work->End();

        exportador = std::make_unique<BPExportarMovimentoECF>();
        exportador->SetObBOSistema(ObBOSistema());
        exportador->SetDs_Caminho(Ds_CaminhoENomeArquivo);
        const bool confirmar = false;
        if (!exportador->ExportarMovimentoECF(Dt_Inicial, Dt_Final, confirmar, ecf.get()))
          throw Erro(kErroArquivoReducaoZ, fiscal::kErroArquivoReducaoZTexto);
        std::string caminho = Ds_CaminhoENomeArquivo;
        bool inserir_linha = false;
        AssinarArquivoDigitalmente(caminho, inserir_linha);
        arquivo_gerado_ = Ds_CaminhoENomeArquivo;
        exportador.reset();
        return true;
      },
      [&] {
        exportador.reset();
        if (work) work->End();
      });
}

namespace classes {
void RegisterBPAbrirDia() {
  RegisterClass(typelib::BPAbrirDia(), [] { return std::make_unique<BPAbrirDia>(); });
}
}  // namespace classes

}  // namespace bp
