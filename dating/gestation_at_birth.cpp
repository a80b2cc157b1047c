#include "dating/gestation_at_birth.h"

#include "dating/biometry.h"
#include "dating/numbers.h"
#include "host/runtime_error.h"

namespace ruvo {

GestationAtBirth gestationAtBirth(Date edd, Date dateOfBirth) {
    std::int16_t total = 0;
    if (dateOfBirth > edd) {
        const std::int16_t difference = toInt16(dateOfBirth - edd);
        total = toInt16(termDays + difference);
    } else {
        const std::int16_t difference = toInt16(edd - dateOfBirth);
        total = toInt16(termDays - difference);
    }
    if (total < 0) {
        throw RuntimeError(ErrorKind::InvalidArgument,
                           "date of birth is before the start of the pregnancy");
    }
    const std::int16_t weeks = toInt16(floorOf(total / double{daysPerWeek}));
    const auto days = static_cast<std::int16_t>(total % daysPerWeek);
    return {total, weeks, days};
}

std::string gestationCaption(const GestationAtBirth& gestation) {
    return integerText(gestation.weeks) + " weeks " + integerText(gestation.days) + " days";
}

} // namespace ruvo
