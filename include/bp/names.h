// Small text helpers shared across the library: names compared as the
// databases and a late-bound host compare them, blank trimming, and the
// visitor helper for std::visit.
#pragma once

#include <string_view>

namespace bp {

// ASCII letters without regard to case, every other byte exactly.
bool SameName(std::string_view a, std::string_view b);

// The text without leading and trailing white space.
std::string_view TrimSpace(std::string_view text);

// Lets std::visit take one lambda per alternative.
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace bp
