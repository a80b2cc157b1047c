#pragma once

#include "dating/date.h"

#include <cstdint>
#include <string>

namespace ruvo {

// The gestation on the date of birth, counted from the EDD as day 280.
struct GestationAtBirth {
    std::int16_t totalDays = 0; // 280 + (date of birth - EDD)
    std::int16_t weeks = 0;
    std::int16_t days = 0; // 0 to 6
    friend bool operator==(const GestationAtBirth&, const GestationAtBirth&) = default;
};

// Fails with Overflow when the day difference or the total leaves -32768..32767, and with
// InvalidArgument when the birth lies more than 280 days before the EDD, where a gestation has no
// meaning.
GestationAtBirth gestationAtBirth(Date edd, Date dateOfBirth);

// "39 weeks 1 days": the words are always plural.
std::string gestationCaption(const GestationAtBirth&);

} // namespace ruvo
