#include "shell/ui/FirstAccountDialog.h"

#include "reference/BuiltInCurrencies.h"
#include "shell/CliValues.h"
#include "store/Money.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

namespace {

QLineEdit* namedEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    return edit;
}

}  // namespace

FirstAccountDialog::FirstAccountDialog(QStringView defaultCurrency, QWidget* parent)
    : QDialog(parent), m_name(namedEdit(QStringLiteral("Description"), this)),
      m_currency(new QComboBox(this)), m_opening(namedEdit(QStringLiteral("Opening balance"), this))
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(QString::fromLatin1(TitleText));
    m_currency->setAccessibleName(QStringLiteral("Currency"));
    for (int k = 0; k < BuiltInCurrencies::Count; ++k)
        m_currency->addItem(BuiltInCurrencies::displayText(k));
    const int preselected = BuiltInCurrencies::firstRowOf(defaultCurrency);
    m_currency->setCurrentIndex(preselected < 0 ? 0 : preselected);
    m_name->setMaxLength(static_cast<int>(AccountName::MaxLength));
    m_opening->setText(QStringLiteral("0.00"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Description:"), m_name);
    form->addRow(QStringLiteral("&Currency:"), m_currency);
    form->addRow(QStringLiteral("&Opening balance:"), m_opening);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FirstAccountDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void FirstAccountDialog::accept()
{
    const QString name = m_name->text().trimmed();
    if (const std::optional<QString> problem = AccountName::problem(name)) {
        QMessageBox::warning(this, windowTitle(), *problem);
        m_name->setFocus();
        return;
    }
    const QString typed = m_opening->text().trimmed();
    // Empty is 0; any other text needs a digit and a value in range.
    const std::optional<Money> opening =
        typed.isEmpty() ? std::optional<Money>(Money()) : CliValues::amount(typed);
    if (!opening) {
        QMessageBox::warning(this, windowTitle(), QString::fromLatin1(BadAmountText));
        m_opening->setFocus();
        m_opening->selectAll();
        return;
    }
    m_draft = AccountDraft{name, m_currency->currentIndex(), *opening};
    QDialog::accept();
}

std::optional<AccountDraft> FirstAccountPrompt::firstAccount(QStringView defaultCurrency)
{
    FirstAccountDialog dialog(defaultCurrency);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.draft();
}
