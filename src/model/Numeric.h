#pragma once
// Number helpers used everywhere: every stored quantity is a 4-byte real,
// arithmetic runs in extended precision and is rounded on each store. Numbers
// are read and written with a decimal point, whatever the locale.

#include <string>

namespace corvellan {

using Real = float;      // a stored quantity
using Ext = long double; // arithmetic

constexpr Ext kPi = 3.14159265358979323846264338327950288L;
constexpr Ext kDegToRad = kPi / 180.0L;

// Rounds a real to a screen integer: to nearest, halves to even. NaN maps to 0,
// values beyond the int range (infinities included) saturate, so no undefined
// conversion ever happens.
int roundToInt(Ext value);

// Stores an extended value as a 4-byte real, clamping values beyond the largest
// finite 4-byte real to it (with its sign). NaN stays NaN.
Real clampToReal(Ext value);

// Fixed-point text right-aligned in a minimum field width:
// formatFixed(1.5, 6, 3) is " 1.500". Non-finite values print as "NaN", "+Inf"
// or "-Inf" in the same field.
std::string formatFixed(Ext value, int width, int decimals);

// Appends exactly the text formatFixed(value, width, decimals) gives, without
// a temporary string or a printf call: for tables of many thousand rows.
void appendFixed(std::string& out, Real value, int width, int decimals);

// A real in the shortest printf "%g" form with `digits` significant digits
// (9 give back every 4-byte real exactly): for CSV and JSON.
std::string formatGeneral(Ext value, int digits);

// A figure as the windows show it (panels, undo line, diagram headers, the
// pivot data table): the text of formatFixed, except that a value that is not
// a finite number shows as blanks of the field's width, and a value whose
// fixed text would be wider than its place (kFigureRoom characters, or the
// width where that is more) shows in a short exponent form that fits it,
// such as "3.40e+38".
constexpr int kFigureRoom = 8;
std::string formatFigure(Ext value, int width, int decimals);
// The same, appended, with appendFixed's speed for ordinary values.
void appendFigure(std::string& out, Real value, int width, int decimals);

// The text-to-number conversion of the entry boxes: leading/trailing blanks
// allowed, anything unparsable gives `ok` false.
Ext parseReal(const std::string& text, bool* ok);

} // namespace corvellan
