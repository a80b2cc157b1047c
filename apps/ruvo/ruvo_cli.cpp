#include "apps/ruvo/ruvo_cli.h"

#include "apps/ruvo/drive.h"

#include "dating/clock.h"

#include "dating/biometry.h"
#include "dating/date_text.h"
#include "dating/due_date.h"
#include "dating/gestation_at_birth.h"
#include "dating/numbers.h"
#include "host/runtime_error.h"
#include "host/value_text.h"
#include "record/fhir_record.h"

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace ruvo {

namespace {

constexpr std::string_view usage = R"(Usage:
  ruvo datenice DATE
      The display form of a date: ruvo datenice 2006-10-26 prints 26 October 2006.
  ruvo edd --lmp DATE [RECORD]
      The EDD from the first day of the last menstrual period.
  ruvo edd --scan DATE (--crl MM | --bpd MM | --hc MM | --weeks W --days D) [RECORD]
      The EDD from an ultrasound scan on DATE, with one fetal measurement in millimetres
      (crown rump length 10 to 80, biparietal diameter 20 to 55, head circumference 75 to
      195 in steps of 5) or the gestation read off the scan (weeks 7 to 22, days 0 to 6).
  ruvo gestation --edd DATE --dob DATE [RECORD]
  ruvo gestation --edd DATE --on DATE
      The gestation at birth, or on any day, in weeks and days, counting the EDD as 40 weeks
      0 days.
  RECORD is --fhir [--subject REF] [--today DATE]: instead of the text, the FHIR R4 record
      (a Bundle in JSON) of the dating: the EDD and what it came from, or the EDD and the
      gestation at birth; its Observations name the subject REF (Patient/123) if given, and
      date the calculation today, or on --today.
  ruvo drive [--today DATE]
      Creates one control and drives it with commands read from standard input, one a
      line: click NAME, pick NAME ITEM, tick NAME, get NAME.PROPERTY, field NAME,
      call datenice DATE, trace on|off. Widget names are the control's own (OptUS,
      DDLSDateM, ComCalcEDD, ...). A refused command prints a line "error: ...".
  ruvo --help
      This text.

DATE is written as 6 April 2006 (one argument, quoted) or 2006-04-06.
Answers go to standard output; a refused command prints one line to standard error (with
any control character of the input escaped, as \n) and exits with status 2.
)";

// A command line that asks for something ruvo does not do.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The --name value pairs of a command, each allowed once.
class Options {
  public:
    // A flag of flags takes no value; it reads as "" when given.
    Options(std::span<const std::string_view> arguments,
            std::initializer_list<std::string_view> known,
            std::initializer_list<std::string_view> flags = {}) {
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            std::string_view argument = arguments[i];
            std::string_view name = argument;
            std::optional<std::string_view> value;
            if (auto equals = argument.find('='); equals != std::string_view::npos) {
                name = argument.substr(0, equals);
                value = argument.substr(equals + 1);
            }
            if (!name.starts_with("--") ||
                std::find(known.begin(), known.end(), name.substr(2)) == known.end())
                throw UsageError("unknown option " + escapedText(argument) + " (see ruvo --help)");
            const bool flag = std::find(flags.begin(), flags.end(), name.substr(2)) != flags.end();
            if (flag && value)
                throw UsageError(escapedText(name) + " takes no value");
            if (flag) {
                value = std::string_view();
            } else if (!value) {
                if (i + 1 == arguments.size())
                    throw UsageError(escapedText(name) + " needs a value");
                value = arguments[++i];
            }
            if (!m_values.emplace(std::string(name.substr(2)), *value).second)
                throw UsageError(escapedText(name) + " is given twice");
        }
    }

    std::optional<std::string_view> get(const std::string& name) const {
        auto found = m_values.find(name);
        return found == m_values.end() ? std::nullopt : std::optional(found->second);
    }

    std::string_view require(const std::string& name) const {
        if (auto value = get(name))
            return *value;
        throw UsageError("--" + name + " is missing (see ruvo --help)");
    }

  private:
    std::map<std::string, std::string_view, std::less<>> m_values;
};

// The value as the control's list would hold it: exactly one of the range's items.
double listValue(std::string_view option, std::string_view text, ValueRange range,
                 std::string_view unit) {
    const auto items = itemsOf(range);
    if (std::find(items.begin(), items.end(), text) == items.end()) {
        std::string message = "--" + std::string(option) + " takes " + std::string(unit) +
                              " from " + integerText(range.first) + " to " +
                              integerText(range.last);
        if (range.step != 1)
            message += " in steps of " + integerText(range.step);
        throw UsageError(message + ", not " + quotedText(text));
    }
    return parseNumber(text);
}

std::string runDatenice(std::span<const std::string_view> arguments) {
    if (arguments.size() != 1)
        throw UsageError("datenice takes one date (see ruvo --help)");
    return datenice(parseDate(arguments[0]));
}

