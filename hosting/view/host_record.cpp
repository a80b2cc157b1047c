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

std::string fhirRecord(const HostResults& results, std::string_view subject) {
    const auto dating = datingOnView(results);
    return dating ? record::fhirRecord(*dating, subject) : std::string();
}

} // namespace ruvo::view
