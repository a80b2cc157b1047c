#pragma once

#include "hosting/view/host_results.h"

#include <optional>
#include <string>
#include <string_view>

namespace ruvo::view {

// The dating on view as a host records it; nothing while no EDD is on view.
std::optional<record::Dating> datingOnView(const HostResults&);

// The FHIR R4 record of the dating on view (see record::fhirRecord), or an empty text while no
// EDD is on view. Fails with std::invalid_argument for a subject that is no reference, whether an
// EDD is on view or not.
std::string fhirRecord(const HostResults&, std::string_view subject = {});

} // namespace ruvo::view
