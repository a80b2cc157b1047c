#include "record/fhir_record.h"

#include "dating/date_text.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <regex>
#include <set>
#include <stdexcept>

namespace ruvo::record {
namespace {

using nlohmann::json;

const Date edd = parseDate("2006-10-26");
const Date today = parseDate("2006-04-10");
const Date scan = parseDate("2006-04-06");

json recordOf(const Dating& dating, std::string_view subject = {}) {
    return json::parse(fhirRecord(dating, subject));
}

const json& resource(const json& bundle, std::size_t entry) {
    return bundle.at("entry").at(entry).at("resource");
}

std::string codeOf(const json& observation) {
    return observation.at("code").at("coding").at(0).at("code");
}

// The entry a reference names, by its fullUrl.
const json& referenced(const json& bundle, const json& reference) {
    for (const json& entry : bundle.at("entry"))
        if (entry.at("fullUrl") == reference.at("reference"))
            return entry.at("resource");
    throw std::out_of_range("no entry is " + reference.dump());
}

TEST(FhirRecord, LmpDatingIsTheEddDerivedFromTheLmp) {
    const json bundle = recordOf({edd, today, LastMenstrualPeriod{parseDate("2006-01-19")}, {}});
    EXPECT_EQ(bundle.at("resourceType"), "Bundle");
    EXPECT_EQ(bundle.at("type"), "collection");
    ASSERT_EQ(bundle.at("entry").size(), 2u);
    const json& eddObservation = resource(bundle, 0);
    EXPECT_EQ(codeOf(eddObservation), "11779-6");
    EXPECT_EQ(eddObservation.at("status"), "final");
    EXPECT_EQ(eddObservation.at("valueDateTime"), "2006-10-26");
    EXPECT_EQ(eddObservation.at("effectiveDateTime"), "2006-04-10");
    EXPECT_FALSE(eddObservation.contains("method")); // the LMP code says how already
    const json& lmp = referenced(bundle, eddObservation.at("derivedFrom").at(0));
    EXPECT_EQ(codeOf(lmp), "8665-2");
    EXPECT_EQ(lmp.at("valueDateTime"), "2006-01-19");
}

TEST(FhirRecord, ScanDatingNamesTheUltrasoundAndTheMeasurementOnTheScansDay) {
    const struct {
        Measurement measurement;
        const char* code;
    } cases[] = {{Measurement::CrownRumpLength, "11957-8"},
                 {Measurement::BiparietalDiameter, "11820-8"},
                 {Measurement::HeadCircumference, "11984-2"}};
    for (const auto& [measurement, code] : cases) {
        const json bundle = recordOf({edd, today, ScanMeasurement{measurement, 45, scan}, {}});
        const json& eddObservation = resource(bundle, 0);
        EXPECT_EQ(codeOf(eddObservation), "11778-8");
        EXPECT_EQ(eddObservation.at("method").at("coding").at(0).at("code"), "16310003");
        const json& measured = referenced(bundle, eddObservation.at("derivedFrom").at(0));
        EXPECT_EQ(codeOf(measured), code);
        EXPECT_EQ(measured.at("effectiveDateTime"), "2006-04-06");
        EXPECT_EQ(measured.at("valueQuantity"),
                  json::parse(R"({"value": 45, "unit": "mm", "system": "http://unitsofmeasure.org",
                                  "code": "mm"})"));
    }
    const json read = recordOf({edd, today, ScanGestation{87, scan}, {}});
    const json& gestation = referenced(read, resource(read, 0).at("derivedFrom").at(0));
    EXPECT_EQ(codeOf(gestation), "11888-5");
    EXPECT_EQ(gestation.at("valueQuantity").at("value"), 87);
    EXPECT_EQ(gestation.at("valueQuantity").at("code"), "d");
}

TEST(FhirRecord, AnEddGivenAsItStandsHasNoMethodAndTheBirthIsDerivedFromIt) {
    const json bundle =
        recordOf({edd, today, std::monostate{}, BirthGestation{parseDate("2006-10-20"), 274}});
    ASSERT_EQ(bundle.at("entry").size(), 2u);
    const json& eddObservation = resource(bundle, 0);
    EXPECT_EQ(codeOf(eddObservation), "11778-8");
    EXPECT_FALSE(eddObservation.contains("method"));
    EXPECT_FALSE(eddObservation.contains("derivedFrom"));
    const json& birth = resource(bundle, 1);
    EXPECT_EQ(codeOf(birth), "11884-4");
    EXPECT_EQ(birth.at("effectiveDateTime"), "2006-10-20");
    EXPECT_EQ(birth.at("valueQuantity").at("value"), 274);
    EXPECT_EQ(&referenced(bundle, birth.at("derivedFrom").at(0)), &eddObservation);
}

TEST(FhirRecord, EveryObservationNamesTheSubjectAndNothingElseOfThePatient) {
    const Dating dating{edd, today, LastMenstrualPeriod{parseDate("2006-01-19")},
                        BirthGestation{edd, 280}};
    const json bundle = recordOf(dating, " Patient/123 ");
    ASSERT_EQ(bundle.at("entry").size(), 3u);
    std::set<std::string> urls;
    const std::regex uuid("urn:uuid:[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-"
                          "[0-9a-f]{12}");
    for (const json& entry : bundle.at("entry")) {
        EXPECT_EQ(entry.at("resource").at("subject"),
                  json::parse(R"({"reference":"Patient/123"})"));
        EXPECT_TRUE(std::regex_match(entry.at("fullUrl").get<std::string>(), uuid));
        urls.insert(entry.at("fullUrl"));
    }
    EXPECT_EQ(urls.size(), 3u);
    const json anonymous = recordOf(dating, " \t");
    for (const json& entry : anonymous.at("entry"))
        EXPECT_FALSE(entry.at("resource").contains("subject"));
    EXPECT_THROW(fhirRecord(dating, "Patient/1 2"), std::invalid_argument);
    EXPECT_THROW(fhirRecord(dating, "Patient/1\n\"x\""), std::invalid_argument);
}

} // namespace
} // namespace ruvo::record
