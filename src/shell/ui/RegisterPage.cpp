#include "shell/ui/RegisterPage.h"

#include "accounts/AccountList.h"
#include "accounts/AccountSelector.h"
#include "accounts/BalanceHistory.h"
#include "accounts/BalancePopup.h"
#include "accounts/RegisterInfo.h"
#include "accounts/ui/TransactionEditorPanel.h"
#include "planning/ui/FutureBarWidget.h"
#include "shell/ShownAccount.h"
#include "shell/ui/BalanceHistoryWindow.h"
#include "shell/ui/MainCommands.h"
#include "toolkit/ui/ColumnFit.h"
#include "toolkit/ui/PopupMenu.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMetaMethod>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString menuText(const char* text)
{
    return QString::fromLatin1(text);
}

}  // namespace

RegisterPage::RegisterPage(MainBook& book, const Clock& clock, const LocaleValues& locale, Interaction& ui,
                           ConversionConfirmation& conversion, QWidget* parent)
    : QWidget(parent), m_book(book), m_clock(clock), m_locale(locale), m_ui(ui),
      m_reg(book.tables(), book.currencies(), locale, book.future()),
      m_editor(EditorContext{book.tables(), book.currencies(), book.categories(), book.projects(),
                             book.totals(), book.future(), clock, locale, ui, conversion},
               m_reg),
      m_accounts(new QComboBox), m_list(new CoolList(this)), m_balance(new QPushButton(this)),
      m_marker(new QLabel(this)),
      m_future(new FutureBarWidget({book.future(), book.currencies(), book.categories(), locale, clock,
                                    [this] { return m_reg.currency(); }},
                                   this)),
      m_panel(new TransactionEditorPanel(
          EditorPanelContext{
              m_editor,
              {book.categories(), book.projects(), book.totals(), book.currencies(),
               [this] { return m_book.settings().read(TallyraSettings::Text::DefaultCurrency); }, locale,
               clock, ui, book.folder().contactsPath(), CodePage::defaultPage()}},
          this))
{
    setObjectName(QStringLiteral("RegisterPage"));
    const bool withPanel = book.settings().read(TallyraSettings::Int::ShowProperties) != 0;
    for (bool set : {false, true})
        for (TallyraSettings::Int key : widthKeys(set))
            m_widths[set ? 1 : 0].push_back(book.settings().read(key));
    m_model = std::make_unique<RegisterModel>(
        m_reg, [this] { return fileTimeFromLocal(m_clock.now()).value_or(0); }, withPanel);

    m_accounts->setAccessibleName(QString::fromLatin1(AccountControlName));
    m_accounts->setToolTip(QString::fromLatin1(AccountControlName));
    m_accounts->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_accounts->setMinimumContentsLength(16);
    connect(m_accounts, &QComboBox::activated, this,
            [this](int index) { showAccount(m_accounts->itemData(index).toInt()); });

    m_list->setModel(m_model.get());
    m_list->setIconColumn(0);
    m_list->installEventFilter(this);
    connect(m_list, &CoolList::iconTapped, this, &RegisterPage::tapIcon);
    connect(m_list, &CoolList::contextMenuWanted, this, &RegisterPage::showContextMenu);
    connect(this, &RegisterPage::editRequested, this, &RegisterPage::editRow);
    connect(m_list, &CoolList::rowActivated, this, [this](int row) {
        if (m_model->withPanel())
            Q_EMIT editRequested(row);
        else
            showInformation(
                row, m_list->viewport()->mapToGlobal(m_list->visualRect(m_model->index(row, 1)).center()));
    });
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, &RegisterPage::applyWidths);
    applyWidths();

    m_balance->setFlat(true);
    m_balance->setAccessibleName(QString::fromLatin1(Register::BalanceText));
    m_balance->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
    connect(m_balance, &QPushButton::clicked, this, &RegisterPage::showBalancePopup);
    m_marker->setText(QStringLiteral("\u25BC"));
    m_marker->setStyleSheet(QStringLiteral("color: rgb(255, 50, 50);"));
    m_marker->setAccessibleName(QString::fromLatin1(MarkerName));
    m_marker->setToolTip(QString::fromLatin1(MarkerName));
    m_marker->hide();

    m_loadTimer.setSingleShot(true);
    m_loadTimer.setInterval(0);
    connect(&m_loadTimer, &QTimer::timeout, this, &RegisterPage::loadCurrentRow);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (m_model->withPanel())
            m_loadTimer.start();
    });
    connect(m_panel, &TransactionEditorPanel::saved, this, [this](qint64 row) {
        afterChange();
        m_list->selectRow(static_cast<int>(row));
    });
    m_panel->setVisible(withPanel);
    // The register keeps most of the width; the panel is a column beside it.
    m_panel->setMaximumWidth(m_panel->fontMetrics().averageCharWidth() * 40);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(m_balance, 1);
    bar->addWidget(m_marker);
    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(m_list, 1);
    left->addLayout(bar);
    left->addWidget(m_future);
    connect(m_future, &FutureBarWidget::horizonChanged, this, [this] { refresh(); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(left, 1);
    layout->addWidget(m_panel);
    buildControls();
    fillAccounts();
}

void RegisterPage::buildControls()
{
    m_controls = new QWidget;
    auto* layout = new QHBoxLayout(m_controls);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* add = new QToolButton(m_controls);
    add->setText(QStringLiteral("New"));
    add->setAccessibleName(add->text());
    connect(add, &QToolButton::clicked, this, &RegisterPage::startNewTransaction);
    m_showPanel = new QToolButton(m_controls);
    m_showPanel->setText(QStringLiteral("Properties"));
    m_showPanel->setAccessibleName(m_showPanel->text());
    m_showPanel->setCheckable(true);
    m_showPanel->setChecked(m_model->withPanel());
    connect(m_showPanel, &QToolButton::toggled, this, &RegisterPage::setPanelShown);
    layout->addWidget(add);
    layout->addWidget(m_showPanel);
    layout->addStretch();
}

bool RegisterPage::panelShown() const
{
    return m_model->withPanel();
}

void RegisterPage::setPanelShown(bool shown)
{
    if (shown == m_model->withPanel())
        return;
    if (!shown)
        m_panel->save(true);
    const int row = m_list->currentRow();
    takeWidths();
    m_model->setWithPanel(shown);
    m_panel->setVisible(shown);
    m_showPanel->setChecked(shown);
    if (row >= 0)
        m_list->selectRow(row);
    if (shown)
        loadCurrentRow();
}

void RegisterPage::loadCurrentRow()
{
    if (m_model->withPanel())
        m_panel->load(std::max(0, m_list->currentRow()));
}

void RegisterPage::editRow(int row)
{
    if (!m_model->withPanel())
        setPanelShown(true);
    m_loadTimer.stop();
    if (m_list->currentRow() != row)
        m_list->selectRow(row);
    m_loadTimer.stop();
    if (m_panel->load(row))
        m_panel->focusField(TransactionEditor::Field::Description);
}

void RegisterPage::startNewTransaction()
{
    editRow(static_cast<int>(m_reg.transactionCount()));
}

RegisterPage::~RegisterPage()
{
    // The selector and the controls sit in the window's band strip, which may go first.
    delete m_accounts.data();
    delete m_controls.data();
}

std::vector<TallyraSettings::Int> RegisterPage::widthKeys(bool withPanel)
{
    using I = TallyraSettings::Int;
    if (withPanel)
        return {I::ListSpDate, I::ListSpDesc, I::ListSpAmount};
    return {I::ListNspDate, I::ListNspNo, I::ListNspDesc, I::ListNspDep, I::ListNspPay, I::ListNspBal};
}

void RegisterPage::applyWidths()
{
    const std::vector<int>& widths = m_widths[m_model->withPanel() ? 1 : 0];
    QHeaderView* header = m_list->horizontalHeader();
    header->resizeSection(0, IconWidth);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    for (size_t i = 0; i < widths.size() && static_cast<int>(i) + 1 < header->count(); ++i) {
        const int column = static_cast<int>(i) + 1;
        // A width of 0 hides the column on purpose.
        header->resizeSection(column, widths[i] > 0 ? std::max(widths[i], fittingWidth(column)) : 0);
    }
}

// The stored widths were made for the handheld's small font. In the desktop's
// font no column is narrower than its heading, and dates, numbers and amounts
// are never cut. Descriptions may be shortened.
int RegisterPage::fittingWidth(int column) const
{
    const QHeaderView& header = *m_list->horizontalHeader();
    if (m_model->columnAt(column) == RegisterColumn::Description)
        return header.sectionSizeHint(column);
    return ColumnFit::width(*m_model, header, column, m_list->font());
}

void RegisterPage::takeWidths()
{
    std::vector<int>& widths = m_widths[m_model->withPanel() ? 1 : 0];
    const QHeaderView* header = m_list->horizontalHeader();
    for (size_t i = 0; i < widths.size() && static_cast<int>(i) + 1 < header->count(); ++i)
        widths[i] = header->sectionSize(static_cast<int>(i) + 1);
}

void RegisterPage::saveState()
{
    takeWidths();
    TallyraSettings& settings = m_book.settings();
    settings.write(TallyraSettings::Int::ShowProperties, m_model->withPanel() ? 1 : 0);
    for (bool set : {false, true}) {
        const std::vector<TallyraSettings::Int> keys = widthKeys(set);
        for (size_t i = 0; i < keys.size(); ++i)
            settings.write(keys[i], m_widths[set ? 1 : 0][i]);
    }
}

void RegisterPage::fillAccounts()
{
    const std::vector<AccountSelector::Item> items =
        AccountSelector::items(AccountList(m_book.tables().accounts()).all());
    m_accounts->clear();
    for (const AccountSelector::Item& item : items)
        m_accounts->addItem(item.text, item.id);
    m_accounts->setCurrentIndex(m_accounts->findData(m_reg.accountId()));
}

void RegisterPage::showRemembered()
{
    const qint32 remembered = std::max<qint32>(1, ShownAccount::remembered(m_book));
    if (showAccount(remembered))
        return;
    if (m_accounts->count() > 0)
        showAccount(m_accounts->itemData(0).toInt());
}

bool RegisterPage::showAccount(qint32 account)
{
    // Edits of the account being left are kept, as when the list takes the focus.
    if (m_model->withPanel())
        m_panel->save(true);
    if (!ShownAccount::show(m_book, m_reg, account)) {
        m_accounts->setCurrentIndex(m_accounts->findData(m_reg.accountId()));
        return false;
    }
    m_accounts->setCurrentIndex(m_accounts->findData(account));
    afterChange();
    // The new-transaction row in view and selected, as a fresh account opens.
    m_list->selectRow(static_cast<int>(m_reg.transactionCount()));
    return true;
}

bool RegisterPage::showRow(qint32 account, qint64 row)
{
    if (account != m_reg.accountId() && !showAccount(account))
        return false;
    if (row < 0 || row >= m_model->rowCount())
        return false;
    m_list->selectRow(static_cast<int>(row));
    m_list->scrollTo(m_model->index(static_cast<int>(row), 1));
    return true;
}

void RegisterPage::leave()
{
    if (m_model->withPanel())
        m_panel->save(true);
}

void RegisterPage::refresh(bool force)
{
    fillAccounts();
    if (!m_reg.refresh()) {
        showRemembered();
        return;
    }
    m_model->sync(force);
    afterChange();
}

void RegisterPage::afterChange()
{
    const int row = m_list->currentRow();
    m_model->sync();
    m_balance->setText(m_reg.balanceBarText());
    m_marker->setVisible(m_reg.balanceBarMarker());
    m_future->refresh();
    if (row >= 0 && !m_list->currentIndex().isValid())
        m_list->selectRow(row);
    // The editor may hold a row that moved or went: it shows the selection
    // again, unless the user is still editing it.
    if (m_model->withPanel() && !m_editor.anyChanged())
        m_loadTimer.start();
}

void RegisterPage::deleteRow(int row)
{
    const Register::RowKind kind = m_reg.rowKind(row);
    if (kind != Register::RowKind::Transaction && kind != Register::RowKind::Future)
        return;
    if (!m_editor.load(row))
        return;
    if (m_editor.deleteRow()) {
        afterChange();
        m_list->selectRow(row);
    }
}

void RegisterPage::tapIcon(int row)
{
    switch (m_reg.rowKind(row)) {
    case Register::RowKind::Transaction:
        if (m_reg.toggleMark(row))
            m_model->rowChanged(row);
        break;
    case Register::RowKind::Future:
        // Posting the occurrence at once: the forced save still asks first.
        if (m_editor.load(row) && m_editor.save(true).outcome == EditorOutcome::Saved)
            afterChange();
        break;
    case Register::RowKind::NewTransaction:
    case Register::RowKind::Outside:
        break;
    }
}

void RegisterPage::showAccountByKey(QChar key)
{
    const int index = AccountSelector::indexOfKey(key);
    if (index < 0 || index >= m_accounts->count())
        return;
    const qint32 id = m_accounts->itemData(index).toInt();
    if (id > 0)
        showAccount(id);
}

void RegisterPage::showInformation(int row, const QPoint& globalPos)
{
    RegisterInfo info(m_reg, m_book.tables(), m_book.categories(), m_book.projects(), m_book.currencies(),
                      m_locale);
    const std::optional<PopupLines> lines = info.build(row);
    if (!lines)
        return;
    QMenu menu(this);
    menu.setAccessibleName(lines->title);
    PopupMenu::fill(menu, *lines);
    for (QAction* action : menu.actions()) {
        if (action->text() == QString::fromLatin1(RegisterInfo::EditText)) {
            // Opens the row in the editor panel when the page has one listening.
            action->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&RegisterPage::editRequested)));
            connect(action, &QAction::triggered, this, [this, row] { Q_EMIT editRequested(row); });
        }
    }
    menu.exec(globalPos);
}

