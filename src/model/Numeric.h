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

// A real in the shortest printf "%g" form with `digits` significant digits.
std::string formatGeneral(Ext value, int digits);

// Figures written for other programs to read (CSV, JSON) and the exact
// figures of the report tables.
//
// A figure is written as the shortest decimal that reads back as the same
// 4-byte real: 0.1 as "0.1", not "0.100000001"; the nominal mid gear as
// "1e-05". A figure that does not fit a 4-byte real (a derived one from a
// wild gear) is written as the shortest decimal of its own value.
//
// Zero to its precision: the arithmetic runs in extended precision, but the
// trigonometry of some library functions in double, so a figure that should
// be zero comes out as a few units of 1e-16 of the quantities it is computed
// from (the cosine of a right angle times a crank of 1.5 gives -9.2e-17). A
// figure smaller in magnitude than kZeroFraction (1e-12) times its `scale` is
// therefore written as 0, as is -0: ten thousand times that noise, and still a
// hundred-thousandth of the finest step a 4-byte real can take at the scale,
// so no figure a gear's dimensions can make is lost. The scales the writers
// use: the gear's size (gearLengthScale) for lengths and pivot positions, 360
// for angles in degrees, 100 for percentages of the stroke, 640 for the
// piston travel position. A scale of 0 keeps every figure but -0 as it is.
//
// A value that is not a finite number has no decimal: appendShortest writes
// nothing and returns false, shortestText gives "" (an empty CSV field; the
// JSON writers make it null).
constexpr Ext kZeroFraction = 1e-12L;
constexpr Ext kAngleScale = 360;
constexpr Ext kPercentScale = 100;
bool isZeroToPrecision(Ext value, Ext scale);
bool appendShortest(std::string& out, Ext value, Ext scale = 0);
std::string shortestText(Ext value, Ext scale = 0);

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
