// The host's arithmetic is signed 32-bit with 16-bit record fields: results wrap to the width the
// host works in, and divisions truncate toward zero, so these spell out each step on purpose.
#pragma once

#include <cstdint>

// Keeps the low 32 bits, as a 32-bit register does.
inline int32_t wrap32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }
// Keeps the low 16 bits, sign-extended.
inline int16_t wrap16(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

inline int32_t add32(int32_t a, int32_t b) { return wrap32(static_cast<int64_t>(a) + b); }
inline int32_t sub32(int32_t a, int32_t b) { return wrap32(static_cast<int64_t>(a) - b); }
inline int32_t mul32(int32_t a, int32_t b) { return wrap32(static_cast<int64_t>(a) * b); }
// Truncates toward zero; the one quotient that does not fit (INT32_MIN / -1) wraps as well.
inline int32_t div32(int32_t a, int32_t b) { return wrap32(static_cast<int64_t>(a) / b); }

// v scaled by p percent: the full 32-bit product, then divided by 100 toward zero.
inline int32_t scalePercent(int32_t value, int32_t percent) {
    return div32(mul32(value, percent), 100);
}
