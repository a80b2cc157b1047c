#pragma once

#include "hosting/qt/moravine_widget.h"

#include <string>
#include <vector>

namespace ruvo::testing {

// Where the Qt widgets differ from the control's model: geometry, captions, own visibility and
// enabled state, selections, list items and colours. Empty when the view mirrors the model.
std::vector<std::string> viewMismatches(MoravineWidget&);

// The widgets whose text does not fit them as laid out, in the control's font (see textFits): a
// caption wider or taller than its box, a label's words needing more lines than it has, a list
// item wider than the field.
std::vector<std::string> clippedTexts(MoravineWidget&);

} // namespace ruvo::testing
