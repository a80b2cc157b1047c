#pragma once

#include "host/runtime_error.h"

#include <functional>
#include <optional>
#include <string>

namespace ruvo::view {

// Every entry point of a toolkit into the control runs through here: the user's actions, the
// timers, the host's calls. Whatever happens inside, a run-time error of the control or anything
// thrown below it (std::bad_alloc included), comes back as a message (empty when even that
// cannot be made); nothing escapes into the toolkit's event loop or a window procedure.
[[nodiscard]] std::optional<std::string>
guarded(const std::function<std::optional<RuntimeError>()>& entry) noexcept;

} // namespace ruvo::view
