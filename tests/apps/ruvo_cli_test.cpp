#include "apps/ruvo/ruvo_cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ruvo {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string_view> arguments) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = runRuvo(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

void expectAnswer(std::vector<std::string_view> arguments, const std::string& answer) {
    const Outcome outcome = run(arguments);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, answer + "\n");
    EXPECT_EQ(outcome.err, "");
}

// A refusal is one line on standard error, nothing on standard output and status 2.
void expectRefusal(std::vector<std::string_view> arguments, const std::string& reason) {
    const Outcome outcome = run(arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "ruvo: " + reason + "\n");
}

TEST(RuvoCli, Datenice) {
    expectAnswer({"datenice", "2006-10-26"}, "26 October 2006");
    expectAnswer({"datenice", "1 January 2007"}, "1 January 2007");
}

TEST(RuvoCli, EddFromTheLastMenstrualPeriod) {
    expectAnswer({"edd", "--lmp", "2006-01-01"}, "8 October 2006");
    expectAnswer({"edd", "--lmp=1 June 2007"}, "7 March 2008");
}

TEST(RuvoCli, EddFromAScan) {
    expectAnswer({"edd", "--scan", "2006-04-06", "--crl", "45"}, "26 October 2006");
    expectAnswer({"edd", "--crl", "80", "--scan", "6 April 2006"}, "8 October 2006");
    expectAnswer({"edd", "--scan", "2006-04-06", "--bpd", "40"}, "10 September 2006");
    expectAnswer({"edd", "--scan", "2006-04-06", "--hc", "150"}, "6 September 2006");
    expectAnswer({"edd", "--scan", "2006-04-06", "--weeks", "12", "--days", "3"},
                 "16 October 2006");
}

TEST(RuvoCli, AcceptsExactlyTheValuesTheListsOffer) {
    expectAnswer({"edd", "--scan", "2006-04-06", "--crl", "10"}, "23 November 2006");
    expectAnswer({"edd", "--scan", "2006-04-06", "--hc", "195"}, "11 August 2006");
    expectRefusal({"edd", "--scan", "2006-04-06", "--crl", "81"},
                  "--crl takes whole millimetres from 10 to 80, not \"81\"");
    expectRefusal({"edd", "--scan", "2006-04-06", "--crl", "45.0"},
                  "--crl takes whole millimetres from 10 to 80, not \"45.0\"");
    expectRefusal({"edd", "--scan", "2006-04-06", "--hc", "77"},
                  "--hc takes whole millimetres from 75 to 195 in steps of 5, not \"77\"");
    expectRefusal({"edd", "--scan", "2006-04-06", "--bpd", "19"},
                  "--bpd takes whole millimetres from 20 to 55, not \"19\"");
    expectRefusal({"edd", "--scan", "2006-04-06", "--weeks", "23", "--days", "0"},
                  "--weeks takes weeks from 7 to 22, not \"23\"");
    expectRefusal({"edd", "--scan", "2006-04-06", "--weeks", "12", "--days", "7"},
                  "--days takes days from 0 to 6, not \"7\"");
}

TEST(RuvoCli, GestationAtBirth) {
    expectAnswer({"gestation", "--edd", "2006-10-26", "--dob", "2006-10-20"}, "39 weeks 1 days");
    expectAnswer({"gestation", "--dob", "2 November 2006", "--edd", "26 October 2006"},
                 "41 weeks 0 days");
    expectRefusal({"gestation", "--edd", "2006-10-26", "--dob", "2005-12-01"},
                  "date of birth is before the start of the pregnancy");
}

// A visit's day counts as a date of birth does, before and after the EDD.
TEST(RuvoCli, GestationOnAnyDay) {
    expectAnswer({"gestation", "--edd", "2006-10-26", "--on", "2006-09-04"}, "32 weeks 4 days");
    expectAnswer({"gestation", "--on", "2006-10-27", "--edd", "2006-10-26"}, "40 weeks 1 days");
    expectRefusal({"gestation", "--edd", "2006-10-26", "--on", "2006-01-18"},
                  "date of birth is before the start of the pregnancy");
    expectRefusal({"gestation", "--edd", "2006-10-26", "--on", "2006-09-02", "--dob", "2006-10-20"},
                  "gestation takes --dob or --on, not both");
}

