#pragma once

// An amount as a bank's CSV file writes it, read exactly into hundredths: a
// decimal separator of the mapping's choice, any grouping marks (the other
// one of '.' and ',', blanks, apostrophes), a currency sign or code around
// it, and a negative written "-12.50", "12.50-" or "(12.50)". Digits past the
// second decimal round half away from zero.

#include "store/Money.h"

#include <QChar>
#include <QStringView>

#include <optional>

// nullopt for text that holds no number, holds stray characters, or an
// amount out of the store's range. Empty text is nullopt too.
std::optional<Money> parseCsvAmount(QStringView text, QChar decimal);
