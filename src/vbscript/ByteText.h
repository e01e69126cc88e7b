#pragma once
// The bytes of a script's text, as the byte functions (LenB, LeftB, ChrB, ...) and the
// joining of byte texts see them: the UTF-16 code units, low byte first. A text may end in
// half a character (Value::byteString).
#include "vbscript/Value.h"

#include <QByteArray>

namespace vbs {

// The bytes of `text`; `oddBytes` leaves out the high byte of its last character.
QByteArray textBytes(const QString &text, bool oddBytes);
// The bytes of a String value.
QByteArray textBytes(const Value &text);
// The text those bytes make, ending in half a character when their number is odd.
Value textFromBytes(const QByteArray &bytes);
// a & b where either ends in or is half a character: their bytes, one after the other.
Value joinBytes(const Value &a, const Value &b);

} // namespace vbs
