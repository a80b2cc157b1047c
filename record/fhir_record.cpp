#include "record/fhir_record.h"

#include "dating/date_text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <stdexcept>

namespace ruvo::record {

namespace {

using json = nlohmann::ordered_json;

struct Code {
    std::string_view system;
    std::string_view code;
    std::string_view display;
};

constexpr std::string_view loinc = "http://loinc.org";
constexpr std::string_view snomed = "http://snomed.info/sct";
constexpr std::string_view ucum = "http://unitsofmeasure.org";

// Each code with the display its source gives it.
// LOINC 11778-8 and 11779-6: the International Patient Summary's value set of EDD methods
// (http://hl7.org/fhir/uv/ips/ValueSet/edd-method-uv-ips).
constexpr Code eddEstimated{loinc, "11778-8", "Delivery date Estimated"};
constexpr Code eddFromLastMenstrualPeriod{loinc, "11779-6",
                                          "Delivery date Estimated from last menstrual period"};
// LOINC 8665-2: FHIR R4's example Observation "date-lastmp".
constexpr Code lastMenstrualPeriodStart{loinc, "8665-2", "Last menstrual period start date"};
// SNOMED CT 16310003 and the three fetal ultrasound measurements: FHIR's value set of methods of
// measuring gestational age (hspc-gestagemeasmethdev); LOINC's displays, and SNOMED CT's fully
// specified name "Diagnostic ultrasonography (procedure)" without its tag.
constexpr Code ultrasonography{snomed, "16310003", "Diagnostic ultrasonography"};
constexpr Code crownRumpLength{loinc, "11957-8", "Fetal Crown Rump length US"};
constexpr Code biparietalDiameter{loinc, "11820-8", "Fetal Head Diameter.biparietal US"};
constexpr Code headCircumference{loinc, "11984-2", "Fetal Head Circumference US"};
// LOINC 11884-4 and 11888-5: components "Gestational age" (LP19507-0), as the HL7 Europe Patient
// Summary's value set gestational-age-loinc lists them.
constexpr Code gestationalAgeEstimated{loinc, "11884-4", "Gestational age Estimated"};
constexpr Code gestationalAgeByUltrasound{loinc, "11888-5",
                                          "Gestational age US composite estimate"};

json codeableConcept(const Code& code) {
    return {
        {"coding",
         json::array({{{"system", code.system}, {"code", code.code}, {"display", code.display}}})}};
}

// Whole numbers are written without a fraction: 45 mm, not 45.0.
json quantity(double value, std::string_view unit, std::string_view ucumCode) {
    const json number = value == static_cast<double>(static_cast<std::int64_t>(value))
                            ? json(static_cast<std::int64_t>(value))
                            : json(value);
    return {{"value", number}, {"unit", unit}, {"system", ucum}, {"code", ucumCode}};
}

const Code& measurementCode(Measurement measurement) {
    switch (measurement) {
    case Measurement::CrownRumpLength:
        return crownRumpLength;
    case Measurement::BiparietalDiameter:
        return biparietalDiameter;
    case Measurement::HeadCircumference:
        break;
    }
    return headCircumference;
}

// A version 4 UUID: a collection's entries refer to each other by these.
std::string freshUrn() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    std::array<std::uint8_t, 16> bytes;
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        const std::uint64_t word = random();
        for (std::size_t j = 0; j < 8; ++j)
            bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    constexpr std::string_view hex = "0123456789abcdef";
    std::string urn = "urn:uuid:";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            urn += '-';
        urn += hex[bytes[i] >> 4];
        urn += hex[bytes[i] & 0x0F];
    }
    return urn;
}

} // namespace

std::string subjectReference(std::string_view subject) {
    constexpr std::string_view blank = " \t\r\n";
    const auto first = subject.find_first_not_of(blank);
    if (first == std::string_view::npos)
        return {};
    subject = subject.substr(first, subject.find_last_not_of(blank) - first + 1);
    if (std::any_of(subject.begin(), subject.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7F'; }))
        throw std::invalid_argument("the subject must be a reference such as Patient/123");
    return std::string(subject);
}

namespace {

class Bundle {
  public:
    explicit Bundle(std::string subject) : m_subject(std::move(subject)) {}

    // Adds an Observation of that code and date, with its value and references.
    void add(const std::string& url, const Code& code, Date effective, json fields) {
        json observation = {
            {"resourceType", "Observation"}, {"status", "final"}, {"code", codeableConcept(code)}};
        if (!m_subject.empty())
            observation["subject"] = {{"reference", m_subject}};
        observation["effectiveDateTime"] = isoDate(effective);
        observation.update(fields);
        m_entries.push_back({{"fullUrl", url}, {"resource", std::move(observation)}});
    }

    std::string text() const {
        return json{{"resourceType", "Bundle"}, {"type", "collection"}, {"entry", m_entries}}.dump(
            2);
    }

  private:
    std::string m_subject;
    json m_entries = json::array();
};

json derivedFrom(const std::string& url) {
    return json::array({{{"reference", url}}});
}

} // namespace

// The EDD comes first, then what it was derived from, then the gestation at birth.
std::string fhirRecord(const Dating& dating, std::string_view subject) {
    Bundle bundle(subjectReference(subject));
    const std::string eddUrl = freshUrn();
    const std::string sourceUrl = freshUrn();
    json edd = {{"valueDateTime", isoDate(dating.edd)}};
    if (std::holds_alternative<LastMenstrualPeriod>(dating.source)) {
        edd["derivedFrom"] = derivedFrom(sourceUrl);
        bundle.add(eddUrl, eddFromLastMenstrualPeriod, dating.calculatedOn, edd);
    } else {
        if (!std::holds_alternative<std::monostate>(dating.source)) {
            edd["method"] = codeableConcept(ultrasonography);
            edd["derivedFrom"] = derivedFrom(sourceUrl);
        }
        bundle.add(eddUrl, eddEstimated, dating.calculatedOn, edd);
    }
    if (const auto* lmp = std::get_if<LastMenstrualPeriod>(&dating.source))
        bundle.add(sourceUrl, lastMenstrualPeriodStart, dating.calculatedOn,
                   {{"valueDateTime", isoDate(lmp->start)}});
    else if (const auto* measured = std::get_if<ScanMeasurement>(&dating.source))
        bundle.add(sourceUrl, measurementCode(measured->measurement), measured->scan,
                   {{"valueQuantity", quantity(measured->millimetres, "mm", "mm")}});
    else if (const auto* read = std::get_if<ScanGestation>(&dating.source))
        bundle.add(sourceUrl, gestationalAgeByUltrasound, read->scan,
                   {{"valueQuantity", quantity(read->days, "days", "d")}});
    if (dating.birth)
        bundle.add(freshUrn(), gestationalAgeEstimated, dating.birth->dateOfBirth,
                   {{"valueQuantity", quantity(dating.birth->days, "days", "d")},
                    {"derivedFrom", derivedFrom(eddUrl)}});
    return bundle.text();
}

} // namespace ruvo::record
