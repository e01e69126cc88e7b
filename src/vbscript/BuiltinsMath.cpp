// Math functions and the random number generator.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Interpreter.h"
#include "vbscript/ScriptError.h"

#include <QTime>
#include <cmath>
#include <cstring>

namespace vbs {

namespace {

using Args = BuiltinArgs;

Value checked(double r)
{
    if (!std::isfinite(r))
        raise(Err::Overflow);
    return Value::dbl(r);
}

Value sqr(Interpreter &, Args &a)
{
    double d = toDouble(a[0]);
    if (d < 0)
        raise(Err::InvalidCall);
    return Value::dbl(std::sqrt(d));
}

Value log(Interpreter &, Args &a)
{
    double d = toDouble(a[0]);
    if (d <= 0)
        raise(Err::InvalidCall);
    return Value::dbl(std::log(d));
}

Value exp(Interpreter &, Args &a) { return checked(std::exp(toDouble(a[0]))); }
Value sin(Interpreter &, Args &a) { return checked(std::sin(toDouble(a[0]))); }
Value cos(Interpreter &, Args &a) { return checked(std::cos(toDouble(a[0]))); }
Value tan(Interpreter &, Args &a) { return checked(std::tan(toDouble(a[0]))); }
Value atn(Interpreter &, Args &a) { return checked(std::atan(toDouble(a[0]))); }

// The generator of the Windows engine: a 24-bit linear congruential sequence, so that a
// script seeded with Rnd(-n) sees the same numbers there and here.
float step(Interpreter &in)
{
    in.rndSeed = (in.rndSeed * 1140671485u + 12820163u) & 0xFFFFFFu;
    in.rndLast = float(in.rndSeed) / 16777216.0f;
    return in.rndLast;
}

Value rnd(Interpreter &in, Args &a)
{
    if (argGiven(a, 0)) {
        float x = float(toDouble(a[0]));
        if (x == 0)
            return Value::single(in.rndLast);
        if (x < 0) {
            uint32_t bits;
            std::memcpy(&bits, &x, sizeof bits);
            in.rndSeed = (bits + (bits >> 24)) & 0xFFFFFFu;
        }
    }
    return Value::single(step(in));
}

Value randomize(Interpreter &in, Args &a)
{
    double d = argGiven(a, 0) ? toDouble(a[0]) : QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    uint32_t hi = uint32_t(bits >> 32);
    uint32_t mixed = ((hi & 0xFFFFu) ^ (hi >> 16)) << 8;
    in.rndSeed = (in.rndSeed & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
    in.rndSeed &= 0xFFFFFFu;
    return Value();
}

} // namespace

void addMathBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"Sqr", 1, 1, sqr});
    t.push_back({"Log", 1, 1, log});
    t.push_back({"Exp", 1, 1, exp});
    t.push_back({"Sin", 1, 1, sin});
    t.push_back({"Cos", 1, 1, cos});
    t.push_back({"Tan", 1, 1, tan});
    t.push_back({"Atn", 1, 1, atn});
    t.push_back({"Rnd", 0, 1, rnd});
    t.push_back({"Randomize", 0, 1, randomize});
}

} // namespace vbs
