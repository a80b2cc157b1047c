#include "control/core/widget_tree.h"

#include "control/core/surface_colors.h"

#include <vector>

namespace ruvo {

namespace {

using enum WidgetKind;

WidgetRow row(std::string_view name, WidgetKind kind, std::string_view parent,
              std::string_view caption, Geometry geometry, int tabIndex) {
    return {
        name, kind, parent,
        WidgetDesign{.caption = std::string(caption), .geometry = geometry, .tabIndex = tabIndex}};
}

// The tree table, then the design-time properties that differ from the kinds' defaults.
std::vector<WidgetRow> buildTree() {
    std::vector<WidgetRow> rows = {
        row("FrameLS", Frame, "Moravine", "Mode", {120, 120, 2655, 1215}, 38),
        row("OptLMP", OptionButton, "FrameLS", "LMP-based", {360, 360, 1575, 255}, 40),
        row("OptUS", OptionButton, "FrameLS", "Ultrasound-based", {360, 720, 1575, 255}, 39),
        row("FrameCBH", Frame, "Moravine", "Measurement", {2880, 1470, 2175, 1545}, 34),
        row("OptCRL", OptionButton, "FrameCBH", "Crown rump length", {240, 360, 1815, 255}, 37),
        row("OptBPD", OptionButton, "FrameCBH", "Biparietal diameter", {240, 720, 1815, 255}, 36),
        row("OptHC", OptionButton, "FrameCBH", "Head circumference", {240, 1080, 1815, 255}, 35),
        row("FrameEDD", Frame, "Moravine", "EDD", {480, 4470, 2295, 735}, 32),
        row("LabEDD", Label, "FrameEDD", "", {240, 360, 1935, 255}, 33),
        row("ComCalcEDD", CommandButton, "Moravine", "Calculate EDD", {6600, 3000, 1935, 375}, 31),
        row("ComRestart", CommandButton, "Moravine", "Cancel and RESTART", {6600, 2490, 1935, 375},
            30),
        row("FrameGest", Frame, "Moravine", "Gestation at birth", {2880, 4470, 2295, 735}, 28),
        row("LabGest", Label, "FrameGest", "", {240, 360, 1935, 255}, 29),
        row("ComCalcGest", CommandButton, "Moravine", "Calculate gestation",
            {6600, 3450, 1935, 375}, 27),
        row("DDVal", ComboBox, "Moravine", "", {5280, 2130, 735, 315}, 26),
        row("FrameQDOB", Frame, "Moravine", "", {120, 3120, 2655, 1215}, 22),
        row("OptYes", OptionButton, "FrameQDOB", "Yes", {1800, 360, 735, 255}, 24),
        row("OptNo", OptionButton, "FrameQDOB", "No", {1800, 720, 735, 255}, 23),
        row("LabQDOB", Label, "FrameQDOB", "Calculate length of gestation at birth?",
            {240, 465, 1455, 495}, 25),
        row("Timer1", Timer, "Moravine", "", {}, 0),
        row("Timer2", Timer, "Moravine", "", {}, 0),
        row("Timer3", Timer, "Moravine", "", {}, 0),
        row("FrameDate", Frame, "Moravine", "", {2880, 120, 3375, 1215}, 15),
        row("DDLSDateY", ComboBox, "FrameDate", "", {2490, 600, 735, 315}, 18),
        row("DDLSDateD", ComboBox, "FrameDate", "", {1605, 600, 735, 315}, 17),
        row("DDLSDateM", ComboBox, "FrameDate", "", {165, 615, 1215, 315}, 16),
        row("LabLSDateY", Label, "FrameDate", "Year", {2325, 360, 855, 255}, 21),
        row("LabLSDateD", Label, "FrameDate", "Day", {1440, 360, 855, 255}, 20),
        row("LabLSDateM", Label, "FrameDate", "Month", {240, 360, 855, 255}, 19),
        row("FrameDOB", Frame, "Moravine", "Date of birth", {2880, 3120, 3375, 1215}, 8),
        row("DDDOBDateD", ComboBox, "FrameDOB", "", {1560, 600, 735, 315}, 11),
        row("DDDOBDateY", ComboBox, "FrameDOB", "", {2445, 600, 735, 315}, 10),
        row("DDDOBDateM", ComboBox, "FrameDOB", "", {120, 600, 1215, 315}, 9),
        row("LabDOBDateY", Label, "FrameDOB", "Year", {2280, 360, 855, 255}, 14),
        row("LabDOBDateM", Label, "FrameDOB", "Month", {315, 360, 855, 255}, 13),
        row("LabDOBDateD", Label, "FrameDOB", "Day", {1395, 360, 855, 255}, 12),
        row("FrameUS", Frame, "Moravine", "Scan data", {120, 1470, 2655, 1545}, 1),
        row("OptDG", OptionButton, "FrameUS", "Derived gestation", {360, 590, 2055, 255}, 5),
        row("OptFB", OptionButton, "FrameUS", "Fetal biometry", {360, 270, 2055, 255}, 4),
        row("DDUSW", ComboBox, "FrameUS", "", {885, 1130, 735, 315}, 3),
        row("DDUSD", ComboBox, "FrameUS", "", {1770, 1130, 735, 315}, 2),
        row("LabUSW", Label, "FrameUS", "Weeks", {720, 890, 855, 255}, 7),
        row("LabUSD", Label, "FrameUS", "Days", {1605, 890, 855, 255}, 6),
        row("Picture1", PictureBox, "Moravine", "", {6360, 210, 2310, 1980}, 0),
        row("Labmm", Label, "Moravine", "mm", {6000, 2175, 375, 255}, 42),
    };

    auto design = [&](std::string_view name) -> WidgetDesign& {
        for (auto& widget : rows) {
            if (widget.name == name)
                return widget.design;
        }
        throw std::logic_error("no widget " + std::string(name));
    };
    for (auto name : {"LabEDD", "LabGest"}) {
        design(name).backColor = resultBackColor;
        design(name).foreColor = resultForeColor;
        design(name).border = BorderStyle::FixedSingle;
    }
    for (auto name : {"LabEDD", "LabGest", "LabLSDateY", "LabLSDateD", "LabLSDateM", "LabDOBDateY",
                      "LabDOBDateM", "LabDOBDateD", "LabUSW", "LabUSD"})
        design(name).alignment = TextAlignment::Center;
    for (auto name :
         {"DDLSDateD", "DDLSDateM", "DDLSDateY", "DDDOBDateD", "DDDOBDateM", "DDDOBDateY"})
        design(name).backColor = dateListBackColor;
    for (auto name : {"DDUSW", "DDUSD", "DDVal"})
        design(name).backColor = ActiveBackColor;
    return rows;
}

} // namespace

std::span<const ListCaption> listCaptions() {
    static constexpr ListCaption captions[] = {
        {"DDLSDateD", "FrameDate", "LabLSDateD"},
        {"DDLSDateM", "FrameDate", "LabLSDateM"},
        {"DDLSDateY", "FrameDate", "LabLSDateY"},
        {"DDDOBDateD", "FrameDOB", "LabDOBDateD"},
        {"DDDOBDateM", "FrameDOB", "LabDOBDateM"},
        {"DDDOBDateY", "FrameDOB", "LabDOBDateY"},
        {"DDUSW", "FrameUS", "LabUSW"},
        {"DDUSD", "FrameUS", "LabUSD"},
        {"DDVal", "FrameCBH", "Labmm"},
    };
    return captions;
}

std::span<const WidgetRow> moravineWidgetTree() {
    static const std::vector<WidgetRow> tree = buildTree();
    return tree;
}

} // namespace ruvo
