#include "hosting/view/firewall.h"

#include <new>

namespace ruvo::view {

namespace {

// The message as a string, or an empty one (which needs no memory) when even that fails.
std::optional<std::string> failure(const char* message) noexcept {
    try {
        return std::string(message);
    } catch (...) {
        return std::string();
    }
}

} // namespace

std::optional<std::string>
guarded(const std::function<std::optional<RuntimeError>()>& entry) noexcept {
    try {
        if (auto error = entry())
            return failure(error->what());
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return failure("the control ran out of memory");
    } catch (const std::exception& error) {
        return failure(error.what());
    } catch (...) {
        return failure("the control failed unexpectedly");
    }
}

} // namespace ruvo::view