// An EDD and what it came from.
struct EddAnswer {
    Date edd;
    record::EddSource source;
};

// The record of a dating when --fhir asks for it, else nothing.
std::optional<std::string> recordAsked(const Options& options, Date edd, record::EddSource source,
                                       std::optional<record::BirthGestation> birth = {}) {
    if (!options.get("fhir")) {
        if (options.get("subject") || options.get("today"))
            throw UsageError("--subject and --today go with --fhir");
        return std::nullopt;
    }
    const auto today = options.get("today");
    const Date calculatedOn = today ? parseDate(*today) : SystemClock().today();
    return record::fhirRecord({edd, calculatedOn, std::move(source), birth},
                              options.get("subject").value_or(""));
}

EddAnswer scanGestationEdd(const Options& options) {
    struct MeasurementOption {
        std::string_view name;
        Measurement measurement;
    };
    static constexpr MeasurementOption measurements[] = {
        {"crl", Measurement::CrownRumpLength},
        {"bpd", Measurement::BiparietalDiameter},
        {"hc", Measurement::HeadCircumference},
    };
    const Date scan = parseDate(options.require("scan"));
    std::optional<ScanData> data;
    record::EddSource source;
    std::size_t given = 1;
    for (const auto& [name, measurement] : measurements) {
        if (auto text = options.get(std::string(name))) {
            const double millimetres =
                listValue(name, *text, measurementRange(measurement), "whole millimetres");
            data = FetalMeasurement{measurement, millimetres};
            source = record::ScanMeasurement{measurement, millimetres, scan};
            ++given;
        }
    }
    if (options.get("weeks") || options.get("days")) {
        const double weeks = listValue("weeks", options.require("weeks"), scanWeeksRange, "weeks");
        const double days = listValue("days", options.require("days"), scanDaysRange, "days");
        data = DerivedGestation{weeks, days};
        source = record::ScanGestation{static_cast<int>(derivedGestationDays(weeks, days)), scan};
        given += 2;
    }
    if (!data || given != (options.get("weeks") ? 3u : 2u))
        throw UsageError(
            "edd --scan needs exactly one of --crl, --bpd, --hc or --weeks with --days");
    return {ScanDating(*data).edd(scan), source};
}

std::string runEdd(std::span<const std::string_view> arguments) {
    const Options options(
        arguments, {"lmp", "scan", "crl", "bpd", "hc", "weeks", "days", "fhir", "subject", "today"},
        {"fhir"});
    EddAnswer answer;
    if (auto lmp = options.get("lmp")) {
        if (options.get("scan") || options.get("crl") || options.get("bpd") || options.get("hc") ||
            options.get("weeks") || options.get("days"))
            throw UsageError("edd --lmp takes no scan option");
        const Date start = parseDate(*lmp);
        answer = {eddFromLmp(start), record::LastMenstrualPeriod{start}};
    } else if (options.get("scan")) {
        answer = scanGestationEdd(options);
    } else {
        throw UsageError("edd needs --lmp DATE or --scan DATE (see ruvo --help)");
    }
    return recordAsked(options, answer.edd, answer.source).value_or(datenice(answer.edd));
}

std::string runGestation(std::span<const std::string_view> arguments) {
    const Options options(arguments, {"edd", "dob", "on", "fhir", "subject", "today"}, {"fhir"});
    const Date edd = parseDate(options.require("edd"));
    // The gestation on a visit's day counts as it does on a date of birth.
    const auto on = options.get("on");
    if (on && options.get("dob"))
        throw UsageError("gestation takes --dob or --on, not both");
    if (on && options.get("fhir"))
        throw UsageError("--fhir records the gestation at birth: give --dob, not --on");
    const Date day = parseDate(on ? *on : options.require("dob"));
    const GestationAtBirth gestation = gestationAtBirth(edd, day);
    return recordAsked(options, edd, std::monostate{},
                       record::BirthGestation{day, gestation.totalDays})
        .value_or(gestationCaption(gestation));
}

} // namespace

int runRuvo(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
            std::ostream& err) {
    if (arguments.empty()) {
        err << "ruvo: no command given (see ruvo --help)\n";
        return 2;
    }
    const std::string_view command = arguments.front();
    const auto rest = arguments.subspan(1);
    try {
        std::string answer;
        if (command == "--help" || command == "-h" || command == "help") {
            out << usage;
            return 0;
        } else if (command == "drive") {
            return runDrive(rest, in, out, err);
        } else if (command == "datenice") {
            answer = runDatenice(rest);
        } else if (command == "edd") {
            answer = runEdd(rest);
        } else if (command == "gestation") {
            answer = runGestation(rest);
        } else {
            throw UsageError("unknown command " + quotedText(command) + " (see ruvo --help)");
        }
        out << answer << '\n';
        return 0;
    } catch (const std::exception& error) {
        err << "ruvo: " << error.what() << '\n';
        return 2;
    }
}

} // namespace ruvo
