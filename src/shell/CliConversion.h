#pragma once

// The conversion confirmation answered from the command line: `--rate R`
// (units of the edited account's currency per unit of the other currency) or
// `--counter-amount A` (the amount in the other currency); without either the
// stored rate is taken as the model proposes it. The command line never
// cancels.

#include "reference/ConversionConfirmation.h"

#include <QString>

#include <optional>

class CliConversion : public ConversionConfirmation {
public:
    CliConversion(std::optional<QString> rate, std::optional<QString> counterAmount);

    std::optional<CurrencyConversionForm::Outcome> confirm(CurrencyConversionForm& model) override;

    // How many confirmations were answered.
    int answered() const { return m_answered; }

private:
    std::optional<QString> m_rate;
    std::optional<QString> m_counterAmount;
    int m_answered = 0;
};
