#pragma once

// The "Select Contact" dialog without its window: the sorted contact lines of
// the book's contacts store, the selected line, the search text, and what the
// dialog gives back. A window shows this model in a list and forwards taps,
// typing and its buttons to it.
//
// The picker never writes to the contacts store and keeps no link to a
// contact: the caller copies the chosen text into its Contact field.
//
// Selection: -1 (none) until something selects a line. Refilling clears it.

#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "reference/ContactList.h"

#include <QAbstractListModel>
#include <QString>
#include <QStringView>

class ContactPicker : public QAbstractListModel {
public:
    static constexpr const char* CorruptMessage = "The Contacts database is corrupt.";

    // DisplayRole gives the whole line; this role the text choosing it gives.
    enum Role { ChosenContactRole = Qt::UserRole + 1 };

    ContactPicker(QString storePath, CodePage fallback, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Reads the store again. A damaged store shows CorruptMessage through `ui`
    // and leaves the list empty; a missing one leaves it empty silently.
    void fill(Interaction& ui);
    // Opening the dialog: fill, then select the line the current Contact
    // field text begins (the list's prefix search) and make it the top line.
    void open(QStringView currentContact, Interaction& ui);

    // "Contacts..." started the address book program: the lines may be stale
    // until the window next paints and calls fill().
    void markStale() { m_stale = true; }
    const QString& storePath() const { return m_storePath; }
    bool isStale() const { return m_stale; }

    // The search field changed: a non-empty text selects a line beginning with
    // it, else the first line containing it. Nothing found keeps the selection.
    // A character typed while the list has the focus empties the field first,
    // so it arrives here as the whole text.
    void setSearchText(QStringView text);
    // "Next": the next line below the selection that contains the search text.
    // False, selection kept, when none remains; the window then beeps.
    [[nodiscard]] bool next();

    void select(int row);
    int selectedRow() const { return m_selected; }
    // The row to scroll to the top after opening; -1 when opening chose none.
    int topRow() const { return m_top; }
    QString searchText() const { return m_search; }
    const ContactList& list() const { return m_list; }

    // OK (or a double tap): the selected line's name group, empty when no line
    // is selected. Cancel gives nothing and needs no call.
    QString chosenContact() const;

private:
    QString m_storePath;
    CodePage m_fallback;
    ContactList m_list;
    QString m_search;
    int m_selected = -1;
    int m_top = -1;
    bool m_stale = false;
};
