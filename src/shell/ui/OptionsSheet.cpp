#include "shell/ui/OptionsSheet.h"

#include "accounts/ui/PasswordOptionsPage.h"
#include "reference/CurrencyPageForm.h"
#include "reference/ui/CurrencyPage.h"
#include "shell/CurrencyChange.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

OptionsSheet::OptionsSheet(MainBook& book, PasswordLock& lock, Interaction& ui, QWidget* parent)
    : QDialog(parent), m_book(book), m_ui(ui), m_tabs(new QTabWidget(this)),
      m_currency(new CurrencyPage(book.currencies(), book.state().defaultCurrency, this)),
      m_password(new PasswordOptionsPage(book.tables().transactions(), lock, ui, this))
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(windowTitle());
    m_tabs->setAccessibleName(QStringLiteral("Pages"));
    m_tabs->addTab(m_currency, CurrencyPageForm::Title);
    m_tabs->addTab(m_password, QString::fromLatin1(PasswordOptionsPage::TitleText));
    connect(m_password, &PasswordOptionsPage::applied, this, &OptionsSheet::lockChanged);
    connect(m_currency, &CurrencyPage::defaultChosen, this, [this](const QString& code) {
        if (CurrencyChange::setDefault(m_book, code) != CurrencyChange::Outcome::Done)
            m_ui.showMessage(QString::fromLatin1(TotalsText), Interaction::Icon::Exclamation);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    resize(440, 340);
}

void OptionsSheet::accept()
{
    if (!m_password->apply()) {
        m_tabs->setCurrentWidget(m_password);
        return;
    }
    QDialog::accept();
}

void OptionsSheet::done(int result)
{
    ProjectTotals& totals = m_book.totals();
    if (!totals.updateStale(m_book.state().defaultCurrency))
        m_ui.showMessage(QString::fromLatin1(TotalsText), Interaction::Icon::Exclamation);
    QDialog::done(result);
}
