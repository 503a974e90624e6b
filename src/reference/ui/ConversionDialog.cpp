#include "reference/ui/ConversionDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* edit(const QString& name, const QString& text, QWidget* parent)
{
    auto* e = new QLineEdit(text, parent);
    e->setAccessibleName(name);
    e->setMaxLength(32);
    return e;
}

}  // namespace

ConversionDialog::ConversionDialog(CurrencyConversionForm& form, QWidget* parent)
    : QDialog(parent), m_form(form),
      m_leftRate(edit(QStringLiteral("Rate ") + form.codeA(),
                      form.text(CurrencyConversionForm::Field::LeftRate), this)),
      m_rightRate(edit(QStringLiteral("Rate ") + form.codeB(),
                       form.text(CurrencyConversionForm::Field::RightRate), this)),
      m_leftAmount(edit(QStringLiteral("Amount ") + form.codeA(),
                        form.text(CurrencyConversionForm::Field::LeftAmount), this)),
      m_rightAmount(new QLabel(form.rightAmountText(), this))
{
    setWindowTitle(CurrencyConversionForm::Title);
    setAccessibleName(CurrencyConversionForm::Title);
    m_leftAmount->setReadOnly(form.mode() == CurrencyConversionForm::Mode::FixedAmount);
    m_rightAmount->setAccessibleName(QStringLiteral("Amount ") + form.codeB());

    auto* grid = new QGridLayout(this);
    const auto row = [&](int r, QWidget* left, QWidget* right) {
        grid->addWidget(left, r, 0);
        grid->addWidget(new QLabel(form.codeA(), this), r, 1);
        grid->addWidget(new QLabel(QStringLiteral("="), this), r, 2);
        grid->addWidget(right, r, 3);
        grid->addWidget(new QLabel(form.codeB(), this), r, 4);
    };
    row(0, m_leftRate, m_rightRate);
    row(1, m_leftAmount, m_rightAmount);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 2, 0, 1, 5);

    m_form.setWriteListener(
        [this](CurrencyConversionForm::Field f, const QString& text) { showWrite(f, text); });
    connect(m_leftRate, &QLineEdit::textEdited, this, [this](const QString& t) { m_form.editLeftRate(t); });
    connect(m_rightRate, &QLineEdit::textEdited, this, [this](const QString& t) { m_form.editRightRate(t); });
    connect(m_leftAmount, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_form.editLeftAmount(t);
        m_rightAmount->setText(m_form.rightAmountText());
    });
}

ConversionDialog::~ConversionDialog()
{
    m_form.setWriteListener(nullptr);
}

void ConversionDialog::showWrite(CurrencyConversionForm::Field field, const QString& text)
{
    QLineEdit* target = field == CurrencyConversionForm::Field::LeftRate    ? m_leftRate
                        : field == CurrencyConversionForm::Field::RightRate ? m_rightRate
                                                                            : m_leftAmount;
    // textEdited fires only for typing, so this write does not come back.
    if (target->text() != text)
        target->setText(text);
    m_rightAmount->setText(m_form.rightAmountText());
}

std::optional<CurrencyConversionForm::Outcome> ConversionPrompt::confirm(CurrencyConversionForm& form)
{
    ConversionDialog dialog(form, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.accept();
}
