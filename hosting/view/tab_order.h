#pragma once

#include "host/widget_host.h"

#include <vector>

namespace ruvo::view {

// The widgets that take the keyboard focus, in the order Tab visits them: every option button,
// list and command button, and the two results, by TabIndex across all frames. Which of them can
// take the focus at a moment is theirs to say (Widget::canTakeInput).
std::vector<Widget*> tabOrder(const WidgetHost&);

// The tab order as a toolkit meets it whose Tab enters an option group at its selected button
// and leaves the rest of the group to the arrows (Windows dialogs): each group is one stop, at its
// selected button, or at the first that can take input while none is selected.
std::vector<Widget*> tabOrderByGroup(const WidgetHost&);

// Every widget in the order a toolkit that tabs through nested containers (Win32 dialogs) must
// stack siblings, so that its walk through the frames meets the inputs in tabOrder: by TabIndex,
// a frame before its children.
std::vector<Widget*> stackingOrder(const WidgetHost&);

} // namespace ruvo::view