void RegisterPage::showBalancePopup()
{
    const std::optional<PopupLines> lines =
        BalancePopup::build(m_reg, m_book.tables().accounts(), m_locale, m_ui);
    if (!lines)
        return;
    QMenu menu(this);
    menu.setAccessibleName(QString::fromLatin1(Register::BalanceText));
    PopupMenu::fill(menu, *lines);
    menu.addSeparator();
    QAction* history = menu.addAction(QString::fromLatin1(BalanceHistoryWindow::MenuText));
    connect(history, &QAction::triggered, this, &RegisterPage::showBalanceHistory);
    const QSize size = menu.sizeHint();
    const QPoint top = m_balance->mapToGlobal(QPoint(m_balance->width() / 2, 0));
    menu.exec(QPoint(top.x() - size.width() / 2, top.y() - size.height()));
}

void RegisterPage::showBalanceHistory()
{
    const FileTime now = fileTimeFromLocal(m_clock.now()).value_or(0);
    BalanceHistoryWindow window(BalanceHistory::of(m_reg, m_book.currencies(), now), this);
    window.exec();
}

void RegisterPage::showContextMenu(int row, const QPoint& globalPos)
{
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Register"));
    QAction* add = menu.addAction(menuText("New\tN"));
    QAction* remove = menu.addAction(menuText("Delete\tDel"));
    remove->setEnabled(m_reg.rowKind(row) == Register::RowKind::Transaction ||
                       m_reg.rowKind(row) == Register::RowKind::Future);
    QAction* find = menu.addAction(menuText("Find...\tCtrl+F"));
    QAction* findNext = menu.addAction(menuText("Find Next\tCtrl+N"));
    find->setEnabled(bool(m_runCommand));
    findNext->setEnabled(bool(m_runCommand));
    QAction* properties = menu.addAction(menuText("Properties    \tI"));
    QAction* chosen = menu.exec(globalPos);
    if (chosen == add)
        startNewTransaction();
    else if (chosen == remove)
        deleteRow(row);
    else if (chosen == properties)
        showInformation(row, globalPos);
    else if (chosen == find)
        m_runCommand(MainCommands::Find);
    else if (chosen == findNext)
        m_runCommand(MainCommands::FindNext);
}

bool RegisterPage::eventFilter(QObject* watched, QEvent* event)
{
    // Back in the list after editing: the changes are saved without a question.
    if (watched == m_list && event->type() == QEvent::FocusIn && m_model->withPanel())
        m_panel->save(true);
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    const int row = m_list->currentRow();
    switch (key->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        deleteRow(row);
        return true;
    case Qt::Key_N:
        startNewTransaction();
        return true;
    case Qt::Key_Space:
        if (m_model->withPanel())
            m_panel->switchPage();
        return true;
    case Qt::Key_I: {
        const QRect cell = m_list->visualRect(m_model->index(row, 1));
        showInformation(row, m_list->viewport()->mapToGlobal(cell.bottomLeft()));
        return true;
    }
    default:
        break;
    }
    if (key->text().size() == 1 && key->text().at(0).isDigit()) {
        showAccountByKey(key->text().at(0));
        return true;
    }
    return false;
}
