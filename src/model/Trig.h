#pragma once
// Transcendental functions for the gear computations. The x87 long double
// versions cost 50-170 ns a call, the double ones under 10 ns; every result is
// stored as a 4-byte real, for which 53 bits are more than twice the
// precision needed. The rest of the arithmetic stays in long double.

#include "model/Numeric.h"

#include <cmath>

namespace corvellan::trig {

inline Ext sin(Ext x) { return std::sin(static_cast<double>(x)); }
inline Ext cos(Ext x) { return std::cos(static_cast<double>(x)); }
inline Ext atan(Ext x) { return std::atan(static_cast<double>(x)); }
inline Ext atan2(Ext y, Ext x) { return std::atan2(static_cast<double>(y), static_cast<double>(x)); }

} // namespace corvellan::trig
