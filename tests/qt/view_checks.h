#pragma once

#include "hosting/qt/moravine_widget.h"

#include <string>
#include <vector>

namespace ruvo::testing {

// Where the Qt widgets differ from the control's model: geometry, captions, own visibility and
// enabled state, selections, list items and colours. Empty when the view mirrors the model.
std::vector<std::string> viewMismatches(MoravineWidget&);

} // namespace ruvo::testing
