#include "model/Numeric.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <locale.h>

namespace corvellan {

namespace {

// Numbers are read and written with a decimal point whatever the user's
// locale: the entry boxes filter for ".", files and the command line use it,
// and a GUI toolkit may have switched the C library to the user's locale.
locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// Runs printf-family calls in the C locale for as long as it lives.
class CNumbers {
  public:
    CNumbers() : previous_(cLocale() ? uselocale(cLocale()) : static_cast<locale_t>(nullptr)) {}
    ~CNumbers() {
        if (previous_) uselocale(previous_);
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

  private:
    locale_t previous_;
};

} // namespace

int roundToInt(Ext value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<Ext>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<Ext>(INT_MIN)) return INT_MIN;
    // The default rounding mode is to nearest, ties to even; llrint uses it
    // and costs a fraction of nearbyint.
    return static_cast<int>(std::llrintl(value));
}

Real clampToReal(Ext value) {
    if (std::isnan(value)) return static_cast<Real>(value);
    if (value > static_cast<Ext>(FLT_MAX)) return FLT_MAX;
    if (value < -static_cast<Ext>(FLT_MAX)) return -FLT_MAX;
    return static_cast<Real>(value);
}

std::string formatFixed(Ext value, int width, int decimals) {
    if (width < 0) width = 0;
    if (decimals < 0) decimals = 0;
    if (decimals > 30) decimals = 30;
    if (value == 0) value = 0; // no "-0.000" for a negative zero
    char buf[128];
    CNumbers c;
    if (std::isnan(value)) {
        std::snprintf(buf, sizeof buf, "%*s", width, "NaN");
    } else if (std::isinf(value)) {
        std::snprintf(buf, sizeof buf, "%*s", width, value > 0 ? "+Inf" : "-Inf");
    } else if (std::fabs(value) >= 1e40L) {
        // Beyond any 4-byte real; use exponent form rather than 40 digits.
        std::snprintf(buf, sizeof buf, "%*.*Le", width, decimals, value);
    } else {
        std::snprintf(buf, sizeof buf, "%*.*Lf", width, decimals, value);
    }
    return buf;
}

void appendFixed(std::string& out, Real value, int width, int decimals) {
    // Beyond this range the printf path is both needed and rare.
    if (decimals < 0 || decimals > 9 || !std::isfinite(value) || std::fabs(value) >= 1e9f) {
        out += formatFixed(value, width, decimals);
        return;
    }
    static const double kPowers[10] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    // A 4-byte mantissa (24 bits) times 5^9 (21 bits) fits a double's 53, so
    // the scaled value is exact; rounding it to an integer with ties to even
    // gives the digits printf prints.
    const double scaled = std::fabs(static_cast<double>(value)) * kPowers[decimals];
    auto units = static_cast<unsigned long long>(scaled);
    const double rest = scaled - static_cast<double>(units);
    if (rest > 0.5 || (rest == 0.5 && (units & 1))) ++units;
    char text[40];
    char* end = text + sizeof text;
    char* p = end;
    for (int i = 0; i < decimals; ++i, units /= 10) *--p = static_cast<char>('0' + units % 10);
    if (decimals > 0) *--p = '.';
    do {
        *--p = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units != 0);
    if (value < 0) *--p = '-'; // small negatives keep their sign, as printf does; -0 does not
    const int length = static_cast<int>(end - p);
    if (width > length) out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(p, static_cast<std::size_t>(length));
}

std::string formatGeneral(Ext value, int digits) {
    if (value == 0) value = 0;
    char buf[64];
    CNumbers c;
    std::snprintf(buf, sizeof buf, "%.*Lg", digits < 1 ? 1 : digits > 30 ? 30 : digits, value);
    return buf;
}

bool isZeroToPrecision(Ext value, Ext scale) {
    return value == 0 || std::fabs(value) < std::fabs(scale) * kZeroFraction;
}

bool appendShortest(std::string& out, Ext value, Ext scale) {
    if (!std::isfinite(value)) return false;
    if (isZeroToPrecision(value, scale)) {
        out += '0';
        return true;
    }
    // std::to_chars gives the shortest form that reads back exactly, in the
    // C locale's spelling whatever the user's, without printf's cost.
    char buf[64];
    const std::to_chars_result r =
        std::fabs(value) <= static_cast<Ext>(FLT_MAX)
            ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(value))
            : std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
    return true;
}

std::string shortestText(Ext value, Ext scale) {
    std::string out;
    appendShortest(out, value, scale);
    return out;
}

namespace {

// `fixed` is the formatFixed text of `value`; gives what formatFigure shows.
std::string fittedFigure(Ext value, int width, std::string fixed) {
    if (width < 0) width = 0;
    if (!std::isfinite(value)) return std::string(static_cast<std::size_t>(width), ' ');
    const int room = width > kFigureRoom ? width : kFigureRoom;
    if (static_cast<int>(fixed.size()) <= room) return fixed;
    // As many digits after the point as fit; a sign or a three-digit
    // exponent leaves room for fewer.
    char buf[64];
    CNumbers c;
    for (int digits = 2; digits >= 0; --digits) {
        std::snprintf(buf, sizeof buf, "%*.*Le", width, digits, value);
        if (static_cast<int>(std::strlen(buf)) <= room) break;
    }
    return buf;
}

} // namespace

std::string formatFigure(Ext value, int width, int decimals) {
    return fittedFigure(value, width, formatFixed(value, width, decimals));
}

void appendFigure(std::string& out, Real value, int width, int decimals) {
    const std::size_t start = out.size();
    appendFixed(out, value, width, decimals);
    const int length = static_cast<int>(out.size() - start);
    if (std::isfinite(value) && (length <= kFigureRoom || length <= width)) return;
    std::string fixed = out.substr(start);
    out.resize(start);
    out += fittedFigure(value, width, std::move(fixed));
}

Ext parseReal(const std::string& text, bool* ok) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    Ext v = cLocale() ? strtold_l(begin, &end, cLocale()) : std::strtold(begin, &end);
    bool good = end != begin;
    while (good && *end == ' ') ++end;
    if (good && *end != '\0') good = false;
    if (good && std::isnan(v)) good = false;
    if (ok) *ok = good;
    return good ? v : 0.0L;
}

} // namespace corvellan
