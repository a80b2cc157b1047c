#include "dating/date_text.h"

#include "host/runtime_error.h"
#include "host/value_text.h"

#include <algorithm>
#include <optional>

namespace ruvo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

// Reads between minDigits and maxDigits decimal digits at the front of text.
std::optional<int> takeNumber(std::string_view& text, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t length = 0;
    int value = 0;
    while (length < text.size() && isDigit(text[length])) {
        if (++length > maxDigits)
            return std::nullopt;
        value = value * 10 + (text[length - 1] - '0');
    }
    if (length < minDigits)
        return std::nullopt;
    text.remove_prefix(length);
    return value;
}

std::string_view takeWord(std::string_view& text) {
    std::size_t length = 0;
    while (length < text.size() && !isSpace(text[length]) && !isDigit(text[length]))
        ++length;
    auto word = text.substr(0, length);
    text.remove_prefix(length);
    return word;
}

bool skipSpaces(std::string_view& text) {
    std::size_t length = 0;
    while (length < text.size() && isSpace(text[length]))
        ++length;
    text.remove_prefix(length);
    return length > 0;
}

bool takeChar(std::string_view& text, char expected) {
    if (text.empty() || text.front() != expected)
        return false;
    text.remove_prefix(1);
    return true;
}

std::optional<int> monthNumber(std::string_view word) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < monthNames.size(); ++i) {
        if (std::equal(word.begin(), word.end(), monthNames[i].begin(), monthNames[i].end(),
                       [&](char a, char b) { return lower(a) == lower(b); }))
            return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

// "2006-04-06"
std::optional<CivilDate> parseIso(std::string_view text) {
    auto year = takeNumber(text, 4, 4);
    if (!year || !takeChar(text, '-'))
        return std::nullopt;
    auto month = takeNumber(text, 2, 2);
    if (!month || !takeChar(text, '-'))
        return std::nullopt;
    auto day = takeNumber(text, 2, 2);
    if (!day || !text.empty())
        return std::nullopt;
    return CivilDate{*year, *month, *day};
}

// "6 April 2006". Years take three or four digits: shorter ones would need a century guessed.
std::optional<CivilDate> parseDisplayForm(std::string_view text) {
    auto day = takeNumber(text, 1, 2);
    if (!day || !skipSpaces(text))
        return std::nullopt;
    auto month = monthNumber(takeWord(text));
    if (!month || !skipSpaces(text))
        return std::nullopt;
    auto year = takeNumber(text, 3, 4);
    if (!year || !text.empty())
        return std::nullopt;
    return CivilDate{*year, *month, *day};
}

// Writes value (0 to 9999) in decimal, without leading zeros, at out; returns the end.
char* writeNumber(char* out, int value) {
    if (value >= 1000)
        *out++ = static_cast<char>('0' + value / 1000);
    if (value >= 100)
        *out++ = static_cast<char>('0' + value / 100 % 10);
    if (value >= 10)
        *out++ = static_cast<char>('0' + value / 10 % 10);
    *out++ = static_cast<char>('0' + value % 10);
    return out;
}

} // namespace

std::string_view monthName(int month) {
    return monthNames.at(static_cast<std::size_t>(month - 1));
}

std::string datenice(Date date) {
    const CivilDate civil = civilFromDate(date);
    const std::string_view month = monthNames[static_cast<std::size_t>(civil.month - 1)];
    // Longest: "30 September 9999".
    char text[2 + 1 + 9 + 1 + 4];
    char* end = writeNumber(text, civil.day);
    *end++ = ' ';
    end = std::copy(month.begin(), month.end(), end);
    *end++ = ' ';
    end = writeNumber(end, civil.year);
    return std::string(text, end);
}

std::string isoDate(Date date) {
    const CivilDate civil = civilFromDate(date);
    char text[] = "0000-00-00";
    auto put = [&](std::size_t end, int value) {
        for (std::size_t i = end; value > 0; value /= 10)
            text[--i] = static_cast<char>('0' + value % 10);
    };
    put(4, civil.year);
    put(7, civil.month);
    put(10, civil.day);
    return text;
}

Date parseDate(std::string_view text) {
    std::string_view trimmed = text;
    skipSpaces(trimmed);
    while (!trimmed.empty() && isSpace(trimmed.back()))
        trimmed.remove_suffix(1);

    auto civil = parseIso(trimmed);
    if (!civil)
        civil = parseDisplayForm(trimmed);
    if (civil) {
        if (auto date = tryDateFromCivil(*civil))
            return *date;
    }
    throw RuntimeError(ErrorKind::TypeMismatch, quotedText(text) + " is not a date");
}

} // namespace ruvo
