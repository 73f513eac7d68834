// The standard and fmt headers nearly every file of the project includes,
// compiled once per target instead of once per file (docs/performance.md).
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include <fmt/format.h>
