#pragma once

// Transfer pairs among imported statement lines: a line of account A whose
// text names a transfer, and an opposite line of another account B in the
// same currency, dated within three days of it, neither of them filed under
// a category nor linked yet. Linked, the two become one transfer pair: each
// is filed as a transfer to the other's account and links to the other's
// key, as a transfer entered by hand is. Pairs are only offered: the caller
// asks (a dialog, or the command line's --pair-transfers) before link().
// Lines in different currencies are never offered: they need the
// conversion rule's confirmation, which only the transaction editor asks.

#include "store/FileTime.h"
#include "store/TableSet.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct TransferPair {
    struct Side {
        QString key;  // account key
        qint32 account = 0;
        FileTime date = 0;
        qint64 amount = 0;
        QString description;
    };
    Side imported;  // the line of this import
    Side other;     // the line of the other account
};

class TransferPairing {
public:
    static constexpr int MaxDaysApart = 3;

    explicit TransferPairing(TableSet& tables) : m_tables(tables) {}

    // Whether a description or memo names a transfer.
    static bool namesTransfer(const QString& text);

    // The pairs for the lines `keys` of `account`, each line and each other
    // line in one pair at most, the nearest date first. nullopt when a read failed.
    std::optional<std::vector<TransferPair>> find(qint32 account, const QStringList& keys);
    // Links every pair, in one store transaction. False when a write failed;
    // the book is then as it was.
    [[nodiscard]] bool link(const std::vector<TransferPair>& pairs);

private:
    TableSet& m_tables;
};
