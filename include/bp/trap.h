// The two ways a procedure passes a failure up with its place in the trail.
//
//   Direct:  source + " -> Owner.Proc, "  (help file and context dropped)
//   Capture: CapturaErro, clean-up, LancaErro(" -> Owner.Proc")
//
// `owner` is the class name, or a module label such as "BOModulo",
// "Criptografia" or ", nv4" (whose segment then reads " -> , nv4.Proc").
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "bp/erro.h"
#include "bp/erros.h"

namespace bp {

// " -> Owner.Proc": the segment both styles add to the source.
std::string Segment(std::string_view owner, std::string_view proc);

// Raises the failure being handled again in the direct style. Call only
// from inside a catch block.
[[noreturn]] void RethrowDirect(std::string_view owner, std::string_view proc);

// Runs `body`; any failure leaves with the direct-style segment appended.
template <class Body>
auto Direct(std::string_view owner, std::string_view proc, Body&& body)
    -> std::invoke_result_t<Body&> {
  try {
    return body();
  } catch (...) {
    RethrowDirect(owner, proc);
  }
}

// Runs `body`; on failure captures the error, runs `cleanup`, then raises the
// captured error with the capture-style segment appended. A failure inside
// the clean-up itself replaces the captured one, as it would on the host.
template <class Body, class Cleanup>
auto Capture(std::string_view owner, std::string_view proc, Body&& body, Cleanup&& cleanup)
    -> std::invoke_result_t<Body&> {
  try {
    return body();
  } catch (...) {
    CapturaErro("");
    cleanup();
    LancaErro(Segment(owner, proc));
  }
}

}  // namespace bp
