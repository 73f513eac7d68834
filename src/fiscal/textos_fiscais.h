// The fixed texts and figures of the fiscal day and of the ECF movement file,
// kept in one place.
#pragma once

#include <cstdint>

namespace bp::fiscal {

inline constexpr const char* kBPAbrirDia = "BPAbrirDia";
inline constexpr const char* kBPExportarMovimentoECF = "BPExportarMovimentoECF";

// Day opening: how often the printer is asked for its last Z data, and the
// wait after each empty answer.
inline constexpr int kTentativasReducaoZ = 3;
inline constexpr int32_t kEsperaEntreTentativasMs = 1000;

// Folders of the movement files below the system folder, and the parts of
// their names.
inline constexpr const char* kPastasMovimentoECF[] = {"Fiscal", "ECF", "Dados ReducaoZ"};
inline constexpr int16_t kTamanhoSerieECF = 14;
inline constexpr const char* kFormatoDataArquivo = "ddmmyyyy";
inline constexpr const char* kExtensaoArquivo = ".txt";

inline constexpr const char* kExcluindoCupons = "Excluindo cupons fiscais nao concluidos";

inline constexpr const char* kErroArquivoReducaoZTexto =
    "Erro na geração do arquivo com movimento da redução Z, atenção esse arquivo e exigido pelo "
    "fisco, informe o problema imediatamente ao suporte técnico.";

// Day closing: the error log, the step marker of its records, and the hour
// up to which closing the previous day still prints the volume report first.
inline constexpr const char* kLogFechamento = "Ret.log";
inline constexpr const char* kMarcaPasso = " - Passo:";
inline constexpr int kHoraLimiteVolumeAntes = 2;

// The movement file's export.
inline constexpr const char* kTituloExportacao = "Exportação Movimento por ECF";
inline constexpr const char* kAbrindoArquivo = "Abrindo arquivo de destino";
inline constexpr const char* kExportandoR01 = "Exportando os registros R01";
inline constexpr const char* kExportandoTipo = "Exportando os registros tipo R0";  // + 2..7
inline constexpr const char* kErroRegistrosInicio = "Erro na geração dos registros R0";  // + n + "."
inline constexpr const char* kErroRegistrosTitulo = "Erro geração registros";

}  // namespace bp::fiscal
