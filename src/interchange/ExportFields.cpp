#include "interchange/ExportFields.h"

#include "interchange/FieldText.h"
#include "store/RecordLayout.h"

#include <limits>

QString exportAmountText(Money amount, QChar decimalSeparator)
{
    const qint64 h = amount.hundredths();
    // Worked on the unsigned magnitude so the most negative amount has one too.
    const quint64 magnitude = h < 0 ? 0 - static_cast<quint64>(h) : static_cast<quint64>(h);
    QString text = QString::number(magnitude / 100);
    text += decimalSeparator;
    const quint64 cents = magnitude % 100;
    text += QLatin1Char(static_cast<char>('0' + cents / 10));
    text += QLatin1Char(static_cast<char>('0' + cents % 10));
    return h < 0 ? QLatin1Char('-') + text : text;
}

namespace {

// Only the blank is trimmed: other white space (a no-break space, a vertical
// tab) is part of the contact's text.
QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

QString statusText(qint32 mark)
{
    switch (static_cast<ReconcileMark>(mark)) {
    case ReconcileMark::Cleared:
        return QStringLiteral("*");
    case ReconcileMark::Reconciled:
        return QStringLiteral("X");
    case ReconcileMark::Unreconciled:
        break;
    }
    return {};
}

}  // namespace

ExportFields ExportFieldReader::read(const DbTable& t)
{
    ExportFields f;
    f.date = t.getInt64(Prop::Date);
    f.description = singleLineField(t.getText(Prop::Name));
    f.note = singleLineField(t.getText(Prop::Note));
    f.amount = exportAmountText(Money::fromHundredths(t.getInt64(Prop::Amount)), m_locale.decimalSeparator);
    f.category = categoryPath(t.getInt(Prop::CategoryId));
    f.project = projectPath(t.getInt(Prop::ProjectId));
    f.status = statusText(t.getInt(Prop::Mark));
    f.number = singleLineField(t.getText(Prop::Number));
    f.contact = trimBlanks(singleLineField(t.getText(Prop::Contact)));
    return f;
}

QString ExportFieldReader::categoryPath(qint32 id)
{
    // The most negative value would be a transfer to an account id beyond the
    // range of ids (and cannot be negated): no account has it.
    if (id == 0 || id == std::numeric_limits<qint32>::min())
        return {};
    auto it = m_categoryPaths.constFind(id);
    if (it == m_categoryPaths.constEnd())
        it = m_categoryPaths.insert(id, singleLineField(m_categories.pathOf(id)));
    return *it;
}

QString ExportFieldReader::projectPath(qint32 id)
{
    if (id == 0)
        return {};
    auto it = m_projectPaths.constFind(id);
    if (it == m_projectPaths.constEnd())
        it = m_projectPaths.insert(id, singleLineField(m_projects.pathOf(id)));
    return *it;
}
