#include "lists/sheet.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/text_case.h"

namespace minizol {
namespace {

// Every whole number up to 2^53 a double holds exactly; past it, only some.
constexpr double kExactWhole = 9007199254740992.0;
constexpr std::int64_t kDay = 86400;  // seconds

// Whether `text` is a whole number in plain digits, signed or not.
bool PlainDigits(std::string_view text) {
    text.remove_prefix(text.starts_with('-') ? 1 : 0);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Days from 1970-01-01 to a date of the Gregorian calendar, and back (H. Hinnant's algorithms,
// which hold for any year).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

Civil CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;  // months from March
    const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month,
            dayOfYear - (153 * shifted + 2) / 5 + 1};
}

unsigned DaysInMonth(std::int64_t year, unsigned month) {
    if (month == 2) {
        return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0) ? 29 : 28;
    }
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

std::string TimeText(std::int64_t seconds) {
    char text[40];
    const int size =
        std::snprintf(text, sizeof text, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                      static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return std::string(text, static_cast<std::size_t>(size));
}

// A date, and the time of day when it is past midnight.
std::string DateText(const Civil& date, std::int64_t seconds) {
    char text[40];
    const int size = std::snprintf(text, sizeof text, "%04lld-%02u-%02u",
                                   static_cast<long long>(date.year), date.month, date.day);
    std::string out(text, static_cast<std::size_t>(size));
    return seconds == 0 ? out : out + " " + TimeText(seconds);
}

// `seconds` past the midnight of day `days` (from 1970-01-01), to the nearest second: a moment a
// hair before midnight, as floating point leaves a time, is the next day's midnight.
std::string MomentText(std::int64_t days, double seconds) {
    const std::int64_t rounded = std::llround(seconds);
    return DateText(CivilFromDays(days + rounded / kDay), rounded % kDay);
}

// Exactly `count` digits at `at`, into `value`.
bool Digits(std::string_view text, std::size_t& at, std::size_t count, unsigned& value) {
    if (text.size() - at < count) {
        return false;
    }
    value = 0;
    for (std::size_t end = at + count; at < end; ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(text[at] - '0');
    }
    return true;
}

bool Skip(std::string_view text, std::size_t& at, char c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

}  // namespace

std::string NumberCellText(double value) {
    char digits[32];
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) <= kExactWhole) {
        const auto end =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr;
        return std::string(digits, end);
    }
    // Past 2^53, the digits the double keeps and then zeros: the last digits of its exact value
    // ("21000418450200051712") were never in the sheet.
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e21) {
        const char* end =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific).ptr;
        const char* e =
            std::find(static_cast<const char*>(digits), end, 'e');  // "-2.100041845020005e+19"
        int exponent = 0;
        std::from_chars(e + 2, end, exponent);
        std::string text(static_cast<const char*>(digits), e);
        std::erase(text, '.');
        text.resize(static_cast<std::size_t>(exponent) + (value < 0 ? 2 : 1), '0');
        return text;
    }
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(digits, end);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

std::string NumberCellText(std::string_view stored) {
    double value = 0;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), value);
    if (error != std::errc() || end != stored.data() + stored.size()) {
        return std::string(stored);
    }
    if (std::fabs(value) > kExactWhole && PlainDigits(stored)) {
        const std::size_t sign = stored.starts_with('-') ? 1 : 0;
        const std::size_t first = std::min(stored.find_first_not_of('0', sign), stored.size() - 1);
        return std::string(stored.substr(0, sign)) + std::string(stored.substr(first));
    }
    return NumberCellText(value);
}

std::string SerialDateText(double serial, bool date1904) {
    // 9999-12-31, the last day a sheet shows.
    const std::int64_t last = date1904 ? 2957003 : 2958465;
    if (!(serial >= 0) || serial >= static_cast<double>(last + 1)) {
        return "";
    }
    const std::int64_t rounded = std::llround(serial * kDay);
    const std::int64_t day = rounded / kDay;
    const std::int64_t second = rounded % kDay;
    if (day == 0) {
        return TimeText(second);
    }
    if (day > last) {
        return "";
    }
    if (date1904) {
        return DateText(CivilFromDays(DaysFromCivil(1904, 1, 1) + day), second);
    }
    // Excel counts 1900 as a leap year, as Lotus 1-2-3 did: day 60 is a 29 February no calendar
    // has, and each day after it is one further on than its count says.
    if (day == 60) {
        return DateText({1900, 2, 29}, second);
    }
    return DateText(CivilFromDays(DaysFromCivil(1899, 12, day < 60 ? 31 : 30) + day), second);
}

