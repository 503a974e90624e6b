#include "platform/RecordCodec.h"

#include <QtEndian>

#include <cstring>

namespace RecordCodec {
namespace {

// Writes at `out` and moves past what was written; the caller sized the buffer.
template <typename T> void put(uchar*& out, T value)
{
    qToLittleEndian(value, out);
    out += sizeof(T);
}

qsizetype encodedSize(const PropList& props)
{
    qsizetype size = 0;
    for (const PropValue& p : props) {
        size += 4;
        switch (p.type) {
        case PropType::Int:
            size += 4;
            break;
        case PropType::Int64:
            size += 8;
            break;
        case PropType::Text:
            size += 4 + p.text.size() * 2;
            break;
        }
    }
    return size;
}

template <typename T> bool take(const uchar*& p, const uchar* end, T& value)
{
    if (end - p < static_cast<ptrdiff_t>(sizeof(T)))
        return false;
    quint64 v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<quint64>(p[i]) << (8 * i);
    value = static_cast<T>(v);
    p += sizeof(T);
    return true;
}

bool takeText(const uchar*& p, const uchar* end, QString& text)
{
    quint32 units = 0;
    if (!take(p, end, units))
        return false;
    if (static_cast<quint64>(end - p) < static_cast<quint64>(units) * 2)
        return false;
    text.resize(units);
    qFromLittleEndian<quint16>(p, units, text.data());
    p += static_cast<qsizetype>(units) * 2;
    return true;
}

}  // namespace

QByteArray encode(const PropList& props)
{
    QByteArray out(encodedSize(props), Qt::Uninitialized);
    uchar* at = reinterpret_cast<uchar*>(out.data());
    for (const PropValue& p : props) {
        put<quint16>(at, p.id);
        put<quint16>(at, static_cast<quint16>(p.type));
        switch (p.type) {
        case PropType::Int:
            put<qint32>(at, static_cast<qint32>(p.number));
            break;
        case PropType::Int64:
            put<qint64>(at, p.number);
            break;
        case PropType::Text:
            put<quint32>(at, static_cast<quint32>(p.text.size()));
            qToLittleEndian<quint16>(p.text.utf16(), p.text.size(), at);
            at += p.text.size() * 2;
            break;
        }
    }
    return out;
}

bool decode(const void* data, qsizetype size, PropList& out)
{
    out.clear();
    const uchar* p = static_cast<const uchar*>(data);
    const uchar* end = p + size;
    while (p < end) {
        PropValue v;
        quint16 type = 0;
        if (!take(p, end, v.id) || !take(p, end, type)) {
            out.clear();
            return false;
        }
        bool ok = false;
        if (type == static_cast<quint16>(PropType::Int)) {
            qint32 n = 0;
            ok = take(p, end, n);
            v.number = n;
        } else if (type == static_cast<quint16>(PropType::Int64)) {
            ok = take(p, end, v.number);
        } else if (type == static_cast<quint16>(PropType::Text)) {
            ok = takeText(p, end, v.text);
        }
        if (!ok) {
            out.clear();
            return false;
        }
        v.type = static_cast<PropType>(type);
        out.push_back(std::move(v));
    }
    return true;
}

}  // namespace RecordCodec
