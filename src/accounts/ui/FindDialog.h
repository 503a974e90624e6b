#pragma once

#include "accounts/TransactionFind.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Find": "Find what:", "Match case" and "&Find", which stays disabled while
// there is nothing to look for. Opens with the last query filled in.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(const TransactionFind::Query& last, QWidget* parent = nullptr);

    TransactionFind::Query query() const;
    QLineEdit* textEdit() const { return m_text; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }
    QPushButton* findButton() const { return m_find; }

private:
    QLineEdit* m_text;
    QCheckBox* m_matchCase;
    QPushButton* m_find;
};
