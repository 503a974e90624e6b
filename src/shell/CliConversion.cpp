#include "shell/CliConversion.h"

CliConversion::CliConversion(std::optional<QString> rate, std::optional<QString> counterAmount)
    : m_rate(std::move(rate)), m_counterAmount(std::move(counterAmount))
{
}

std::optional<CurrencyConversionForm::Outcome> CliConversion::confirm(CurrencyConversionForm& model)
{
    ++m_answered;
    // Currency A is the other one, B the edited account's: row 1 reads
    // "left units of A = right units of B".
    if (m_rate) {
        model.editLeftRate(QStringLiteral("1"));
        model.editRightRate(*m_rate);
    } else if (m_counterAmount) {
        QString amount = m_counterAmount->trimmed();
        if (amount.startsWith(u'-'))
            amount.remove(0, 1);
        if (model.mode() == CurrencyConversionForm::Mode::EditableAmount) {
            model.editLeftAmount(amount);
        } else {
            // With the amount in A fixed by the rate, the rate that gives it:
            // A's amount units of A = B's amount units of B.
            model.editLeftRate(amount);
            model.editRightRate(model.rightAmountText());
        }
    }
    return model.accept();
}
