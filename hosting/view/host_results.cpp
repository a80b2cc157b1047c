#include "hosting/view/host_results.h"

#include "dating/biometry.h"
#include "dating/date_text.h"

namespace ruvo::view {

std::string_view methodKey(EddMethod method) {
    switch (method) {
    case EddMethod::Lmp:
        return "lmp";
    case EddMethod::CrownRumpLength:
        return "crl";
    case EddMethod::BiparietalDiameter:
        return "bpd";
    case EddMethod::HeadCircumference:
        return "hc";
    case EddMethod::Derived:
        break;
    }
    return "derived";
}

std::optional<GestationAtBirth> gestationOn(const HostResults& results, Date day) {
    if (!results.edd)
        return std::nullopt;
    return gestationAtBirth(*results.edd, day);
}

HostResults resultsOnView(const ControlCore& control) {
    const Surface& s = control.surface;
    HostResults results;
    if (!s.FrameEDD.visible())
        return results;
    results.edd = control.state.EDDDate;
    // The options in the order "Calculate EDD" reads them.
    if (!s.OptUS.value()) {
        results.method = EddMethod::Lmp;
        results.methodValue =
            s.DDLSDateD.text() + " " + s.DDLSDateM.text() + " " + s.DDLSDateY.text();
    } else if (!s.OptFB.value()) {
        results.method = EddMethod::Derived;
        results.methodValue = s.DDUSW.text() + " weeks " + s.DDUSD.text() + " days";
    } else {
        results.method = s.OptCRL.value()   ? EddMethod::CrownRumpLength
                         : s.OptBPD.value() ? EddMethod::BiparietalDiameter
                                            : EddMethod::HeadCircumference;
        results.methodValue = s.DDVal.text();
    }
    if (s.FrameGest.visible())
        results.gestationAtBirthDays =
            termDays + static_cast<int>(control.state.DOBDate - control.state.EDDDate);
    return results;
}

ResultsWatcher::ResultsWatcher(ControlCore& control,
                               std::function<void(const HostResults&)> onChange)
    : m_control(control), m_onChange(std::move(onChange)), m_results(resultsOnView(control)) {
    m_control.host.addObserver(*this);
}

ResultsWatcher::~ResultsWatcher() {
    m_control.host.removeObserver(*this);
}

void ResultsWatcher::handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) {
    if (m_control.host.depth() > 0)
        return;
    HostResults now = resultsOnView(m_control);
    if (now == m_results)
        return;
    m_results = std::move(now);
    if (m_onChange)
        m_onChange(m_results);
}

} // namespace ruvo::view
