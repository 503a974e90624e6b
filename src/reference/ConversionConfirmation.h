#pragma once

#include "reference/CurrencyConversionForm.h"

#include <optional>

// Shows the conversion confirmation ("Confirm Currency Convertation") for a
// model and returns what OK yields; nullopt for Cancel. The window shows the
// model in a dialog; the command line answers it from its options; tests
// script it. Whoever answers calls model.accept(), which stores the rate.
class ConversionConfirmation {
public:
    virtual ~ConversionConfirmation() = default;
    virtual std::optional<CurrencyConversionForm::Outcome> confirm(CurrencyConversionForm& model) = 0;
};

// Accepts every conversion as the model proposes it (the stored rate).
class AcceptingConversion : public ConversionConfirmation {
public:
    std::optional<CurrencyConversionForm::Outcome> confirm(CurrencyConversionForm& model) override
    {
        return model.accept();
    }
};
