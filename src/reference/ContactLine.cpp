#include "reference/ContactLine.h"

namespace {

// The number marks, in the order work, home, mobile.
constexpr char16_t PhoneLetters[] = u"whm";
constexpr QChar WorkLetter = QChar(PhoneLetters[0]);
constexpr QChar HomeLetter = QChar(PhoneLetters[1]);
constexpr QChar MobileLetter = QChar(PhoneLetters[2]);

QString nameGroup(const ContactCard& card)
{
    const bool hasName = !card.firstName.isEmpty() || !card.middleName.isEmpty() || !card.lastName.isEmpty();
    if (!hasName)
        return card.company;
    QString group = card.firstName + u' ' + card.middleName + u' ' + card.lastName;
    if (!card.company.isEmpty())
        group += QStringLiteral(" [") + card.company + u']';
    return group;
}

void appendNumber(QString& line, QStringView separator, const QString& number, QStringView mark)
{
    if (number.isEmpty())
        return;
    line += separator;
    line += number;
    line += mark;
}

}  // namespace

QString contactLine(const ContactCard& card)
{
    QString line = nameGroup(card);
    if (line.isEmpty())
        return {};
    line += u'|';
    const QString work(WorkLetter), home(HomeLetter), mobile(MobileLetter);
    appendNumber(line, u" ", card.work, work);
    appendNumber(line, u", ", card.mobile, mobile);
    appendNumber(line, u", ", card.secondWork, work);
    appendNumber(line, u", Pager:", card.pager, {});
    appendNumber(line, u", ", card.home, home);
    appendNumber(line, u", ", card.secondHome, home);
    return line;
}

QString chosenContact(QStringView line)
{
    const qsizetype bar = line.indexOf(u'|');
    QStringView name = bar < 0 ? line : line.left(bar);
    while (name.endsWith(u' '))
        name.chop(1);
    return name.toString();
}
