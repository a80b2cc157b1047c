#include "workflow/scan_lists.h"

#include "control/core/surface_colors.h"

namespace ruvo {

void setScanListEnabled(ComboBox& list, bool enabled) {
    list.setEnabled(enabled);
    list.setBackColor(enabled ? ActiveBackColor : InactiveBackColor);
}

} // namespace ruvo