std::string IsoDateText(std::string_view iso) {
    std::size_t at = 0;
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    if (!Digits(iso, at, 4, year) || !Skip(iso, at, '-') || !Digits(iso, at, 2, month) ||
        !Skip(iso, at, '-') || !Digits(iso, at, 2, day) || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return "";
    }
    double seconds = 0;
    if (at < iso.size()) {
        unsigned hour = 0;
        unsigned minute = 0;
        unsigned second = 0;
        if (!Skip(iso, at, 'T') || !Digits(iso, at, 2, hour) || !Skip(iso, at, ':') ||
            !Digits(iso, at, 2, minute) || !Skip(iso, at, ':') || !Digits(iso, at, 2, second) ||
            hour > 23 || minute > 59 || second > 60) {
            return "";
        }
        seconds = hour * 3600.0 + minute * 60.0 + second;
        if (Skip(iso, at, '.')) {
            const std::size_t start = at;
            for (double unit = 0.1; at < iso.size() && iso[at] >= '0' && iso[at] <= '9'; ++at) {
                seconds += (iso[at] - '0') * unit;
                unit /= 10;
            }
            if (at == start) {
                return "";
            }
        }
        // A zone, which LibreOffice never writes, leaves the time as the cell shows it.
        unsigned zoneHour = 0;
        unsigned zoneMinute = 0;
        if (!Skip(iso, at, 'Z') && (Skip(iso, at, '+') || Skip(iso, at, '-')) &&
            (!Digits(iso, at, 2, zoneHour) || !Skip(iso, at, ':') ||
             !Digits(iso, at, 2, zoneMinute))) {
            return "";
        }
        if (at != iso.size()) {
            return "";
        }
    }
    return MomentText(DaysFromCivil(year, month, day), seconds);
}

std::string IsoDurationText(std::string_view iso) {
    std::size_t at = 0;
    if (!Skip(iso, at, 'P')) {
        return "";
    }
    double seconds = 0;
    bool inTime = false;
    bool any = false;
    while (at < iso.size()) {
        if (!inTime && Skip(iso, at, 'T')) {
            inTime = true;
            continue;
        }
        const std::size_t start = at;
        while (at < iso.size() && ((iso[at] >= '0' && iso[at] <= '9') || iso[at] == '.')) {
            ++at;
        }
        double amount = 0;
        const auto [end, error] = std::from_chars(iso.data() + start, iso.data() + at, amount);
        if (at == start || at == iso.size() || error != std::errc() || end != iso.data() + at) {
            return "";
        }
        const char unit = iso[at++];
        const double scale = !inTime && unit == 'D'  ? kDay
                             : inTime && unit == 'H' ? 3600
                             : inTime && unit == 'M' ? 60
                             : inTime && unit == 'S' ? 1
                                                     : 0;
        if (scale == 0) {
            return "";
        }
        seconds += amount * scale;
        any = true;
    }
    // Past a million hours, no time a sheet keeps.
    if (!any || seconds >= 3.6e9) {
        return "";
    }
    return TimeText(std::llround(seconds));
}

bool IsChosenSheet(const SheetChoice& choice, std::string_view wanted, std::size_t index,
                   std::string_view name) {
    if (!choice.name.empty()) {
        std::string buffer;
        return UpperCase(name, buffer) == wanted;
    }
    return choice.position != 0 ? index + 1 == choice.position : index == 0;
}

std::string NoSuchSheet(const SheetChoice& choice, const std::vector<std::string>& names) {
    if (!choice.name.empty()) {
        std::string all;
        for (const std::string& name : names) {
            all += (all.empty() ? "" : ", ") + name;
        }
        return "no tiene ninguna hoja «" + choice.name + "»" +
               (names.empty() ? "" : " (tiene: " + all + ")");
    }
    if (choice.position != 0 && !names.empty()) {
        return "no tiene la hoja " + std::to_string(choice.position) + " (tiene " +
               std::to_string(names.size()) + ")";
    }
    return "no tiene ninguna hoja";
}

}  // namespace minizol
