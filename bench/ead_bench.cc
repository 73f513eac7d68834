// Signing and checking the EAD of a 50 MB fiscal file, and the MD5 pass alone
// (the part to compare with `openssl dgst -md5` on the same file).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bp/criptografia.h"
#include "bp/ead.h"
#include "bp/keys.h"

namespace {

constexpr std::size_t kFileBytes = 50u << 20;

// Two files in the temporary folder, made once: a plain one and its copy
// signed with a pair generated for the run.
struct BenchFiles {
  std::string plain;
  std::string signed_copy;
  bp::EadKey key;

  BenchFiles() {
    auto dir = std::filesystem::temp_directory_path() / "bp_ead_bench";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "ead.pem");
    key = *bp::WriteNewEadKey((dir / "ead.pem").string()).key;
    plain = (dir / "movimento.txt").string();
    signed_copy = (dir / "movimento_assinado.txt").string();
    std::FILE* f = std::fopen(plain.c_str(), "wb");
    char line[128];
    std::size_t written = 0;
    for (unsigned i = 0; written < kFileBytes; ++i) {
      int n = std::snprintf(line, sizeof line,
                            "E14%08u00000000000000000000001234567890COMBUSTIVEL%012u\r\n", i,
                            i * 7919u);
      std::fwrite(line, 1, static_cast<std::size_t>(n), f);
      written += static_cast<std::size_t>(n);
    }
    std::fclose(f);
    std::filesystem::copy_file(plain, signed_copy,
                               std::filesystem::copy_options::overwrite_existing);
    std::string buffer;
    bp::GenerateEAD(signed_copy, key.modulus, key.private_exponent.bytes, buffer, 1);
  }
};

const BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

void BM_Md5Only(benchmark::State& state) {
  const auto& files = Files();
  for (auto _ : state) benchmark::DoNotOptimize(bp::FileMd5(files.plain));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

// Sign flag 0: the signature is computed but the file is left as it is.
void BM_Sign(benchmark::State& state) {
  const auto& files = Files();
  std::string buffer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bp::GenerateEAD(files.plain, files.key.modulus,
                                             files.key.private_exponent.bytes, buffer, 0));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

void BM_Verify(benchmark::State& state) {
  const auto& files = Files();
  for (auto _ : state) {
    auto v = bp::VerifyEAD(files.signed_copy, files.key.modulus);
    if (v.status != bp::EadStatus::kOk) state.SkipWithError("signed copy does not verify");
    benchmark::DoNotOptimize(v);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

// A small file signed through the library's own entry point: the pair is read
// from the deployment's PEM file on every call, which is what this measures
// against the bare signature of the same file.
void BM_AssinarArquivoPequeno(benchmark::State& state) {
  const auto& files = Files();
  const std::string pem = (std::filesystem::path(files.plain).parent_path() / "ead.pem").string();
  ::setenv("BP_EAD_CHAVE", pem.c_str(), 1);
  const std::string pequeno = files.plain + ".pequeno";
  std::string linhas;
  for (int i = 0; i < 40; ++i) linhas += "E14000000000000000000000000001234567890COMBUSTIVEL\r\n";
  for (auto _ : state) {
    state.PauseTiming();
    std::FILE* f = std::fopen(pequeno.c_str(), "wb");
    std::fwrite(linhas.data(), 1, linhas.size(), f);
    std::fclose(f);
    std::string caminho = pequeno;
    bool sem_linha = false;
    state.ResumeTiming();
    benchmark::DoNotOptimize(bp::AssinarArquivoDigitalmente(caminho, sem_linha));
  }
}

void BM_AssinaturaPequenaSemLerChave(benchmark::State& state) {
  const auto& files = Files();
  const std::string pequeno = files.plain + ".pequeno";
  std::string buffer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        bp::GenerateEAD(pequeno, files.key.modulus, files.key.private_exponent.bytes, buffer, 0));
  }
}

BENCHMARK(BM_AssinarArquivoPequeno)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_AssinaturaPequenaSemLerChave)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Md5Only)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Sign)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Verify)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
