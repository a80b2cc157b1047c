#pragma once

#include "dating/biometry.h"
#include "dating/date.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace ruvo::record {

// The first day of the last menstrual period the EDD was counted from.
struct LastMenstrualPeriod {
    Date start;
    friend bool operator==(const LastMenstrualPeriod&, const LastMenstrualPeriod&) = default;
};

// One fetal measurement on a scan, in millimetres.
struct ScanMeasurement {
    Measurement measurement;
    double millimetres;
    Date scan;
    friend bool operator==(const ScanMeasurement&, const ScanMeasurement&) = default;
};

// The gestation read off a scan, in whole days.
struct ScanGestation {
    int days;
    Date scan;
    friend bool operator==(const ScanGestation&, const ScanGestation&) = default;
};

// What an EDD came from; nothing where it was given as it stands.
using EddSource = std::variant<std::monostate, LastMenstrualPeriod, ScanMeasurement, ScanGestation>;

// The gestation on the date of birth, the EDD being day 280.
struct BirthGestation {
    Date dateOfBirth;
    int days;
    friend bool operator==(const BirthGestation&, const BirthGestation&) = default;
};

// One pregnancy's dating as a host records it.
struct Dating {
    Date edd;
    Date calculatedOn;
    EddSource source;
    std::optional<BirthGestation> birth;
};

// The reference a subject gives, without the white space around it; empty for none. Fails with
// std::invalid_argument for one that is no reference: white space or a control character inside.
std::string subjectReference(std::string_view subject);

// The dating as a FHIR R4 Bundle of type collection, in JSON: the EDD Observation, the
// Observation it was derived from, and the gestation at birth once there is one. Each
// Observation names the subject when one is given, a reference such as "Patient/123"; the record
// holds nothing else about the patient. Entries are named by fresh urn:uuid URLs, so two records
// of one dating differ only in those. Fails with std::invalid_argument for a subject that is no
// reference (empty after trimming is no subject).
std::string fhirRecord(const Dating&, std::string_view subject = {});

} // namespace ruvo::record
