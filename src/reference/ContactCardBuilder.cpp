#include "reference/ContactCardBuilder.h"

#include "reference/ContactVCardText.h"

namespace {

// More numbers of one kind than there are slots for it are never shown.
constexpr qsizetype MaxNumbersPerKind = 2;

void keepFirst(std::optional<QString>& slot, const std::optional<QString>& text)
{
    if (!slot && text)
        slot = text;
}

void appendBounded(QStringList& numbers, const QString& number)
{
    if (!number.isEmpty() && numbers.size() < MaxNumbersPerKind)
        numbers.append(number);
}

QString numberAt(const QStringList& numbers, qsizetype index)
{
    return index < numbers.size() ? numbers[index] : QString();
}

// "tel:+1-555-0100;ext=12" reads as "+1-555-0100 ext. 12"; the other
// parameters of a tel URI say nothing a reader of the list needs.
QString telUriNumber(QStringView uri)
{
    const QList<QStringView> parts = uri.sliced(4).split(u';');
    QString number = parts.first().toString();
    for (QStringView part : parts.sliced(1)) {
        if (part.startsWith(u"ext=", Qt::CaseInsensitive))
            number += QStringLiteral(" ext. ") + part.sliced(4).toString();
    }
    return number;
}

}  // namespace

void ContactCardBuilder::add(const ContactVCardProperty& property)
{
    const QByteArray& name = property.name;
    if (name == "VERSION") {
        const QByteArray version = property.value.trimmed();
        m_gathered.listValues = version.startsWith("3.") || version.startsWith("4.");
        return;
    }
    if (name != "N" && name != "FN" && name != "ORG" && name != "TEL")
        return;
    const std::optional<QString> text = property.text(m_fallback);
    if (name == "N")
        keepFirst(m_gathered.name, text);
    else if (name == "FN")
        keepFirst(m_gathered.formattedName, text);
    else if (name == "ORG")
        keepFirst(m_gathered.organization, text);
    else if (text)
        addPhone(property, *text);
}

ContactCard ContactCardBuilder::build() const
{
    ContactCard card;
    if (m_gathered.organization)
        card.company = cleanField(unescapeText(splitUnescaped(*m_gathered.organization, u';').first()));
    setNames(card);
    setPhones(card);
    return card;
}

ContactCardBuilder::PhoneKind ContactCardBuilder::phoneKind(const ContactVCardProperty& property)
{
    if (property.hasType("pager"))
        return PhoneKind::Pager;
    if (property.hasType("cell"))
        return PhoneKind::Mobile;
    if (property.hasType("fax") || property.hasType("modem"))
        return PhoneKind::Left;
    if (property.hasType("work"))
        return PhoneKind::Work;
    if (property.hasType("home"))
        return PhoneKind::Home;
    return PhoneKind::Other;
}

QString ContactCardBuilder::phoneNumber(const ContactVCardProperty& property, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u"tel:", Qt::CaseInsensitive))
        return cleanField(telUriNumber(trimmed));
    if (property.valueType == "uri")
        return cleanField(trimmed);
    return cleanField(unescapeText(trimmed));
}

void ContactCardBuilder::addPhone(const ContactVCardProperty& property, const QString& text)
{
    const QString number = phoneNumber(property, text);
    switch (phoneKind(property)) {
    case PhoneKind::Work:
        appendBounded(m_gathered.work, number);
        break;
    case PhoneKind::Home:
        appendBounded(m_gathered.home, number);
        break;
    case PhoneKind::Mobile:
        appendBounded(m_gathered.mobile, number);
        break;
    case PhoneKind::Pager:
        appendBounded(m_gathered.pager, number);
        break;
    case PhoneKind::Other:
        appendBounded(m_gathered.other, number);
        break;
    case PhoneKind::Left:
        break;
    }
}

QString ContactCardBuilder::nameComponent(QStringView component) const
{
    if (!m_gathered.listValues)
        return cleanField(unescapeText(component));
    QStringList values;
    for (QStringView value : splitUnescaped(component, u',')) {
        const QString clean = cleanField(unescapeText(value));
        if (!clean.isEmpty())
            values.append(clean);
    }
    return values.join(u' ');
}

void ContactCardBuilder::setNames(ContactCard& card) const
{
    if (m_gathered.name) {
        const QList<QStringView> parts = splitUnescaped(*m_gathered.name, u';');
        card.lastName = nameComponent(parts[0]);
        card.firstName = parts.size() > 1 ? nameComponent(parts[1]) : QString();
        card.middleName = parts.size() > 2 ? nameComponent(parts[2]) : QString();
    }
    const bool named = !card.firstName.isEmpty() || !card.middleName.isEmpty() || !card.lastName.isEmpty();
    if (named || !m_gathered.formattedName)
        return;
    const QString formatted = cleanField(unescapeText(*m_gathered.formattedName));
    if (formatted != card.company)
        card.firstName = formatted;
}

void ContactCardBuilder::setPhones(ContactCard& card) const
{
    card.work = numberAt(m_gathered.work, 0);
    card.secondWork = numberAt(m_gathered.work, 1);
    card.mobile = numberAt(m_gathered.mobile, 0);
    card.pager = numberAt(m_gathered.pager, 0);
    QStringList home = m_gathered.home;
    home.append(m_gathered.other);
    card.home = numberAt(home, 0);
    card.secondHome = numberAt(home, 1);
}
