#include "control/core/control_core.h"

#include "control/core/widget_tree.h"
#include "dating/date_text.h"

namespace ruvo {

ControlCore::ControlCore(const Clock& todaysClock)
    : host("Moravine", WidgetDesign{.geometry = moravineGeometry}), clock(todaysClock) {}

std::string ControlCore::datenice(const Date& xdate) const {
    return ruvo::datenice(xdate);
}

} // namespace ruvo
