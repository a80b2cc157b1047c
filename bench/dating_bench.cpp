// Each benchmark runs beside what a host would otherwise call for the same job, in the same
// process, so the figures read as ratios: compare BM_X with BM_X_Reference.
#include "dating/biometry.h"
#include "dating/date_text.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double unixEpochDay = 25569;

// A run of consecutive days from 1 January 2006, so no branch predictor learns one date.
std::vector<double> sampleDates() {
    std::vector<double> dates;
    for (int i = 0; i < 1024; ++i)
        dates.push_back(38718 + i * 7);
    return dates;
}

std::tm tmOf(double date) {
    const auto seconds = static_cast<std::time_t>((date - unixEpochDay) * 86400);
    std::tm civil{};
    gmtime_r(&seconds, &civil);
    return civil;
}

void BM_Datenice(benchmark::State& state) {
    const auto dates = sampleDates();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ruvo::datenice(dates[i++ & 1023]));
}
BENCHMARK(BM_Datenice);

// strftime with "%e %B %Y", then the space that %e puts before a one-digit day trimmed.
void BM_Datenice_Reference_Strftime(benchmark::State& state) {
    const auto dates = sampleDates();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::tm civil = tmOf(dates[i++ & 1023]);
        char buffer[64];
        const std::size_t length = std::strftime(buffer, sizeof buffer, "%e %B %Y", &civil);
        std::string text(buffer, length);
        text.erase(0, text.find_first_not_of(' '));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_Datenice_Reference_Strftime);

void BM_Datenice_Reference_PutTime(benchmark::State& state) {
    const auto dates = sampleDates();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::tm civil = tmOf(dates[i++ & 1023]);
        std::ostringstream stream;
        stream << civil.tm_mday << ' ' << std::put_time(&civil, "%B %Y");
        benchmark::DoNotOptimize(stream.str());
    }
}
BENCHMARK(BM_Datenice_Reference_PutTime);

std::vector<std::string> sampleTexts() {
    std::vector<std::string> texts;
    for (double date : sampleDates())
        texts.push_back(ruvo::datenice(date));
    return texts;
}

void BM_ParseDate(benchmark::State& state) {
    const auto texts = sampleTexts();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ruvo::parseDate(texts[i++ & 1023]));
}
BENCHMARK(BM_ParseDate);

void BM_ParseDate_Reference_GetTime(benchmark::State& state) {
    const auto texts = sampleTexts();
    std::size_t i = 0;
    for (auto _ : state) {
        std::istringstream stream(texts[i++ & 1023]);
        std::tm civil{};
        stream >> std::get_time(&civil, "%d %B %Y");
        benchmark::DoNotOptimize(static_cast<double>(timegm(&civil)) / 86400.0 + unixEpochDay);
    }
}
BENCHMARK(BM_ParseDate_Reference_GetTime);

void BM_ParseDate_Reference_Strptime(benchmark::State& state) {
    const auto texts = sampleTexts();
    std::size_t i = 0;
    for (auto _ : state) {
        std::tm civil{};
        strptime(texts[i++ & 1023].c_str(), "%d %B %Y", &civil);
        benchmark::DoNotOptimize(static_cast<double>(timegm(&civil)) / 86400.0 + unixEpochDay);
    }
}
BENCHMARK(BM_ParseDate_Reference_Strptime);

// The formulas with their finite checks on every step and their error paths, beside the same
// operations bare, as a host would write them inline. The same operations: HC³ is pow(HC, 3), as
// the formula needs for its exact result (HC·HC·HC rounds twice and costs a third of it).
void BM_HeadCircumference(benchmark::State& state) {
    double hc = 75;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ruvo::headCircumferenceGestationDays(hc));
        hc = hc >= 195 ? 75 : hc + 5;
    }
}
BENCHMARK(BM_HeadCircumference);

void BM_HeadCircumference_Reference_Bare(benchmark::State& state) {
    double hc = 75;
    for (auto _ : state) {
        benchmark::DoNotOptimize(7 * std::exp(hc * 0.010611 - std::pow(hc, 2.0) * 0.000030321 +
                                              std::pow(hc, 3.0) * 0.000000043498 + 1.848));
        hc = hc >= 195 ? 75 : hc + 5;
    }
}
BENCHMARK(BM_HeadCircumference_Reference_Bare);

void BM_CrownRumpLength(benchmark::State& state) {
    double crl = 10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ruvo::crownRumpLengthGestationDays(crl));
        crl = crl >= 80 ? 10 : crl + 1;
    }
}
BENCHMARK(BM_CrownRumpLength);

void BM_CrownRumpLength_Reference_Bare(benchmark::State& state) {
    double crl = 10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::sqrt(crl) * 8.052 + 23.75);
        crl = crl >= 80 ? 10 : crl + 1;
    }
}
BENCHMARK(BM_CrownRumpLength_Reference_Bare);

} // namespace

int main(int argc, char** argv) {
    std::locale::global(std::locale::classic());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
