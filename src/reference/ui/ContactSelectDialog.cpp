#include "reference/ui/ContactSelectDialog.h"

#include "platform/DesktopLaunch.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

ContactSelectDialog::ContactSelectDialog(ContactPicker& picker, Interaction& ui, QWidget* parent)
    : QDialog(parent), m_picker(picker), m_ui(ui), m_list(new QListView(this)), m_search(new QLineEdit(this))
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(windowTitle());
    m_list->setModel(&m_picker);
    m_list->setAccessibleName(QStringLiteral("Contacts"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->installEventFilter(this);
    connect(m_list, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        m_picker.select(index.row());
        accept();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { m_picker.select(index.row()); });

    auto* label = new QLabel(QString::fromLatin1(SearchLabel), this);
    label->setBuddy(m_search);
    m_search->setAccessibleName(QString::fromLatin1(SearchLabel).chopped(1));
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_picker.setSearchText(text);
        showSelection();
    });
    auto* next = new QPushButton(QStringLiteral("Next"), this);
    next->setAccessibleName(next->text());
    next->setAutoDefault(false);
    connect(next, &QPushButton::clicked, this, [this] {
        if (!m_picker.next())
            QApplication::beep();
        showSelection();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* contacts = buttons->addButton(QStringLiteral("Contacts..."), QDialogButtonBox::ActionRole);
    contacts->setAccessibleName(QStringLiteral("Contacts..."));
    contacts->setAutoDefault(false);
    connect(contacts, &QPushButton::clicked, this, &ContactSelectDialog::openContactsFile);
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(label);
    layout->addLayout(searchRow);
    layout->addWidget(buttons);
    resize(360, 420);
}

QString ContactSelectDialog::pick(const QString& current)
{
    m_search->clear();
    m_picker.open(current, m_ui);
    showSelection();
    if (m_picker.topRow() >= 0)
        m_list->scrollTo(m_picker.index(m_picker.topRow()), QAbstractItemView::PositionAtTop);
    m_list->setFocus();
    if (exec() != QDialog::Accepted)
        return {};
    return m_picker.chosenContact();
}

void ContactSelectDialog::openContactsFile()
{
    const QString path = m_picker.storePath();
    if (!QFileInfo::exists(path)) {
        // Written through a temporary sibling like every file of the book.
        QSaveFile empty(path);
        if (!empty.open(QIODevice::WriteOnly) || !empty.commit()) {
            m_ui.showMessage(QString::fromLatin1(OpenFailedText), Interaction::Icon::Exclamation);
            return;
        }
    }
    if (!DesktopLaunch::openFile(path)) {
        m_ui.showMessage(QString::fromLatin1(OpenFailedText), Interaction::Icon::Exclamation);
        return;
    }
    m_picker.markStale();
}

void ContactSelectDialog::refillIfStale()
{
    if (!m_picker.isStale())
        return;
    m_picker.fill(m_ui);
    showSelection();
}

bool ContactSelectDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        refillIfStale();
    return QDialog::event(event);
}

void ContactSelectDialog::showSelection()
{
    const int row = m_picker.selectedRow();
    if (row < 0) {
        m_list->clearSelection();
        return;
    }
    const QModelIndex index = m_picker.index(row);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_list->scrollTo(index);
}

bool ContactSelectDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_search && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        m_list->setFocus();
        return true;
    }
    // A character typed into the list starts a new search with it.
    const QString typed = key->text();
    if (watched == m_list && typed.size() == 1 && typed.at(0).isPrint() &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        m_search->setFocus();
        m_search->setText(typed);
        m_picker.setSearchText(typed);
        showSelection();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
