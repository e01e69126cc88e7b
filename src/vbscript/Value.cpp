#include "vbscript/Value.h"

#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptObject.h"

#include <new>

namespace vbs {

// Assignments release the old contents last, once this value holds the new ones: releasing
// an object can run script code (Class_Terminate) that reads this very variable, and the
// source may live inside what is released (a = a(0)).
Value &Value::assignSlow(const Value &other)
{
    if (this != &other) {
        Value old(std::move(*this));
        copyFrom(other);
    }
    return *this;
}

Value &Value::assignSlow(Value &&other) noexcept
{
    if (this != &other) {
        Value old(std::move(*this));
        moveFrom(other);
    }
    return *this;
}

namespace {

// Releasing the last reference to an array or object releases what it holds, and so on down:
// a chain of 200,000 nested arrays would recurse as deep. Below this depth values wait in a
// queue that the outermost release empties, one at a time.
constexpr int kMaxReleaseDepth = 64;

struct ReleaseQueue {
    int depth = 0;
    std::vector<Value> waiting;
};
thread_local ReleaseQueue t_release;

} // namespace

void Value::destroy()
{
    switch (m_type) {
    case Type::String:
        m_str.~QString();
        break;
    case Type::Object:
    case Type::Array:
        if ((m_type == Type::Object ? m_obj.use_count() : m_arr.use_count()) == 1) {
            releaseLast();
            return;
        }
        if (m_type == Type::Object)
            m_obj.~shared_ptr();
        else
            m_arr.~shared_ptr();
        break;
    default:
        break;
    }
    m_type = Type::Empty;
    m_num = 0;
}

void Value::releaseLast()
{
    ReleaseQueue &q = t_release;
    if (q.depth >= kMaxReleaseDepth) {
        q.waiting.push_back(std::move(*this)); // leaves this Empty
        return;
    }
    ++q.depth;
    if (m_type == Type::Object)
        m_obj.~shared_ptr();
    else
        m_arr.~shared_ptr();
    m_type = Type::Empty;
    m_num = 0;
    if (q.depth == 1) {
        while (!q.waiting.empty()) {
            Value next = std::move(q.waiting.back());
            q.waiting.pop_back();
        }
    }
    --q.depth;
}

void Value::copyFrom(const Value &other)
{
    switch (other.m_type) {
    case Type::String:
        new (&m_str) QString(other.m_str);
        m_oddBytes = other.m_oddBytes;
        break;
    case Type::Object:
        new (&m_obj) std::shared_ptr<ScriptObject>(other.m_obj);
        break;
    case Type::Array:
        new (&m_arr) std::shared_ptr<ArrayData>(other.m_arr);
        break;
    default:
        m_num = other.m_num;
        break;
    }
    m_type = other.m_type;
}

void Value::moveFrom(Value &other) noexcept
{
    switch (other.m_type) {
    case Type::String:
        new (&m_str) QString(std::move(other.m_str));
        m_oddBytes = other.m_oddBytes;
        break;
    case Type::Object:
        new (&m_obj) std::shared_ptr<ScriptObject>(std::move(other.m_obj));
        break;
    case Type::Array:
        new (&m_arr) std::shared_ptr<ArrayData>(std::move(other.m_arr));
        break;
    default:
        m_num = other.m_num;
        break;
    }
    m_type = other.m_type;
    other.destroy();
}

void checkLargeString(long long size)
{
    if (size > kMaxStringLength)
        raise(Err::OutOfMemory);
    checkMemory();
}

Value Value::byteString(QString s, bool oddBytes)
{
    Value v = string(std::move(s));
    v.m_oddBytes = oddBytes && !v.m_str.isEmpty();
    return v;
}

Value Value::object(std::shared_ptr<ScriptObject> o)
{
    Value v;
    new (&v.m_obj) std::shared_ptr<ScriptObject>(std::move(o));
    v.m_type = Type::Object;
    return v;
}

Value Value::array(std::shared_ptr<ArrayData> a)
{
    Value v;
    new (&v.m_arr) std::shared_ptr<ArrayData>(std::move(a));
    v.m_type = Type::Array;
    return v;
}

Value Value::array(std::vector<Value> items)
{
    if ((long long)items.size() >= kLargeArray)
        checkMemory();
    auto a = std::make_shared<ArrayData>();
    a->upper.push_back(int32_t(items.size()) - 1);
    a->items = std::move(items);
    return array(std::move(a));
}

bool Value::isNumeric() const
{
    switch (m_type) {
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Date:
    case Type::Boolean:
        return true;
    default:
        return false;
    }
}

bool Value::isIntegral() const
{
    return m_type == Type::Byte || m_type == Type::Integer || m_type == Type::Long
           || m_type == Type::Boolean;
}



namespace {

// Elements copied or made between two looks at the deadline.
constexpr size_t kItemsPerPoll = size_t(kWorkPerPoll) / 4;

// The storage of `count` elements, the first of them copies of `keep`'s, the rest Empty: the
// budget is asked first, and the deadline looked at while the elements are made.
std::vector<Value> madeItems(size_t count, const std::vector<Value> *keep)
{
    reserveMemory((long long)count * (long long)sizeof(Value));
    std::vector<Value> items;
    try {
        items.reserve(count);
    } catch (const std::bad_alloc &) {
        raise(Err::OutOfMemory);
    }
    const size_t kept = keep ? std::min(count, keep->size()) : 0;
    while (items.size() < kept) {
        const size_t end = std::min(kept, items.size() + kItemsPerPoll);
        items.insert(items.end(), keep->begin() + long(items.size()), keep->begin() + long(end));
        if (end < count)
            checkDeadline();
    }
    while (items.size() < count) {
        items.resize(std::min(count, items.size() + kItemsPerPoll));
        if (items.size() < count)
            checkDeadline();
    }
    return items;
}

} // namespace

ArrayData &Value::mutableArray()
{
    if (m_arr.use_count() > 1) {
        // Copy on write: a large array is copied in pieces, each after the budget said yes.
        auto copy = std::make_shared<ArrayData>();
        copy->upper = m_arr->upper;
        copy->fixedSize = m_arr->fixedSize;
        copy->items = madeItems(m_arr->items.size(), &m_arr->items);
        m_arr = std::move(copy);
    }
    return *m_arr;
}

long long ArrayData::offset(const std::vector<int32_t> &index) const
{
    if (index.size() != upper.size())
        return -1;
    long long pos = 0;
    for (int d = int(upper.size()) - 1; d >= 0; --d) {
        if (index[d] < 0 || index[d] > upper[d])
            return -1;
        pos = pos * ((long long)upper[d] + 1) + index[d];
    }
    return pos;
}

std::shared_ptr<ArrayData> makeArray(const std::vector<int32_t> &upper, const ArrayData *keep)
{
    long long count = 1;
    for (int32_t u : upper) {
        if (u < -1)
            raise(Err::SubscriptOutOfRange);
        count *= ((long long)u + 1);
        if (count > kMaxArrayElements)
            raise(Err::OutOfMemory);
    }
    auto a = std::make_shared<ArrayData>();
    a->upper = upper;
    a->items = madeItems(size_t(count), keep ? &keep->items : nullptr);
    return a;
}

} // namespace vbs
