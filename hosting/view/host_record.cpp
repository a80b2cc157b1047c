#include "hosting/view/host_record.h"

namespace ruvo::view {

std::optional<record::Dating> datingOnView(const HostResults& results) {
    if (!results.edd || !results.calculatedOn)
        return std::nullopt;
    record::Dating dating{*results.edd, *results.calculatedOn, results.source, std::nullopt};
    if (results.gestationAtBirthDays && results.dateOfBirth)
        dating.birth = record::BirthGestation{*results.dateOfBirth, *results.gestationAtBirthDays};
    return dating;
}

// The subject is checked first: a host learns of a bad one before any EDD is on view.
std::string fhirRecord(const HostResults& results, std::string_view subject) {
    const std::string reference = record::subjectReference(subject);
    const auto dating = datingOnView(results);
    return dating ? record::fhirRecord(*dating, reference) : std::string();
}

} // namespace ruvo::view
