#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

// "Edit Account": the account's "Description:" and its multi-line "Note:".
// OK refuses a description an account may not take and a note longer than a
// record holds, each with its message; the caller writes what was accepted.
class EditAccountDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Edit Account";

    EditAccountDialog(const QString& name, const QString& note, QWidget* parent = nullptr);

    QString name() const;
    QString note() const;
    QLineEdit* nameEdit() const { return m_name; }
    QPlainTextEdit* noteEdit() const { return m_note; }

    void accept() override;

private:
    QLineEdit* m_name;
    QPlainTextEdit* m_note;
};
