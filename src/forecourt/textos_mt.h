// The fixed texts and masks of the micro-terminal screens and of the release
// rules, exactly as the terminals show them (plain ASCII, no accents).
#pragma once

namespace bp::forecourt {

inline constexpr const char* kClasseControlador = "BPMTControlador";
inline constexpr const char* kClasseDialogo = "BPMTLiberarBico";
inline constexpr const char* kClasseRegras = "BPLiberarBico";

// Controller screens.
inline constexpr const char* kSistemaInoperante = "Sistema inoperante";
inline constexpr const char* kOpcaoNaoConfigurada = "Opcao nao configurada";
inline constexpr const char* kSoliciteSuporte = "Solicite suporte tecnico";

// Prompts of the release dialogue.
inline constexpr const char* kPromptFuncionario = "Codigo do funcionario";
inline constexpr const char* kPromptSenha = "Senha";
inline constexpr const char* kPromptPagamento = "Pgto(1-Credito,2-CH,3-Dinheiro,4-Cartao)";
inline constexpr const char* kPromptCmc7 = "CMC7 (I-INCIA LEITURA)";
inline constexpr const char* kPromptCpfCnpj = "CPF/CNPJ";
inline constexpr const char* kPromptDataDeposito = "Data deposito Cheque (vazio = hoje)";
inline constexpr const char* kPromptPlaca = "Placa";
inline constexpr const char* kPromptHodometro = "Hodometro";
inline constexpr const char* kPromptBico = "Bico";
inline constexpr const char* kPromptValor = "Valor abastecimento (vazio = sem valor)";
inline constexpr const char* kPromptDesconto = "Desconto (vazio = sem desconto)";
inline constexpr const char* kPromptBaixa = "Baixa automatica (S/N) (vazio = S)";

// Status lines shown while a step works.
inline constexpr const char* kProcessando = "Processando...";
inline constexpr const char* kVerificandoSenha = "Verificando senha...";
inline constexpr const char* kConsultandoCaixa = "Consultando caixa...";
inline constexpr const char* kLiberando = "Liberando...";
inline constexpr const char* kGravando = "Gravando...";

// Verdicts and errors.
inline constexpr const char* kPermitido = "PERMITIDO(Tecle enter para liberar bico)";
inline constexpr const char* kNaoPermitido = "NAO PERMITIDO";
inline constexpr const char* kErroTecleEnter = "Erro (Tecle enter)";
inline constexpr const char* kUsuarioOuSenhaInvalido = "Usuario ou senha invalido";
inline constexpr const char* kCaixaAntigo = "Nao e permitido abrir um caixa antigo.";
inline constexpr const char* kNaoGravado = "NAO GRAVADO.";

// The prefix of line 1 under which the answer echoes as asterisks.
inline constexpr const char* kPrefixoSenha = "SENHA";
// Answer of the automatic-settlement question that means no.
inline constexpr const char* kRespostaNao = "N";

// Display masks of the answers.
inline constexpr const char* kMascaraCmc7 = "!@@@@@@@@-@@@@@@@@@@-@@@@@@@@@@@@.";
inline constexpr const char* kMascaraData = "!@@/@@/@@@@.";
inline constexpr const char* kMascaraValor = "@@@,@@@.@@.";
inline constexpr const char* kMascaraDesconto = "@@.@@.";
inline constexpr const char* kMascaraCpf = "!@@@.@@@.@@@-@@.";
inline constexpr const char* kMascaraCnpj = "!@@.@@@.@@@/@@@@-@@.";

// Formats of the documents sent for a cheque consultation.
inline constexpr const char* kFormatoCpf = "@@@.@@@.@@@-@@";
inline constexpr const char* kFormatoCnpj = "@@.@@@.@@@/@@@@-@@";

}  // namespace bp::forecourt
