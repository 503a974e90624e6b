#include "reports/FilterFile.h"

#include "platform/Interaction.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

enum Tag : quint8 {
    AccountsTag = 2,
    CategoriesTag = 3,
    ProjectsTag = 4,
    DescriptionTag = 5,
    NoteTag = 6,
    ContactTag = 7,
    AmountTag = 8,
    NumberTag = 10,
    UnreconciledTag = 11,
    ClearedTag = 12,
    ReconciledTag = 13,
    EndTag = 255,
};

constexpr std::array<char, 5> Header = {'t', 'y', 'f', 1, 1};
// A count or a length is 16 bits wide.
constexpr qsizetype MaxPerEntry = 0xFFFF;

using IdKind = ReportFilter::IdKind;
using TextField = ReportFilter::TextField;

// ---- writing ----------------------------------------------------------------

template <typename T> void put(QByteArray& out, T value)
{
    std::array<char, sizeof(T)> bytes;
    qToLittleEndian(value, bytes.data());
    out.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A list longer than one entry can count goes out as several entries of the
// same tag; reading adds the ids of each, so the list reads back whole.
void putList(QByteArray& out, quint8 tag, const ReportIdList& list)
{
    const std::vector<qint32>& ids = list.ids();
    for (size_t start = 0; start < ids.size(); start += MaxPerEntry) {
        const size_t end = std::min<size_t>(ids.size(), start + MaxPerEntry);
        put<quint8>(out, tag);
        put<quint16>(out, static_cast<quint16>(end - start));
        for (size_t i = start; i < end; ++i)
            put<qint32>(out, ids[i]);
    }
}

// A text beyond 65,535 code units is cut there, never inside a surrogate pair.
void putText(QByteArray& out, quint8 tag, const QString& text)
{
    qsizetype length = std::min(text.size(), MaxPerEntry);
    if (length < text.size() && length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    put<quint8>(out, tag);
    put<quint16>(out, static_cast<quint16>(length));
    for (qsizetype i = 0; i < length; ++i)
        put<quint16>(out, text.at(i).unicode());
}

void putFlag(QByteArray& out, quint8 tag, bool on)
{
    if (!on)
        return;
    put<quint8>(out, tag);
    put<quint8>(out, 1);
}

// ---- reading ----------------------------------------------------------------

class EntryReader {
public:
    EntryReader(QIODevice& in, ReportFilter& filter) : m_in(in), m_filter(filter) {}

    bool header()
    {
        std::array<char, Header.size()> bytes{};
        return exact(bytes.data(), bytes.size()) && bytes == Header;
    }

    FilterFile::ReadResult entries()
    {
        quint8 tag = 0;
        while (get(tag)) {
            if (tag == EndTag)
                return FilterFile::ReadResult::Complete;
            if (!entry(tag))
                break;
        }
        return FilterFile::ReadResult::Damaged;
    }

private:
    bool entry(quint8 tag)
    {
        switch (tag) {
        case AccountsTag:
            return list(IdKind::Accounts);
        case CategoriesTag:
            return list(IdKind::Categories);
        case ProjectsTag:
            return list(IdKind::Projects);
        case DescriptionTag:
            return text(TextField::Description);
        case NoteTag:
            return text(TextField::Note);
        case ContactTag:
            return text(TextField::Contact);
        case NumberTag:
            return text(TextField::Number);
        case AmountTag:
            return amount();
        case UnreconciledTag:
            return flag(ReconcileMark::Unreconciled);
        case ClearedTag:
            return flag(ReconcileMark::Cleared);
        case ReconciledTag:
            return flag(ReconcileMark::Reconciled);
        default:
            return false;
        }
    }

    // Each id counts as soon as it is read, as the list grows entry by entry.
    bool list(IdKind kind)
    {
        quint16 count = 0;
        if (!get(count))
            return false;
        for (quint16 i = 0; i < count; ++i) {
            qint32 id = 0;
            if (!get(id) || !m_filter.addId(kind, id))
                return false;
        }
        return true;
    }

    bool text(TextField field)
    {
        quint16 length = 0;
        if (!get(length))
            return false;
        // Grown as the units arrive: a length the file cannot back costs nothing.
        QString value;
        for (quint16 i = 0; i < length; ++i) {
            quint16 unit = 0;
            if (!get(unit))
                return false;
            value.append(QChar(unit));
        }
        m_filter.setText(field, value);
        return true;
    }

    bool amount()
    {
        qint64 low = 0;
        qint64 high = 0;
        if (!get(low) || !get(high))
            return false;
        m_filter.setAmountRange(Money::fromHundredths(low), Money::fromHundredths(high));
        return true;
    }

    // A zero byte sets nothing: a file can set a flag but never clear one.
    bool flag(ReconcileMark mark)
    {
        quint8 value = 0;
        if (!get(value))
            return false;
        if (value != 0)
            m_filter.setMarkFlag(mark, true);
        return true;
    }

    template <typename T> bool get(T& value)
    {
        std::array<char, sizeof(T)> bytes{};
        if (!exact(bytes.data(), bytes.size()))
            return false;
        value = qFromLittleEndian<T>(bytes.data());
        return true;
    }

    bool exact(char* into, size_t size)
    {
        const auto wanted = static_cast<qint64>(size);
        return m_in.read(into, wanted) == wanted;
    }

    QIODevice& m_in;
    ReportFilter& m_filter;
};

}  // namespace

const QString FilterFile::ReadErrorText = QStringLiteral("Error Read File");

QByteArray FilterFile::encode(const ReportFilter& filter)
{
    QByteArray out(Header.data(), static_cast<qsizetype>(Header.size()));
    putList(out, AccountsTag, filter.ids(IdKind::Accounts));
    putList(out, CategoriesTag, filter.ids(IdKind::Categories));
    putList(out, ProjectsTag, filter.ids(IdKind::Projects));
    const std::pair<quint8, TextField> texts[] = {{DescriptionTag, TextField::Description},
                                                  {NoteTag, TextField::Note},
                                                  {ContactTag, TextField::Contact},
                                                  {NumberTag, TextField::Number}};
    for (const auto& [tag, field] : texts) {
        if (filter.textActive(field))
            putText(out, tag, filter.text(field));
    }
    if (filter.amountActive()) {
        put<quint8>(out, AmountTag);
        put<qint64>(out, filter.amountLow().hundredths());
        put<qint64>(out, filter.amountHigh().hundredths());
    }
    putFlag(out, UnreconciledTag, filter.markFlag(ReconcileMark::Unreconciled));
    putFlag(out, ClearedTag, filter.markFlag(ReconcileMark::Cleared));
    putFlag(out, ReconciledTag, filter.markFlag(ReconcileMark::Reconciled));
    put<quint8>(out, EndTag);
    return out;
}

FilterFile::ReadResult FilterFile::read(QIODevice& in, ReportFilter& filter)
{
    EntryReader reader(in, filter);
    if (!reader.header())
        return ReadResult::BadHeader;
    filter.clearConditions();
    return reader.entries();
}

bool FilterFile::save(const QString& path, const ReportFilter& filter)
{
    QSaveFile file(path);
    // Unbuffered: a short write must fail here, not pass unseen to the commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = encode(filter);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

FilterFile::ReadResult FilterFile::load(const QString& path, ReportFilter& filter, Interaction& ui)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::NotOpened;
    const ReadResult result = read(file, filter);
    if (result != ReadResult::Complete)
        ui.showMessage(ReadErrorText, Interaction::Icon::Exclamation);
    return result;
}
