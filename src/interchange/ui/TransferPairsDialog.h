#pragma once

#include "interchange/TransferPairing.h"
#include "platform/LocaleValues.h"

#include <QDialog>

#include <functional>
#include <vector>

class QListWidget;

// "Pair Transfers": the transfer pairs an import found, each with a check
// box, ticked at first; "Pair" links the ticked ones, "Do Not Pair" none.
// Nothing is paired without this window's answer.
class TransferPairsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Pair Transfers";
    static constexpr const char* IntroText =
        "These imported lines look like the two sides of transfers between your accounts. "
        "Link the ticked ones as transfer pairs?";

    // `accountName` names an account by its id.
    TransferPairsDialog(std::vector<TransferPair> pairs, const std::function<QString(qint32)>& accountName,
                        const LocaleValues& locale, QWidget* parent = nullptr);

    std::vector<TransferPair> chosen() const;
    QListWidget* list() const { return m_list; }

private:
    std::vector<TransferPair> m_pairs;
    QListWidget* m_list;
};
