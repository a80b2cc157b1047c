#include "hosting/view/keyboard.h"

#include <algorithm>
#include <vector>

namespace ruvo::view {

namespace {

// The options of a group in the order they stand on screen, top to bottom.
std::vector<Widget*> groupOf(const Widget& option) {
    std::vector<Widget*> group;
    for (Widget* sibling : option.parent()->children()) {
        if (sibling->kind() == WidgetKind::OptionButton)
            group.push_back(sibling);
    }
    std::stable_sort(group.begin(), group.end(), [](const Widget* a, const Widget* b) {
        return a->geometry().top < b->geometry().top;
    });
    return group;
}

Widget* neighbour(Widget& option, int step) {
    const std::vector<Widget*> group = groupOf(option);
    const auto size = static_cast<int>(group.size());
    const auto at =
        static_cast<int>(std::find(group.begin(), group.end(), &option) - group.begin());
    for (int i = 1; i < size; ++i) {
        Widget* next = group[static_cast<std::size_t>(((at + step * i) % size + size) % size)];
        if (next->canTakeInput())
            return next;
    }
    return nullptr;
}

} // namespace

Widget* keyTarget(Widget& focused, Key key) {
    if (!focused.canTakeInput())
        return nullptr;
    if (focused.kind() == WidgetKind::CommandButton)
        return key == Key::Space || key == Key::Enter ? &focused : nullptr;
    if (focused.kind() != WidgetKind::OptionButton)
        return nullptr;
    switch (key) {
    case Key::Space:
        return &focused;
    case Key::Enter:
        return nullptr;
    case Key::Up:
    case Key::Left:
        return neighbour(focused, -1);
    case Key::Down:
    case Key::Right:
        return neighbour(focused, +1);
    }
    return nullptr;
}

} // namespace ruvo::view
