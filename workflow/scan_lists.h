#pragma once

#include "host/combo_box.h"

namespace ruvo {

// Enables or disables one of the scan input lists (DDVal, DDUSW, DDUSD) and colours it at once:
// light peach while it can be used, the scroll-bar grey while it cannot.
void setScanListEnabled(ComboBox& list, bool enabled);

} // namespace ruvo
