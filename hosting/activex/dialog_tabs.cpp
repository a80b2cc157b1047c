#include "hosting/activex/dialog_tabs.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace ruvo::activex {

bool tabLeaves(HWND surface, HWND focused, bool backward) {
    std::vector<HWND> stops;
    const HWND first = GetNextDlgTabItem(surface, nullptr, FALSE);
    for (HWND stop = first; stop && stops.size() < 256;) {
        stops.push_back(stop);
        stop = GetNextDlgTabItem(surface, stop, FALSE);
        if (stop == first)
            break;
    }
    const auto positionOf = [&](HWND window) -> std::optional<std::size_t> {
        const auto found = std::find(stops.begin(), stops.end(), window);
        return found == stops.end() ? std::nullopt
                                    : std::optional<std::size_t>(found - stops.begin());
    };
    auto at = positionOf(focused);
    // A group of option buttons is one stop, at one of its buttons: the focus may be on another.
    for (HWND member = GetNextDlgGroupItem(surface, focused, FALSE);
         !at && member && member != focused; member = GetNextDlgGroupItem(surface, member, FALSE))
        at = positionOf(member);
    if (!at)
        return true;
    return backward ? *at == 0 : *at + 1 == stops.size();
}

} // namespace ruvo::activex
