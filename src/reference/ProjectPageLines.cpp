#include "reference/ProjectPageLines.h"

#include "store/RecordLayout.h"

#include <algorithm>

QString ProjectPageLines::labelled(const char* label, const QString& value)
{
    return QString::fromUtf8(label) + QStringLiteral(": ") + value;
}

QString ProjectPageLines::totalLine(Money net, const CurrencyCache& currencies, QStringView defaultCode,
                                    const LocaleValues& locale)
{
    return labelled(TotalLabel, currencies.amountText(net, defaultCode, locale));
}

QString ProjectPageLines::prognosisLine(Money planned, const CurrencyCache& currencies,
                                        QStringView defaultCode, const LocaleValues& locale)
{
    return labelled(PrognosisLabel, currencies.amountText(planned, defaultCode, locale));
}

// True when a line was added. Payments are held as magnitudes and shown signed.
bool ProjectPageLines::addCurrencyLines(PopupLines& popup, const ProjectTotalsRecord& project,
                                        const CachedCurrency& currency, const LocaleValues& locale)
{
    if (!Prop::isValidCurrencyNumber(currency.number))
        return false;
    const Money deposits = project.depositsIn(currency.number);
    const Money payments = project.paymentsIn(currency.number);
    const QString code = QStringLiteral(" ") + currency.code;
    if (!deposits.isZero())
        popup.add(QString::fromUtf8(DepositLabel) + QStringLiteral(" ") + moneyText(deposits, locale) + code);
    if (!payments.isZero())
        popup.add(QString::fromUtf8(PaymentLabel) + QStringLiteral(" -") + moneyText(payments, locale) +
                  code);
    return !deposits.isZero() || !payments.isZero();
}

PopupLines ProjectPageLines::projectLines(const ProjectTotalsRecord& project, const CurrencyCache& currencies,
                                          QStringView defaultCode, const LocaleValues& locale)
{
    PopupLines popup;
    popup.add(labelled(ProjectLabel, project.name));
    popup.addSeparator();
    for (const CachedCurrency& currency : currencies.entries()) {
        if (addCurrencyLines(popup, project, currency, locale))
            popup.addSeparator();
    }
    popup.add(labelled(TotalLabel, moneyText(project.netTotal(), locale)) + QStringLiteral(" ") +
              defaultCode.toString() + QStringLiteral(" ") + QString::fromUtf8(ConvertedNote));
    return popup;
}

PopupLines ProjectPageLines::contextMenu(const ProjectTotalsRecord& project, const CurrencyCache& currencies,
                                         QStringView defaultCode, const LocaleValues& locale)
{
    PopupLines popup = projectLines(project, currencies, defaultCode, locale);
    popup.add(QString::fromUtf8(DeleteText));
    return popup;
}

PopupLines ProjectPageLines::totalPopup(const ProjectTotalsRecord& project, int transactionRows,
                                        const CurrencyCache& currencies, QStringView defaultCode,
                                        const LocaleValues& locale)
{
    PopupLines popup = projectLines(project, currencies, defaultCode, locale);
    popup.add(QString::fromUtf8(CountLabel) + QStringLiteral(" ") +
              QString::number(std::max(transactionRows, 0)));
    return popup;
}
