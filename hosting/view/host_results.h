#pragma once

#include "control/core/control_core.h"
#include "dating/gestation_at_birth.h"
#include "record/fhir_record.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ruvo::view {

// How the EDD on view was found.
enum class EddMethod { Lmp, CrownRumpLength, BiparietalDiameter, HeadCircumference, Derived };

// "lmp", "crl", "bpd", "hc" or "derived".
std::string_view methodKey(EddMethod);

// What the control shows a host can use: the EDD on view, how it was found and from which value,
// and the gestation at birth on view. Each is empty while its panel is hidden.
struct HostResults {
    std::optional<Date> edd;
    std::optional<EddMethod> method;
    // The value the method used: "45" (mm) for a measurement, "12 weeks 3 days" for a derived
    // gestation, the LMP date for the LMP.
    std::string methodValue;
    // The LMP, or the scan's date with its measurement or the gestation read off it.
    record::EddSource source;
    // Today when the EDD came on view.
    std::optional<Date> calculatedOn;
    std::optional<int> gestationAtBirthDays;
    std::optional<Date> dateOfBirth;
    friend bool operator==(const HostResults&, const HostResults&) = default;
};

// Any change of the inputs hides the results, so the selections on view are those they came from.
// Knows no calculatedOn: only a watcher sees the EDD come.
HostResults resultsOnView(const ControlCore&);

// The gestation on a day, the EDD on view being day 280, as "Calculate gestation" counts it for a
// date of birth: the question a clinic asks at each visit. Empty while no EDD is on view; a day
// before the pregnancy's start fails as such a date of birth does.
std::optional<GestationAtBirth> gestationOn(const HostResults&, Date day);

// Tells a front-end when the results on view change, once at the end of the run that changed
// them.
class ResultsWatcher final : private HostObserver {
  public:
    ResultsWatcher(ControlCore&, std::function<void(const HostResults&)> onChange);
    ~ResultsWatcher() override;
    ResultsWatcher(const ResultsWatcher&) = delete;
    ResultsWatcher& operator=(const ResultsWatcher&) = delete;

    const HostResults& results() const { return m_results; }

  private:
    void handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) override;

    ControlCore& m_control;
    std::function<void(const HostResults&)> m_onChange;
    HostResults m_results;
};

} // namespace ruvo::view
