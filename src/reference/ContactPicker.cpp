#include "reference/ContactPicker.h"

#include "reference/ContactFileReader.h"
#include "reference/ContactLine.h"

ContactPicker::ContactPicker(QString storePath, CodePage fallback, QObject* parent)
    : QAbstractListModel(parent), m_storePath(std::move(storePath)), m_fallback(std::move(fallback))
{
}

int ContactPicker::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.size();
}

QVariant ContactPicker::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.parent().isValid() || index.row() >= m_list.size())
        return {};
    const QString& line = m_list.at(index.row());
    if (role == Qt::DisplayRole)
        return line;
    if (role == ChosenContactRole)
        return ::chosenContact(line);
    return {};
}

void ContactPicker::fill(Interaction& ui)
{
    const ContactStoreResult result = ContactFileReader(m_fallback).read(m_storePath);
    beginResetModel();
    m_list.setCards(result.cards);
    m_selected = -1;
    m_top = -1;
    m_stale = false;
    endResetModel();
    if (result.status == ContactStoreResult::Status::Damaged)
        ui.showMessage(QString::fromUtf8(CorruptMessage), Interaction::Icon::Exclamation);
}

void ContactPicker::open(QStringView currentContact, Interaction& ui)
{
    fill(ui);
    if (currentContact.isEmpty())
        return;
    const int row = m_list.findPrefix(currentContact, 0);
    if (row < 0)
        return;
    select(row);
    m_top = row;
}

void ContactPicker::setSearchText(QStringView text)
{
    m_search = text.toString();
    if (m_search.isEmpty())
        return;
    int row = m_list.findPrefix(m_search, 0);
    if (row < 0)
        row = m_list.findContaining(m_search, 0);
    if (row >= 0)
        select(row);
}

bool ContactPicker::next()
{
    const int row = m_list.findContaining(m_search, m_selected + 1);
    if (row < 0)
        return false;
    select(row);
    return true;
}

void ContactPicker::select(int row)
{
    m_selected = row >= 0 && row < m_list.size() ? row : -1;
}

QString ContactPicker::chosenContact() const
{
    return m_selected < 0 ? QString() : ::chosenContact(m_list.at(m_selected));
}
