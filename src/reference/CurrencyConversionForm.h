#pragma once

// The conversion confirmation ("Confirm Currency Convertation"), without its
// widgets. Money moves from currency A to currency B. Two rows, each reading
// left, A's code, "=", right, B's code:
//   row 1, the rate:    two edits, left units of A = right units of B;
//   row 2, the amounts: left the amount in A (a read-only label, or an edit in
//                       the editable mode), right the amount moved in B.
// Editing either row recalculates the other. A recalculation never starts
// another: the model's own writes reach the view through the write listener,
// and a change notice the view sends back while that runs is ignored.

#include "reference/CurrencyCache.h"

#include <QString>

#include <functional>
#include <optional>

class CurrencyConversionForm {
public:
    enum class Mode { FixedAmount, EditableAmount };
    enum class Field { LeftRate, RightRate, LeftAmount };

    struct Outcome {
        std::optional<double> rate;  // right1 / left1 as A -> B; nullopt when unusable
        bool rateStored = false;
        Money amountA;  // round(row-2 left x 100), saturating
        Money amountB;  // the amount moved, as given
    };

    static const QString Title;  // "Confirm Currency Convertation"
    // The largest number the edits take: the money text of this many
    // hundredths replaces a number whose rounded magnitude exceeds 10^12.
    static constexpr qint64 ResetHundredths = 1'000'000'000'000;

    // amountA and amountB are the magnitudes the caller moves (amountA usually
    // amountB converted at the stored rate B -> A). The rates start so that the
    // shown rate is not below 1. The cache must outlive the model.
    CurrencyConversionForm(CurrencyCache& cache, QString codeA, QString codeB, Money amountA, Money amountB,
                           Mode mode, LocaleValues locale);

    Mode mode() const { return m_mode; }
    const QString& codeA() const { return m_codeA; }
    const QString& codeB() const { return m_codeB; }
    QString text(Field field) const;
    // The row-2 right label: the amount in B in money format.
    QString rightAmountText() const;

    // Called with each text the model writes into a field.
    void setWriteListener(std::function<void(Field, const QString&)> listener);

    // Step 1: a row-1 edit changed.
    void editLeftRate(const QString& text);
    void editRightRate(const QString& text);
    // Step 2: the row-2 edit changed (editable mode only; ignored otherwise).
    void editLeftAmount(const QString& text);

    // OK: stores right1 / left1 as the rate A -> B when it is usable (a rate of
    // 0 or one that is not finite stores nothing) and yields the amounts.
    Outcome accept();

private:
    void fillRates();
    void recalculateFromRates();
    void recalculateFromAmount();
    void write(Field field, const QString& value);
    QString& slot(Field field);
    QString resetText() const;

    CurrencyCache& m_cache;
    QString m_codeA;
    QString m_codeB;
    Money m_amountB;
    Mode m_mode;
    LocaleValues m_locale;
    QString m_leftRate;
    QString m_rightRate;
    QString m_leftAmount;
    bool m_writing = false;
    std::function<void(Field, const QString&)> m_listener;
};
