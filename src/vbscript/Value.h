#pragma once
// Value: the one data type of scripts, a Variant with a subtype. Arrays are values (assigning
// one copies it, lazily: the element storage is shared until one side writes); objects are
// references.
#include <QString>
#include <bit>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace vbs {

class ScriptObject;
struct ArrayData;

// The numbers are what VarType returns.
enum class Type : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10, // only as an omitted argument: f a, , c
    Boolean = 11,
    Byte = 17,
    Array = 8204, // array of Variant
};

class Value {
public:
    // Copies and moves of numbers never touch the heap, and those of strings only the text's
    // reference count: those paths stay inline (forced: a file with many operator functions
    // would otherwise run out of the compiler's inlining budget and call them).
    Value() : m_type(Type::Empty), m_num(0) {}
    [[gnu::always_inline]] Value(const Value &other) : m_type(other.m_type), m_num(other.m_num)
    {
        if (other.onHeap()) {
            if (other.m_type == Type::String) {
                m_oddBytes = other.m_oddBytes;
                new (&m_str) QString(other.m_str);
            } else {
                copyFrom(other);
            }
        }
    }
    [[gnu::always_inline]] Value(Value &&other) noexcept : m_type(other.m_type), m_num(other.m_num)
    {
        if (other.onHeap()) {
            if (other.m_type == Type::String) {
                m_oddBytes = other.m_oddBytes;
                new (&m_str) QString(std::move(other.m_str));
                other.m_str.~QString();
                other.m_type = Type::Empty;
                other.m_num = 0;
            } else {
                moveFrom(other);
            }
        }
    }
    [[gnu::always_inline]] Value &operator=(const Value &other)
    {
        if (!onHeap() && !other.onHeap()) {
            m_type = other.m_type;
            m_num = other.m_num;
            return *this;
        }
        return assignSlow(other);
    }
    [[gnu::always_inline]] Value &operator=(Value &&other) noexcept
    {
        if (!onHeap() && !other.onHeap()) {
            m_type = other.m_type;
            m_num = other.m_num;
            return *this;
        }
        return assignSlow(std::move(other));
    }
    [[gnu::always_inline]] ~Value()
    {
        if (onHeap()) {
            if (m_type == Type::String)
                m_str.~QString();
            else
                destroy();
        }
    }

    // Makes this Empty, releasing what it held.
    void clear()
    {
        if (onHeap())
            *this = Value();
        else
            m_type = Type::Empty;
    }

    // The scalar factories are defined here so that arithmetic inlines them. Each writes the
    // whole 64-bit payload at once (the narrow members are its low bytes): a narrow store
    // followed by the full-width copy of the value would stall the processor's store
    // forwarding on every result.
    static Value null() { return scalar(Type::Null); }
    static Value missing() { return scalar(Type::Error); } // an omitted argument
    static Value boolean(bool b) { return payload(Type::Boolean, b ? 1 : 0); }
    static Value byte(uint8_t x) { return payload(Type::Byte, x); }
    // An Integer is stored widened to 32 bits, so that Integer and Long read alike (asSmallInteger).
    static Value integer(int16_t x) { return payload(Type::Integer, uint32_t(int32_t(x))); }
    static Value longValue(int32_t x) { return payload(Type::Long, uint32_t(x)); }
    static Value single(float x) { return payload(Type::Single, std::bit_cast<uint32_t>(x)); }
    static Value dbl(double x) { return floating(Type::Double, x); }
    static Value currency(double x) { return floating(Type::Currency, x); }
    static Value date(double x) { return floating(Type::Date, x); }
    static Value string(QString s); // inline below
    // A text of an odd number of bytes (ChrB, LeftB, ...): its last character holds one byte,
    // the low one, and the high byte is not part of the text.
    static Value byteString(QString s, bool oddBytes);
    static Value object(std::shared_ptr<ScriptObject> o); // null pointer means Nothing
    static Value array(std::shared_ptr<ArrayData> a);
    // A one-dimensional array (lower bound 0) of the given elements.
    static Value array(std::vector<Value> items);

    Type type() const { return m_type; }
    // String (8), Object (9) and Array (8204) are the subtypes whose value lives on the heap,
    // and the only ones with bit 3 set and bit 1 clear: one test on every copy and release.
    static constexpr bool isHeapType(Type t) { return (uint16_t(t) & 0xA) == 0x8; }
    bool isEmpty() const { return m_type == Type::Empty; }
    bool isNull() const { return m_type == Type::Null; }
    bool isString() const { return m_type == Type::String; }
    bool oddBytes() const { return m_type == Type::String && m_oddBytes; }
    bool isArray() const { return m_type == Type::Array; }
    bool isObject() const { return m_type == Type::Object; }
    bool isNothing() const { return m_type == Type::Object && !m_obj; }
    // Byte, Integer, Long, Single, Double, Currency, Date, Boolean.
    bool isNumeric() const;
    bool isIntegral() const; // Byte, Integer, Long, Boolean

