#include "platform/RecordCodec.h"

#include <cstring>

namespace RecordCodec {
namespace {

template <typename T>
void put(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<char>((static_cast<quint64>(value) >> (8 * i)) & 0xff);
    out.append(bytes, sizeof(T));
}

template <typename T>
bool take(const uchar*& p, const uchar* end, T& value)
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
    char16_t* dst = reinterpret_cast<char16_t*>(text.data());
    for (quint32 i = 0; i < units; ++i)
        dst[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    p += static_cast<qsizetype>(units) * 2;
    return true;
}

}  // namespace

QByteArray encode(const PropList& props)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(props.size()) * 16);
    for (const PropValue& p : props) {
        put<quint16>(out, p.id);
        put<quint16>(out, static_cast<quint16>(p.type));
        switch (p.type) {
        case PropType::Int:
            put<qint32>(out, static_cast<qint32>(p.number));
            break;
        case PropType::Int64:
            put<qint64>(out, p.number);
            break;
        case PropType::Text: {
            put<quint32>(out, static_cast<quint32>(p.text.size()));
            const char16_t* units = reinterpret_cast<const char16_t*>(p.text.utf16());
            for (qsizetype i = 0; i < p.text.size(); ++i)
                put<quint16>(out, units[i]);
            break;
        }
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
