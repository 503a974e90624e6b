#pragma once

#include "accounts/Register.h"
#include "accounts/TransactionEditor.h"
#include "accounts/ui/RegisterModel.h"
#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "reference/ConversionConfirmation.h"
#include "shell/MainBook.h"
#include "toolkit/ui/CoolList.h"

#include <QComboBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class FutureBarWidget;
class QLabel;
class QPushButton;
class QToolButton;
class TransactionEditorPanel;

// Page 1000, the account register: the list of the shown account, the
// balance bar under it and the account selector the window puts in its band
// strip. Every change goes through the register's logic and the editor's;
// the page only shows what they hold.
class RegisterPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageId = 1000;
    static constexpr const char* AccountControlName = "Account";
    static constexpr const char* MarkerName = "Negative balance";
    static constexpr int IconWidth = 17;

    // All must outlive the page. `locale` is read again on activation, so the
    // page keeps a reference.
    RegisterPage(MainBook& book, const Clock& clock, const LocaleValues& locale, Interaction& ui,
                 ConversionConfirmation& conversion, QWidget* parent = nullptr);
    ~RegisterPage() override;

    QComboBox* accountSelector() const { return m_accounts; }
    CoolList* list() const { return m_list; }
    RegisterModel* model() const { return m_model.get(); }
    Register& reg() { return m_reg; }
    QPushButton* balanceBar() const { return m_balance; }
    QLabel* negativeMarker() const { return m_marker; }
    FutureBarWidget* futureBar() const { return m_future; }
    TransactionEditorPanel* editorPanel() const { return m_panel; }
    // The page's band controls: "New" and the property panel's switch.
    QWidget* pageControls() const { return m_controls; }

    // Shows or hides the property panel ("showprop"), switching the column set.
    void setPanelShown(bool shown);
    bool panelShown() const;
    // "New": the new-transaction row selected and loaded, the description focused.
    void startNewTransaction();
    // Loads a row into the panel and gives it the focus.
    void editRow(int row);

    // The remembered account ("accountid", below 1 counting as 1), else the
    // first one.
    void showRemembered();
    // False, with nothing changed, when no account has that id.
    bool showAccount(qint32 account);
    // A transaction shown and selected, the account switched to first when
    // another one is shown (a find's hit). False when there is no such account.
    bool showRow(qint32 account, qint64 row);
    // Runs a command of the window's table by its id (the context menu's
    // "Find..." and "Find Next"); unset, those items are disabled.
    void setCommandRunner(std::function<bool(int)> run) { m_runCommand = std::move(run); }
    // The account list and the shown account read again (after a change of the
    // store the page did not make); `force` redraws even when nothing moved.
    void refresh(bool force = false);

    // The register's keys and taps, as the list sends them.
    void deleteRow(int row);
    void tapIcon(int row);
    void showAccountByKey(QChar key);
    void showInformation(int row, const QPoint& globalPos);
    void showBalancePopup();
    // The chart of the account's running balance and its planned future.
    void showBalanceHistory();

    // Writes "showprop" and the widths of both column sets.
    void saveState();
    // Another page is shown: the editor's changes are saved without a question.
    void leave();

Q_SIGNALS:
    // A row to load into the transaction editor (double tap or Enter with the
    // property panel shown, the information popup's "Edit...").
    void editRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillAccounts();
    void afterChange();
    void buildControls();
    void loadCurrentRow();
    void showContextMenu(int row, const QPoint& globalPos);
    void applyWidths();
    void takeWidths();
    int fittingWidth(int column) const;
    static std::vector<TallyraSettings::Int> widthKeys(bool withPanel);

    MainBook& m_book;
    const Clock& m_clock;
    const LocaleValues& m_locale;
    Interaction& m_ui;
    Register m_reg;
    TransactionEditor m_editor;
    std::unique_ptr<RegisterModel> m_model;
    // Owned by the page, though it sits in the window's band strip.
    QPointer<QComboBox> m_accounts;
    CoolList* m_list;
    QPushButton* m_balance;
    QLabel* m_marker;
    FutureBarWidget* m_future;
    TransactionEditorPanel* m_panel;
    // Owned by the page, though it sits in the window's band strip.
    QPointer<QWidget> m_controls;
    QToolButton* m_showPanel = nullptr;
    // Moving through the list loads each row once the keys waiting are handled.
    QTimer m_loadTimer;
    // The widths of both column sets (index 1: with the panel), the shown
    // set's taken from the header when saved.
    std::array<std::vector<int>, 2> m_widths;
    std::function<bool(int)> m_runCommand;
};
