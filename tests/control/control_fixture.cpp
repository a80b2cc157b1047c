#include "control_fixture.h"

#include "control/core/surface_colors.h"
#include "pickers/picker_runs.h"

namespace ruvo::testing {

std::string_view stateName(SurfaceState state) {
    switch (state) {
    case SurfaceState::Ready:
        return "Ready";
    case SurfaceState::EddShown:
        return "EDD shown";
    case SurfaceState::BirthDateAsked:
        return "Birth date asked";
    case SurfaceState::GestationShown:
        return "Gestation shown";
    }
    return "?";
}

std::optional<SurfaceState> surfaceState(const Surface& s, CalculateEddButton button) {
    struct Row {
        SurfaceState state;
        bool calculateEdd, frameEdd, frameQdob, optYes, frameDob, calculateGest, frameGest;
    };
    static constexpr Row table[] = {
        {SurfaceState::Ready, true, false, false, false, false, false, false},
        {SurfaceState::EddShown, false, true, true, false, false, false, false},
        {SurfaceState::BirthDateAsked, false, true, true, true, true, true, false},
        {SurfaceState::GestationShown, false, true, true, true, true, false, true},
    };
    for (const Row& row : table) {
        if ((button == CalculateEddButton::Ignored || s.ComCalcEDD.visible() == row.calculateEdd) &&
            s.FrameEDD.visible() == row.frameEdd && s.FrameQDOB.visible() == row.frameQdob &&
            s.OptYes.value() == row.optYes && s.OptNo.value() == !row.optYes &&
            s.FrameDOB.visible() == row.frameDob && s.ComCalcGest.visible() == row.calculateGest &&
            s.FrameGest.visible() == row.frameGest)
            return row.state;
    }
    return std::nullopt;
}

std::vector<std::string> configurationMismatches(const Surface& s) {
    enum Column { Lmp, FetalBiometry, DerivedGestation };
    const Column column = s.OptLMP.value()  ? Lmp
                          : s.OptFB.value() ? FetalBiometry
                                            : DerivedGestation;
    const bool scanData = column != Lmp;
    const bool measurement = column == FetalBiometry;
    const bool gestation = column == DerivedGestation;
    std::vector<std::string> mismatches;
    auto expectEnabled = [&](const Widget& widget, bool enabled) {
        if (widget.enabled() != enabled)
            mismatches.push_back(widget.name() + ".Enabled");
    };
    auto expectList = [&](const ComboBox& list, bool enabled) {
        expectEnabled(list, enabled);
        if (list.backColor() != (enabled ? ActiveBackColor : InactiveBackColor))
            mismatches.push_back(list.name() + ".BackColor");
    };
    using Widgets = std::initializer_list<const Widget*>;
    for (const Widget* widget : Widgets{&s.FrameUS, &s.OptFB, &s.OptDG})
        expectEnabled(*widget, scanData);
    for (const Widget* widget : Widgets{&s.FrameCBH, &s.OptCRL, &s.OptBPD, &s.OptHC, &s.Labmm})
        expectEnabled(*widget, measurement);
    expectList(s.DDVal, measurement);
    expectList(s.DDUSW, gestation);
    expectList(s.DDUSD, gestation);
    expectEnabled(s.LabUSW, gestation);
    expectEnabled(s.LabUSD, gestation);
    if (s.FrameDate.caption() != (column == Lmp ? "Date of LMP" : "Date of Ultrasound scan"))
        mismatches.push_back("FrameDate.Caption");
    return mismatches;
}

bool dayListFollowsMonth(const ComboBox& month, const ComboBox& day) {
    const int length = monthLength(month.text());
    if (day.items().size() != static_cast<std::size_t>(length))
        return false;
    for (int i = 0; i < length; ++i) {
        if (day.items()[static_cast<std::size_t>(i)] != std::to_string(i + 1))
            return false;
    }
    return true;
}

ControlTest::ControlTest(const char* today) : clock(parseDate(today)) {
    if (auto error = control.initialize())
        ADD_FAILURE() << "start-up failed: " << error->what();
}

void ControlTest::click(Widget& widget) {
    if (auto error = control.host.click(widget))
        ADD_FAILURE() << "click " << widget.name() << ": " << error->what();
}

void ControlTest::pick(ComboBox& list, std::string_view item) {
    if (auto error = control.host.pick(list, item))
        ADD_FAILURE() << "pick " << list.name() << ' ' << item << ": " << error->what();
}

void ControlTest::tick(Timer& timer) {
    if (auto error = control.host.tick(timer))
        ADD_FAILURE() << "tick " << timer.name() << ": " << error->what();
}

void ControlTest::pickDate(ComboBox& day, ComboBox& month, ComboBox& year, std::string_view dayText,
                           std::string_view monthText, std::string_view yearText) {
    pick(month, monthText);
    pick(day, dayText);
    pick(year, yearText);
}

void ControlTest::pickScanDate(std::string_view day, std::string_view month,
                               std::string_view year) {
    pickDate(s.DDLSDateD, s.DDLSDateM, s.DDLSDateY, day, month, year);
}

} // namespace ruvo::testing
