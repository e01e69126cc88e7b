#pragma once
// The fields of a template element, listed once: the name under which each is stored in the
// template file and shown by `vornprn-cli template show`, its type, whether the file holds it,
// and its accessors. The template reader and writer, the JSON of `template show` and the tests
// walk this table instead of naming the fields again.
//
// The order is the order of the keys in a [ControlsN] section of the file; TempIndex and
// IsAllowResize, which the file does not hold, come last.
#include "model/clsPLControl.h"

#include <QString>
#include <array>

enum class ElementFieldType { Text, Double, Int32, Bool };

enum class ElementFieldStorage {
    Always,     // written for every element
    LabelStyle, // written for text labels and lines; number blocks and marks derive it
    Never,      // lives only while the element is in the designer
};

struct ElementField {
    const char *Name;
    ElementFieldType Type;
    ElementFieldStorage Storage;
    // The accessor pair of the field's type; the others are null.
    QString (clsPLControl::*GetText)() const = nullptr;
    void (clsPLControl::*SetText)(const QString &) = nullptr;
    double (clsPLControl::*GetDouble)() const = nullptr;
    void (clsPLControl::*SetDouble)(double) = nullptr;
    qint32 (clsPLControl::*GetInt32)() const = nullptr;
    void (clsPLControl::*SetInt32)(qint32) = nullptr;
    bool (clsPLControl::*GetBool)() const = nullptr;
    void (clsPLControl::*SetBool)(bool) = nullptr;
};

constexpr int ElementFieldCount = 29;
const std::array<ElementField, ElementFieldCount> &ElementFields();
