#pragma once

#include "platform/Interaction.h"
#include "reference/ContactPicker.h"

#include <QDialog>

class QLineEdit;
class QListView;

// "Select Contact": the book's contacts, sorted, with the search field "What
// are you looking for:" and "Next". OK or a double click gives the chosen
// line's name group. The lines come from the ContactPicker, which knows every
// rule; the dialog forwards typing, taps and buttons to it.
class ContactSelectDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Select Contact";
    static constexpr const char* SearchLabel = "What are you looking for:";
    static constexpr const char* OpenFailedText = "The contacts file could not be opened.";

    ContactSelectDialog(ContactPicker& picker, Interaction& ui, QWidget* parent = nullptr);

    // Runs the dialog over a fresh read of the store, starting at the line
    // `current` begins. The chosen contact, "" when cancelled or none chosen.
    QString pick(const QString& current);

    // "Contacts...": the book's contacts file (made empty when there is none)
    // opened with the desktop's handler; the list is read again when the
    // dialog is next activated, so edits made there show on the way back.
    void openContactsFile();
    void refillIfStale();

    QListView* list() const { return m_list; }
    QLineEdit* search() const { return m_search; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelection();

    ContactPicker& m_picker;
    Interaction& m_ui;
    QListView* m_list;
    QLineEdit* m_search;
};
