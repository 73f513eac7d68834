// The fixed texts of the SINTEGRA, GAM, product-register and stock exports,
// kept in one place.
#pragma once

#include <string>

namespace bp::exportacao {

inline constexpr const char* kBPExportacaoSintegra = "BPExportacaoSintegra";
inline constexpr const char* kBPExportacaoGam = "BPExportacaoGam";
inline constexpr const char* kBPExportacaoProdutos = "BPExportacaoProdutos";
inline constexpr const char* kBPExportarEstoque = "BPExportarEstoque";

inline constexpr const char* kPropCampoErro = "Nm_CampoErroCrítica";
inline constexpr const char* kPropCaminho = "Ds_Caminho";
inline constexpr const char* kPropFuncionario = "Nm_Funcionario";
inline constexpr const char* kPropDtInicial = "Dt_Inicial";
inline constexpr const char* kPropDtFinal = "Dt_Final";
inline constexpr const char* kPropRetificacao = "Ic_Retificacao";

// Validar.
inline constexpr const char* kTituloPeriodo = "Erro no período";
inline constexpr const char* kInicialMaior = "A data inicial não pode maior que a final.";
inline constexpr const char* kUmMes =
    "Só é permitido exportar o registro de saída de único mês, para exportar um período maior "
    "deverá faze-lo mês a mês.";
inline constexpr const char* kSemCaminho = "Caminho não informado.";
inline constexpr const char* kTituloSemCaminho = "Caminho não informado";
inline constexpr const char* kCaminhoInvalido = "Caminho e/ou arquivo inválido.";
inline constexpr const char* kTituloCaminhoInvalido = "Caminho inválido";

// Window titles and step descriptions.
inline constexpr const char* kTituloSintegra = "Gerando arquivo Sintegra";
inline constexpr const char* kTituloGam = "Exportação GAM";
inline constexpr const char* kTituloProdutos = "Exportação Cadastro de Produtos";
inline constexpr const char* kTituloEstoque = "Exportação Estoque";
inline constexpr const char* kAbrindoArquivo = "Abrindo arquivo de destino";
inline constexpr const char* kCriandoRegistro10 = "Crindo registro 10";
inline constexpr const char* kCriandoRegistros11 = "Criando registros 11";
inline constexpr const char* kExportandoTipo = "Exportando os registros tipo ";  // + type
inline constexpr const char* kNotasFiscais = " (notas fiscais)";
inline constexpr const char* kCuponsFiscais = " (Cupons fiscais)";

// Failure boxes of the record steps.
inline constexpr const char* kTituloErroQuando = "Erro quando gerava registro";  // + " 11"...
inline constexpr const char* kTextoErroQuando =
    "Houve um erro, quando estava sendo gerado os registros";
inline constexpr const char* kTituloErroGeracao = "Erro geração registros";
inline constexpr const char* kTextoErroGeracao = "Erro na geração dos registros ";  // + type + "."
inline constexpr const char* kTituloErroRegistro = "Erro registro ";                // + type
inline constexpr const char* kTextoErroRegistro = "Erro quando gerava o registro tipo ";
inline constexpr const char* kDasEmitidas = " das notas fiscais emitidas.";
inline constexpr const char* kDasRecebidas = " das notas fiscais recebidas.";

// The failure boxes of a record step; `tipo` is "10" or " 11", " 50"...
inline std::string TituloQuando(const std::string& tipo) { return kTituloErroQuando + tipo; }
inline std::string TextoQuando(const std::string& tipo) { return kTextoErroQuando + tipo + "."; }
inline std::string TextoGeracao(const std::string& tipo) { return kTextoErroGeracao + tipo + "."; }
inline std::string TituloRegistro(const std::string& tipo) { return kTituloErroRegistro + tipo; }
// "Erro quando gerava o registro tipo " + tipo + " das notas fiscais ...".
inline std::string TextoRegistro(const std::string& tipo, const char* das) {
  return kTextoErroRegistro + tipo + das;
}

}  // namespace bp::exportacao