    // Raw access; the caller has checked the type.
    bool asBool() const { return m_b; }
    int32_t asInt() const // for Byte, Integer, Long, Boolean
    {
        switch (m_type) {
        case Type::Integer: return m_i16;
        case Type::Long: return m_i32;
        case Type::Byte: return m_byte;
        case Type::Boolean: return m_b ? -1 : 0;
        default: return 0;
        }
    }
    double asDouble() const // any numeric subtype
    {
        switch (m_type) {
        case Type::Double:
        case Type::Currency:
        case Type::Date: return m_d;
        case Type::Single: return m_f;
        default: return asInt();
        }
    }
    // Integer or Long: the subtypes of the interpreter's fast paths.
    bool isSmallInteger() const { return m_type == Type::Integer || m_type == Type::Long; }
    int32_t asSmallInteger() const { return m_i32; } // Integer or Long, checked by the caller
    // The text of a String value for appending in place (s = s & x); null for other types.
    QString *stringForAppend() { return m_type == Type::String && !m_oddBytes ? &m_str : nullptr; }
    const QString &asString() const { return m_str; }
    const std::shared_ptr<ScriptObject> &asObject() const { return m_obj; }
    const std::shared_ptr<ArrayData> &asArray() const { return m_arr; }
    // The array's storage, made private to this value first (copy on write).
    ArrayData &mutableArray();

private:
    static Value scalar(Type t)
    {
        Value v;
        v.m_type = t;
        return v;
    }
    static Value floating(Type t, double x) { return payload(t, std::bit_cast<int64_t>(x)); }
    static Value payload(Type t, int64_t bits)
    {
        static_assert(std::endian::native == std::endian::little, "narrow members are the low bytes");
        Value v;
        v.m_type = t;
        v.m_num = bits;
        return v;
    }
    bool onHeap() const { return isHeapType(m_type); }
    void destroy();
    void releaseLast(); // of an array or object whose last reference this value holds
    void copyFrom(const Value &other);
    void moveFrom(Value &other) noexcept;
    Value &assignSlow(const Value &other);
    Value &assignSlow(Value &&other) noexcept;

    Type m_type;
    // See byteString. Set whenever a value becomes a String, and read only then: copies of
    // other values leave it as it was.
    bool m_oddBytes;
    union {
        bool m_b;
        uint8_t m_byte;
        int16_t m_i16;
        int32_t m_i32;
        float m_f;
        double m_d;
        int64_t m_num;
        QString m_str;
        std::shared_ptr<ScriptObject> m_obj;
        std::shared_ptr<ArrayData> m_arr;
    };
};

static_assert([] {
    for (Type t : {Type::Empty, Type::Null, Type::Integer, Type::Long, Type::Single, Type::Double,
                   Type::Currency, Type::Date, Type::Error, Type::Boolean, Type::Byte})
        if (Value::isHeapType(t))
            return false;
    return Value::isHeapType(Type::String) && Value::isHeapType(Type::Object)
           && Value::isHeapType(Type::Array);
}(), "the heap test knows every subtype");

// Arrays are zero-based in every dimension; `upper` holds the upper bound of each dimension.
// An array without dimensions is the uninitialised dynamic array of `Dim a()`.
struct ArrayData {
    std::vector<int32_t> upper;
    std::vector<Value> items; // last dimension varies slowest
    bool fixedSize = false;   // declared with bounds (Dim a(3)): Erase empties, keeps the bounds

    int dims() const { return int(upper.size()); }
    // Flat position of the indexes, or -1 when one is out of range.
    long long offset(const std::vector<int32_t> &index) const;
};

// Longest array and string a script may build; beyond them a run raises 7 (memory).
constexpr long long kMaxArrayElements = 4'000'000;
constexpr long long kMaxStringLength = 64'000'000;
// Strings and arrays from this size on look at the run's memory budget when they are made.
constexpr long long kLargeString = 1'000'000;
constexpr long long kLargeArray = 65'536;

// Raises 7 for a string longer than kMaxStringLength; a large one asks the run's memory budget.
void checkLargeString(long long size);

inline Value Value::string(QString s)
{
    if (s.size() >= kLargeString) [[unlikely]]
        checkLargeString(s.size());
    Value v;
    new (&v.m_str) QString(std::move(s));
    v.m_type = Type::String;
    v.m_oddBytes = false;
    return v;
}

// Allocates an array of the given upper bounds, raising 7 for one too large or past the run's
// budget and 9 for a negative bound below -1. Its first elements are copies of `keep`'s
// (ReDim Preserve: only the last dimension, which varies slowest, may differ).
std::shared_ptr<ArrayData> makeArray(const std::vector<int32_t> &upper, const ArrayData *keep = nullptr);

} // namespace vbs
