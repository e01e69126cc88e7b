#pragma once
// Dates as scripts hold them: a serial number of days since 1899-12-30 whose fraction is the
// time of day (for days before 1899-12-30 the fraction still counts forward from midnight:
// -1.25 is 1899-12-29 06:00).
#include <QDate>

namespace vbs {

struct DateParts {
    QDate date;
    int seconds = 0; // since midnight, rounded to whole seconds
};

// Whether a serial lies in 100-01-01 .. 9999-12-31, the dates scripts can hold.
inline bool inDateRange(double serial) { return serial > -657435.0 && serial < 2958466.0; }
// The serial, or error 5 for one outside that range (or not a number).
double checkedSerial(double serial);

// The date and time of a serial; error 5 outside the range.
DateParts splitSerial(double serial);
double makeSerial(const QDate &date, double secondsOfDay);
// Days of a date relative to 1899-12-30.
inline double dayNumber(const QDate &d) { return double(QDate(1899, 12, 30).daysTo(d)); }

} // namespace vbs
