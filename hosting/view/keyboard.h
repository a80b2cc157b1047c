#pragma once

#include "host/widget_host.h"

namespace ruvo::view {

enum class Key { Space, Enter, Up, Down, Left, Right };

// What a key does on the focused widget, as on a native form: Space and Enter press a button;
// on an option button Space selects it and the arrows select the previous or next option of its
// group that can take input (wrapping round), moving the focus with the selection. The front-end
// sends the user's click to the target and puts the focus there; a null target leaves the key to
// the toolkit (a list's own keys, for one).
Widget* keyTarget(Widget& focused, Key);

} // namespace ruvo::view
