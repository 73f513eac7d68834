// The billing class's own texts and fixed values.
#pragma once

#include <cstdint>

namespace bp::billing {

inline constexpr const char* kBPFaturamento = "BPFaturamento";

inline constexpr const char* kSemCupons =
    "Erro na coferencia entre o valor da conta a receber e a soma a partir dos cupons, não "
    "encontrado nenhum cupom para a conta:";
inline constexpr const char* kCupomDeOutroCliente =
    "Existe cupom fiscal selecionado que não pertence ao cliente do faturamento";

inline constexpr const char* kTituloAndamento = "Andamento faturamento";
inline constexpr const char* kAcaoAndamento = "Faturando";

inline constexpr uint8_t kImpNfNaFatura = 12;
inline constexpr int32_t kOperacaoNotaCupom = 91;
inline constexpr const char* kObservacaoNota = "TRIBUTADO PELOS CUPONS FISCAIS";
inline constexpr const char* kFormatoHora = "hh:Nn:ss";

// Fixed values of a new receivable: one instalment of one, document type 10.
inline constexpr uint8_t kParcela = 1;
inline constexpr uint8_t kTipoDocumento = 10;

}  // namespace bp::billing
