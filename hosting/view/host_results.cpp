#include "hosting/view/host_results.h"

#include "dating/biometry.h"
#include "dating/date_text.h"
#include "dating/due_date.h"
#include "dating/numbers.h"

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

namespace {

EddMethod methodOf(Measurement measurement) {
    switch (measurement) {
    case Measurement::CrownRumpLength:
        return EddMethod::CrownRumpLength;
    case Measurement::BiparietalDiameter:
        return EddMethod::BiparietalDiameter;
    case Measurement::HeadCircumference:
        break;
    }
    return EddMethod::HeadCircumference;
}

} // namespace

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
    // The options in the order "Calculate EDD" reads them. The lists held a date and a number
    // when it did; should a host have changed them since, the source stays unknown.
    const auto listsDate = [&] {
        return dateFromPickers(s.DDLSDateD.text(), s.DDLSDateM.text(), s.DDLSDateY.text());
    };
    try {
        if (!s.OptUS.value()) {
            results.method = EddMethod::Lmp;
            results.methodValue =
                s.DDLSDateD.text() + " " + s.DDLSDateM.text() + " " + s.DDLSDateY.text();
            results.source = record::LastMenstrualPeriod{listsDate()};
        } else if (!s.OptFB.value()) {
            results.method = EddMethod::Derived;
            results.methodValue = s.DDUSW.text() + " weeks " + s.DDUSD.text() + " days";
            results.source = record::ScanGestation{
                static_cast<int>(
                    derivedGestationDays(parseNumber(s.DDUSW.text()), parseNumber(s.DDUSD.text()))),
                listsDate()};
        } else {
            const Measurement measurement = s.OptCRL.value()   ? Measurement::CrownRumpLength
                                            : s.OptBPD.value() ? Measurement::BiparietalDiameter
                                                               : Measurement::HeadCircumference;
            results.method = methodOf(measurement);
            results.methodValue = s.DDVal.text();
            results.source =
                record::ScanMeasurement{measurement, parseNumber(s.DDVal.text()), listsDate()};
        }
    } catch (const RuntimeError&) {
        results.source = std::monostate{};
    }
    if (s.FrameGest.visible()) {
        results.gestationAtBirthDays =
            termDays + static_cast<int>(control.state.DOBDate - control.state.EDDDate);
        results.dateOfBirth = control.state.DOBDate;
    }
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
    if (now.edd) {
        const bool sameDating = m_results.edd == now.edd && m_results.method == now.method &&
                                m_results.methodValue == now.methodValue;
        now.calculatedOn = sameDating ? m_results.calculatedOn : m_control.clock.today();
    }
    if (now == m_results)
        return;
    m_results = std::move(now);
    if (m_onChange)
        m_onChange(m_results);
}

} // namespace ruvo::view
