// Date functions: parts of a date, date arithmetic, and the names of months and weekdays as
// a Chinese Windows writes them.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateSerial.h"
#include "vbscript/ScriptError.h"

#include <cmath>

namespace vbs {

namespace {

using Args = BuiltinArgs;

// Interval names of DateAdd, DateDiff and DatePart.
enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval toInterval(const Value &v)
{
    const QString s = toStr(v).toLower();
    static const std::pair<const char *, Interval> names[] = {
        {"yyyy", Interval::Year}, {"q", Interval::Quarter},  {"m", Interval::Month},
        {"y", Interval::DayOfYear}, {"d", Interval::Day},    {"w", Interval::Weekday},
        {"ww", Interval::Week},   {"h", Interval::Hour},     {"n", Interval::Minute},
        {"s", Interval::Second},
    };
    for (const auto &[name, interval] : names)
        if (s == QLatin1String(name))
            return interval;
    raise(Err::InvalidCall);
}

// 1 = Sunday ... 7 = Saturday, counted from `firstDay` (vbSunday..vbSaturday; 0 = the system's
// first day, Monday on a Chinese Windows).
int weekdayOf(const QDate &d, int firstDay)
{
    if (firstDay == 0)
        firstDay = 2;
    if (firstDay < 1 || firstDay > 7)
        raise(Err::InvalidCall);
    const int sundayBased = d.dayOfWeek() % 7 + 1; // Qt: Monday 1 .. Sunday 7
    return (sundayBased - firstDay + 7) % 7 + 1;
}

// The first day of the week (vbUseSystemDayOfWeek..vbSaturday, Sunday unless given).
int firstDayArg(const Args &a, size_t i)
{
    const int firstDay = argGiven(a, i) ? toLong(a[i]) : 1;
    if (firstDay < 0 || firstDay > 7)
        raise(Err::InvalidCall);
    return firstDay;
}

// The rule for the first week of the year (vbUseSystem..vbFirstFullWeek, vbFirstJan1 unless
// given; the system's rule is vbFirstJan1 on a Chinese Windows).
int firstWeekArg(const Args &a, size_t i)
{
    const int firstWeek = argGiven(a, i) ? toLong(a[i]) : 1;
    if (firstWeek < 0 || firstWeek > 3)
        raise(Err::InvalidCall);
    return firstWeek == 0 ? 1 : firstWeek;
}

// The first day of week 1 of `year`: the week of January 1 (vbFirstJan1), the first week
// with at least four days in the year (vbFirstFourDays) or the first whole week
// (vbFirstFullWeek).
QDate firstWeekStart(int year, int firstDay, int firstWeek)
{
    const QDate jan1(year, 1, 1);
    const int wd = weekdayOf(jan1, firstDay);
    const QDate weekStart = jan1.addDays(1 - wd);
    const bool jan1WeekCounts = firstWeek == 1 || (firstWeek == 2 ? 8 - wd >= 4 : wd == 1);
    return jan1WeekCounts ? weekStart : weekStart.addDays(7);
}

// Week number in the year. A day before week 1 belongs to the last week of the year before;
// a day after the last week is never counted as week 1 of the next year.
int weekOfYear(const QDate &d, int firstDay, int firstWeek)
{
    QDate start = firstWeekStart(d.year(), firstDay, firstWeek);
    if (d < start)
        start = firstWeekStart(d.year() - 1, firstDay, firstWeek);
    return int(start.daysTo(d) / 7) + 1;
}

// DateAdd of months: the day is kept, or the month's last day when it has fewer.
QDate addMonths(const QDate &d, long long months)
{
    long long total = (long long)d.year() * 12 + (d.month() - 1) + months;
    const int year = int(std::floor(double(total) / 12));
    const int month = int(total - (long long)year * 12) + 1;
    if (year < 100 || year > 9999)
        raise(Err::InvalidCall);
    const QDate first(year, month, 1);
    return QDate(year, month, std::min(d.day(), first.daysInMonth()));
}

Value dateResult(double serial)
{
    return Value::date(checkedSerial(serial));
}

template <typename F>
Value part(const Args &a, F f)
{
    if (a[0].isNull())
        return Value::null();
    return Value::integer(int16_t(f(splitSerial(toDateSerial(a[0])))));
}

Value year(Interpreter &, Args &a) { return part(a, [](const DateParts &p) { return p.date.year(); }); }
Value month(Interpreter &, Args &a) { return part(a, [](const DateParts &p) { return p.date.month(); }); }
Value day(Interpreter &, Args &a) { return part(a, [](const DateParts &p) { return p.date.day(); }); }
Value hour(Interpreter &, Args &a) { return part(a, [](const DateParts &p) { return p.seconds / 3600; }); }
Value minute(Interpreter &, Args &a) { return part(a, [](const DateParts &p) { return p.seconds / 60 % 60; }); }
Value second(Interpreter &, Args &a) { return part(a, [](const DateParts &p) { return p.seconds % 60; }); }

Value weekday(Interpreter &, Args &a)
{
    const int first = firstDayArg(a, 1);
    return part(a, [first](const DateParts &p) { return weekdayOf(p.date, first); });
}

// Two-digit years as the system reads them: 00-29 are 2000-2029, 30-99 are 1930-1999.
int fullYear(int y)
{
    if (y >= 0 && y < 30)
        return y + 2000;
    if (y >= 30 && y < 100)
        return y + 1900;
    return y;
}

Value dateSerial(Interpreter &, Args &a)
{
    const int y = fullYear(toInteger(a[0]));
    const long long m = toLong(a[1]);
    const long long d = toLong(a[2]);
    if (y < 100 || y > 9999)
        raise(Err::InvalidCall);
    const QDate first = addMonths(QDate(y, 1, 1), m - 1);
    return dateResult(dayNumber(first) + double(d - 1));
}

Value timeSerial(Interpreter &, Args &a)
{
    const double secs = double(toLong(a[0])) * 3600 + double(toLong(a[1])) * 60 + toLong(a[2]);
    const double days = std::floor(secs / 86400);
    return dateResult(makeSerial(QDate(1899, 12, 30).addDays((long long)days), secs - days * 86400));
}

Value dateValue(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    return Value::date(dayNumber(splitSerial(toDateSerial(a[0])).date));
}

Value timeValue(Interpreter &, Args &a)
{
    if (a[0].isNull())
        return Value::null();
    return Value::date(splitSerial(toDateSerial(a[0])).seconds / 86400.0);
}

Value dateAdd(Interpreter &, Args &a)
{
    const Interval iv = toInterval(a[0]);
    const double n = std::trunc(toDouble(a[1]));
    if (a[2].isNull())
        return Value::null();
    const DateParts p = splitSerial(toDateSerial(a[2]));
    switch (iv) {
    case Interval::Year:
        return dateResult(makeSerial(addMonths(p.date, (long long)n * 12), p.seconds));
    case Interval::Quarter:
        return dateResult(makeSerial(addMonths(p.date, (long long)n * 3), p.seconds));
    case Interval::Month:
        return dateResult(makeSerial(addMonths(p.date, (long long)n), p.seconds));
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        return dateResult(makeSerial(p.date.addDays((long long)n), p.seconds));
    case Interval::Week:
        return dateResult(makeSerial(p.date.addDays((long long)n * 7), p.seconds));
    default: {
        const double unit = iv == Interval::Hour ? 3600 : iv == Interval::Minute ? 60 : 1;
        const double secs = dayNumber(p.date) * 86400 + p.seconds + n * unit;
        const double days = std::floor(secs / 86400);
        return dateResult(makeSerial(QDate(1899, 12, 30).addDays((long long)days), secs - days * 86400));
    }
    }
}

Value dateDiff(Interpreter &, Args &a)
{
    const Interval iv = toInterval(a[0]);
    if (a[1].isNull() || a[2].isNull())
        return Value::null();
    const DateParts p1 = splitSerial(toDateSerial(a[1]));
    const DateParts p2 = splitSerial(toDateSerial(a[2]));
    const int firstDay = firstDayArg(a, 3);
    firstWeekArg(a, 4);
    const double s1 = dayNumber(p1.date) * 86400 + p1.seconds;
    const double s2 = dayNumber(p2.date) * 86400 + p2.seconds;
    const double days = dayNumber(p2.date) - dayNumber(p1.date);
    double r = 0;
    switch (iv) {
    case Interval::Year:
        r = p2.date.year() - p1.date.year();
        break;
    case Interval::Quarter:
        r = (p2.date.year() * 4 + (p2.date.month() - 1) / 3) - (p1.date.year() * 4 + (p1.date.month() - 1) / 3);
        break;
    case Interval::Month:
        r = (p2.date.year() * 12 + p2.date.month()) - (p1.date.year() * 12 + p1.date.month());
        break;
    case Interval::DayOfYear:
    case Interval::Day:
        r = days;
        break;
    case Interval::Weekday:
        r = std::trunc(days / 7);
        break;
    case Interval::Week: {
        // Week boundaries (first days of the week) crossed between the two dates.
        auto weekStart = [&](const QDate &d) { return dayNumber(d) - (weekdayOf(d, firstDay) - 1); };
        r = (weekStart(p2.date) - weekStart(p1.date)) / 7;
        break;
    }
    case Interval::Hour:
        r = std::floor(s2 / 3600) - std::floor(s1 / 3600);
        break;
    case Interval::Minute:
        r = std::floor(s2 / 60) - std::floor(s1 / 60);
        break;
    case Interval::Second:
        r = s2 - s1;
        break;
    }
    return narrowestNumber(r).type() == Type::Integer ? Value::longValue(int32_t(r)) : narrowestNumber(r);
}

Value datePart(Interpreter &, Args &a)
{
    const Interval iv = toInterval(a[0]);
    if (a[1].isNull())
        return Value::null();
    const DateParts p = splitSerial(toDateSerial(a[1]));
    const int firstDay = firstDayArg(a, 2);
    const int firstWeek = firstWeekArg(a, 3);
    int r = 0;
    switch (iv) {
    case Interval::Year: r = p.date.year(); break;
    case Interval::Quarter: r = (p.date.month() - 1) / 3 + 1; break;
    case Interval::Month: r = p.date.month(); break;
    case Interval::DayOfYear: r = p.date.dayOfYear(); break;
    case Interval::Day: r = p.date.day(); break;
    case Interval::Weekday: r = weekdayOf(p.date, firstDay); break;
    case Interval::Week: r = weekOfYear(p.date, firstDay, firstWeek); break;
    case Interval::Hour: r = p.seconds / 3600; break;
    case Interval::Minute: r = p.seconds / 60 % 60; break;
    case Interval::Second: r = p.seconds % 60; break;
    }
    return Value::integer(int16_t(r));
}

const char *const kMonthNames[] = {"一月", "二月", "三月", "四月", "五月", "六月",
                                   "七月", "八月", "九月", "十月", "十一月", "十二月"};
const char *const kDayNames[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
const char *const kShortDayNames[] = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};

Value monthName(Interpreter &, Args &a)
{
    if (argGiven(a, 1) && a[1].isNull())
        raise(Err::InvalidNull); // before the month is converted (MonthName("a", Null): 94)
    const int32_t m = toLong(a[0]);
    if (m < 1 || m > 12)
        raise(Err::InvalidCall);
    const bool abbreviate = argGiven(a, 1) && toBool(a[1]);
    if (abbreviate)
        return Value::string(QString::number(m) + QStringLiteral("月"));
    return Value::string(QString::fromUtf8(kMonthNames[m - 1]));
}

Value weekdayName(Interpreter &, Args &a)
{
    const int32_t w = toLong(a[0]);
    const bool abbreviate = argGiven(a, 1) && toBool(a[1]);
    int first = argGiven(a, 2) ? toLong(a[2]) : 1;
    if (first == 0)
        first = 2;
    if (w < 1 || w > 7 || first < 1 || first > 7)
        raise(Err::InvalidCall);
    const int sundayBased = (w - 1 + first - 1) % 7; // 0 = Sunday
    return Value::string(QString::fromUtf8((abbreviate ? kShortDayNames : kDayNames)[sundayBased]));
}

} // namespace

void addDateBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"Year", 1, 1, year});
    t.push_back({"Month", 1, 1, month});
    t.push_back({"Day", 1, 1, day});
    t.push_back({"Hour", 1, 1, hour});
    t.push_back({"Minute", 1, 1, minute});
    t.push_back({"Second", 1, 1, second});
    t.push_back({"Weekday", 1, 2, weekday});
    t.push_back({"DateSerial", 3, 3, dateSerial});
    t.push_back({"TimeSerial", 3, 3, timeSerial});
    t.push_back({"DateValue", 1, 1, dateValue});
    t.push_back({"TimeValue", 1, 1, timeValue});
    t.push_back({"DateAdd", 3, 3, dateAdd});
    t.push_back({"DateDiff", 3, 5, dateDiff});
    t.push_back({"DatePart", 2, 4, datePart});
    t.push_back({"MonthName", 1, 2, monthName});
    t.push_back({"WeekdayName", 1, 3, weekdayName});
}

} // namespace vbs
