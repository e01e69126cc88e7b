#include "vbscript/DateSerial.h"

#include "vbscript/ScriptError.h"

#include <cmath>

namespace vbs {

double checkedSerial(double serial)
{
    if (!inDateRange(serial))
        raise(Err::InvalidCall);
    return serial;
}

DateParts splitSerial(double serial)
{
    checkedSerial(serial);
    const double days = std::trunc(serial);
    long long secs = std::llround(std::fabs(serial - days) * 86400.0);
    long long whole = (long long)days;
    if (secs >= 86400) { // rounding reached the next midnight
        secs -= 86400;
        whole += serial < 0 ? -1 : 1;
    }
    return {QDate(1899, 12, 30).addDays(whole), int(secs)};
}

double makeSerial(const QDate &date, double secondsOfDay)
{
    const double days = dayNumber(date);
    const double frac = secondsOfDay / 86400.0;
    return days < 0 ? days - frac : days + frac;
}

} // namespace vbs