// The record's own shape is the record's tests'; here, that the command line fills it in.
TEST(RuvoCli, PrintsTheRecordOfTheDating) {
    const Outcome scan = run({"edd", "--scan", "2006-04-06", "--weeks", "12", "--days", "3",
                              "--fhir", "--today", "2006-04-10", "--subject", "Patient/7"});
    ASSERT_EQ(scan.status, 0) << scan.err;
    for (const char* part :
         {R"("valueDateTime": "2006-10-16")", R"("effectiveDateTime": "2006-04-10")",
          R"("effectiveDateTime": "2006-04-06")", R"("value": 87)", R"("code": "11888-5")",
          R"("reference": "Patient/7")"})
        EXPECT_NE(scan.out.find(part), std::string::npos) << part << " in " << scan.out;
    const Outcome birth = run({"gestation", "--edd", "2006-10-26", "--dob", "2006-10-20", "--fhir",
                               "--today", "2006-10-20"});
    ASSERT_EQ(birth.status, 0) << birth.err;
    EXPECT_NE(birth.out.find(R"("value": 274)"), std::string::npos) << birth.out;
    expectRefusal({"edd", "--lmp", "2006-01-01", "--fhir=yes"}, "--fhir takes no value");
    expectRefusal({"edd", "--lmp", "2006-01-01", "--subject", "Patient/7"},
                  "--subject and --today go with --fhir");
    expectRefusal({"edd", "--lmp", "2006-01-01", "--fhir", "--subject", "Patient 7"},
                  "the subject must be a reference such as Patient/123");
    expectRefusal({"gestation", "--edd", "2006-10-26", "--on", "2006-09-04", "--fhir"},
                  "--fhir records the gestation at birth: give --dob, not --on");
}

TEST(RuvoCli, RefusesMalformedCommands) {
    expectRefusal({}, "no command given (see ruvo --help)");
    expectRefusal({"due"}, "unknown command \"due\" (see ruvo --help)");
    expectRefusal({"datenice"}, "datenice takes one date (see ruvo --help)");
    expectRefusal({"datenice", "31 February 2006"}, "\"31 February 2006\" is not a date");
    expectRefusal({"edd", "--lmp"}, "--lmp needs a value");
    expectRefusal({"edd", "--lmp", "2006-01-01", "--lmp", "2006-01-02"}, "--lmp is given twice");
    expectRefusal({"edd", "--when", "2006-01-01"}, "unknown option --when (see ruvo --help)");
    expectRefusal({"edd", "2006-01-01"}, "unknown option 2006-01-01 (see ruvo --help)");
    expectRefusal({"edd"}, "edd needs --lmp DATE or --scan DATE (see ruvo --help)");
    expectRefusal({"edd", "--lmp", "2006-01-01", "--crl", "45"}, "edd --lmp takes no scan option");
    expectRefusal({"edd", "--scan", "2006-04-06"},
                  "edd --scan needs exactly one of --crl, --bpd, --hc or --weeks with --days");
    expectRefusal({"edd", "--scan", "2006-04-06", "--crl", "45", "--bpd", "40"},
                  "edd --scan needs exactly one of --crl, --bpd, --hc or --weeks with --days");
    expectRefusal({"edd", "--scan", "2006-04-06", "--weeks", "12"},
                  "--days is missing (see ruvo --help)");
    expectRefusal({"gestation", "--edd", "2006-10-26"}, "--dob is missing (see ruvo --help)");
    expectRefusal({"edd", "--lmp", "9999-12-01"},
                  "adding 280 days leaves 1 January 100 to 31 December 9999");
}

// Whatever the argument holds, a refusal stays one line, its control characters escaped.
TEST(RuvoCli, ARefusalIsOneLineWhateverTheInput) {
    using namespace std::string_view_literals;
    expectRefusal({"datenice", "a\nb\nc"}, "\"a\\nb\\nc\" is not a date");
    expectRefusal({"datenice", "6 April\0 2006"sv}, "\"6 April\\0 2006\" is not a date");
    expectRefusal({"edd", "--lm\x1bp", "2006-01-01"},
                  "unknown option --lm\\x1bp (see ruvo --help)");
    expectRefusal({"edd", "--scan", "2006-04-06", "--crl", "4\r5"},
                  "--crl takes whole millimetres from 10 to 80, not \"4\\r5\"");
    expectRefusal({"due\n"}, "unknown command \"due\\n\" (see ruvo --help)");
}

TEST(RuvoCli, DriveRefusesBadArguments) {
    expectRefusal({"drive", "--today", "31 February 2006"},
                  "--today: \"31 February 2006\" is not a date");
    expectRefusal({"drive", "--yesterday"}, "drive takes only --today DATE (see ruvo --help)");
}

TEST(RuvoCli, DriveReadsCommandsUntilTheEnd) {
    std::istringstream in("# a comment\n\nget DDVal.Text\nclick Nothing\nfield EDDDate\r\n");
    std::ostringstream out, err;
    const std::vector<std::string_view> arguments = {"drive", "--today", "2006-12-07"};
    EXPECT_EQ(runRuvo(arguments, in, out, err), 0);
    EXPECT_EQ(out.str(), "37\nerror: no widget named \"Nothing\"\n2006-12-07\n");
    EXPECT_EQ(err.str(), "");
}

TEST(RuvoCli, HelpDocumentsEveryForm) {
    const Outcome outcome = run({"--help"});
    EXPECT_EQ(outcome.status, 0);
    for (const char* form :
         {"ruvo datenice DATE", "ruvo edd --lmp DATE", "--crl MM", "--bpd MM", "--hc MM",
          "--weeks W --days D", "ruvo gestation --edd DATE --dob DATE [RECORD]",
          "ruvo gestation --edd DATE --on DATE", "--fhir [--subject REF] [--today DATE]"})
        EXPECT_NE(outcome.out.find(form), std::string::npos) << form;
}

} // namespace
} // namespace ruvo
