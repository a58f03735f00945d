#pragma once

// Operator codes of compiled function programs, with their arity and the two
// priorities of the precedence conversion (a lower number binds tighter).
// Shared by the function compiler and evaluator only.

#include <array>
#include <cstdint>

namespace tallix::fcode {

enum : int {
    Add = 1,
    Sub = 2,
    Mul = 3,
    Div = 5,
    Pow = 6,
    Plus = 7,
    Neg = 8,
    Open = 9,
    Close = 10,
    Sqrt = 11,
    Square = 12,
    Cbrt = 13,
    Cube = 14,
    Log = 15,
    TenPow = 16,
    Ln = 17,
    ExpPow = 18,
    NthRoot = 19,
    Var = 22,
    Abs = 23,
    Fact = 24,
    Sin = 25,
    Cos = 26,
    Tan = 27,
    ArcSin = 28,
    ArcCos = 29,
    ArcTan = 30,
    kCount = 31
};

struct Props {
    std::int8_t arity;
    std::int16_t f; // incoming priority
    std::int16_t g; // priority while waiting on the stack
};

// Codes 0, 4, 20 and 21 are never produced.
inline constexpr std::array<Props, kCount> kProps = {{
    {0, 0, 0},                                                       // 0
    {2, 36, 35}, {2, 36, 35}, {2, 28, 27}, {0, 0, 0},   {2, 28, 27}, // 1..5
    {2, 12, 26}, {1, 19, 20}, {1, 19, 20}, {0, 1, 120}, {0, 120, 0}, // 6..10
    {1, 6, 26},  {1, 6, 5},   {1, 6, 26},  {1, 6, 5},   {1, 6, 26},  // 11..15
    {1, 6, 26},  {1, 6, 26},  {1, 6, 26},  {2, 6, 26},  {0, 0, 0},   // 16..20
    {0, 0, 0},   {0, 4, 3},   {1, 6, 26},  {1, 6, 5},   {1, 6, 26},  // 21..25
    {1, 6, 26},  {1, 6, 26},  {1, 6, 26},  {1, 6, 26},  {1, 6, 26},  // 26..30
}};

// A constant (minus its pool entry) has f = 4, g = 3 like the variable.
inline constexpr Props kConstantProps = {0, 4, 3};

inline const Props& props(int item) {
    return item < 0 ? kConstantProps : kProps[item];
}

} // namespace tallix::fcode
