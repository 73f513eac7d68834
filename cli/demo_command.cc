// posto demo: the main job. For now it shows the library's public surface
// and signs and checks a fiscal text file with its EAD record.
#include <filesystem>
#include <iostream>

#include "bp/criptografia.h"
#include "bp/ead.h"
#include "bp/env.h"
#include "bp/format.h"
#include "bp/text_file.h"
#include "cli/commands.h"

namespace posto {

int RunDemo(const Args& args) {
  const std::string folder = args.empty() ? "posto-demo" : args[0];
  std::filesystem::create_directories(folder);

  std::cout << "== Classes públicas e enumerações da biblioteca BP\n\n";
  if (int rc = RunClasses({}); rc != 0) return rc;

  std::cout << "\n== Assinatura digital (EAD) de um arquivo fiscal\n\n";
  std::string path = folder + "/exemplo.txt";
  const bp::DateTime now = bp::Env::Current().Now();
  {
    bp::TextFile file(path, bp::OpenMode::Output);
    file.WriteLine("Movimento de exemplo gerado em " + bp::Format(now, "dd/mm/yyyy hh:Nn:ss"));
    file.WriteLine("Total vendido: " + bp::Format(1234.5, "###,###,##0.00"));
    file.WriteLine("Operação assinada pelo posto");
    file.Close();
  }
  bool extra_line = false;
  const std::string ead = bp::AssinarArquivoDigitalmente(path, extra_line);
  std::cout << "Arquivo: " << path << "\nEAD:     " << ead.substr(0, 32) << "...\n";

  const auto check = bp::VerifyEAD(path, std::string(bp::EadPublicKey()));
  std::cout << "Verificação: " << bp::EadStatusMessage(check.status) << "\n";

  // A copy with one byte changed must be refused.
  const std::string tampered = folder + "/exemplo-alterado.txt";
  std::filesystem::copy_file(path, tampered, std::filesystem::copy_options::overwrite_existing);
  {
    std::FILE* f = std::fopen(tampered.c_str(), "r+b");
    if (f != nullptr) {
      std::fputc('m', f);
      std::fclose(f);
    }
  }
  const auto bad = bp::VerifyEAD(tampered, std::string(bp::EadPublicKey()));
  std::cout << "Cópia alterada (" << tampered << "): " << bp::EadStatusMessage(bad.status)
            << "\n";
  return check.status == bp::EadStatus::kOk && bad.status != bp::EadStatus::kOk ? 0 : 1;
}

}  // namespace posto
