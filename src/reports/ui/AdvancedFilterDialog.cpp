#include "reports/ui/AdvancedFilterDialog.h"

#include "reports/FilterAmountText.h"
#include "reports/ReportFilter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

using Field = ReportFilter::TextField;

QCheckBox* box(const QString& text, bool checked, QWidget* parent)
{
    auto* b = new QCheckBox(text, parent);
    b->setAccessibleName(text);
    b->setChecked(checked);
    return b;
}

QLineEdit* field(const QString& name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setAccessibleName(name);
    return edit;
}

// The field follows its box: usable only while the condition is checked.
void follow(QCheckBox* b, QLineEdit* edit)
{
    edit->setEnabled(b->isChecked());
    QObject::connect(b, &QCheckBox::toggled, edit, &QLineEdit::setEnabled);
}

}  // namespace

AdvancedFilterDialog::AdvancedFilterDialog(ReportFilter& filter, QWidget* parent)
    : QDialog(parent), m_filter(filter)
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(QString::fromLatin1(TitleText));
    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const TextRow& r) {
        grid->addWidget(r.box, row, 0);
        grid->addWidget(r.edit, row++, 1, 1, 3);
    };
    m_description = textRow(QStringLiteral("Description:"), static_cast<int>(Field::Description));
    m_note = textRow(QStringLiteral("Note:"), static_cast<int>(Field::Note));
    m_contact = textRow(QStringLiteral("Contact:"), static_cast<int>(Field::Contact));
    addRow(m_description);
    addRow(m_note);
    addRow(m_contact);

    m_amount = box(QStringLiteral("Amount in:"), filter.amountActive(), this);
    m_amountIn = field(QStringLiteral("Amount in:"),
                       FilterAmountText::shown(filter.amountLow(), ReportFilter::DefaultAmountLow), this);
    m_amountOut = field(QStringLiteral("out"),
                        FilterAmountText::shown(filter.amountHigh(), ReportFilter::DefaultAmountHigh), this);
    follow(m_amount, m_amountIn);
    follow(m_amount, m_amountOut);
    auto* outLabel = new QLabel(QStringLiteral("out"), this);
    outLabel->setBuddy(m_amountOut);
    grid->addWidget(m_amount, row, 0);
    grid->addWidget(m_amountIn, row, 1);
    grid->addWidget(outLabel, row, 2);
    grid->addWidget(m_amountOut, row++, 3);

    m_number = textRow(QStringLiteral("Number:"), static_cast<int>(Field::Number));
    addRow(m_number);

    m_unreconciled = box(QStringLiteral("Unreconciled"), filter.markFlag(ReconcileMark::Unreconciled), this);
    m_cleared = box(QStringLiteral("Cleared (C)"), filter.markFlag(ReconcileMark::Cleared), this);
    m_reconciled = box(QStringLiteral("Reconciled (R)"), filter.markFlag(ReconcileMark::Reconciled), this);
    m_lists = box(QStringLiteral("Filter Accounts/Categories/Projects"), filter.hasLists(), this);
    m_lists->setEnabled(filter.hasLists());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton* b : buttons->buttons())
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
    connect(buttons, &QDialogButtonBox::accepted, this, &AdvancedFilterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AdvancedFilterDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_unreconciled);
    layout->addWidget(m_cleared);
    layout->addWidget(m_reconciled);
    layout->addWidget(m_lists);
    layout->addWidget(buttons);
}

AdvancedFilterDialog::TextRow AdvancedFilterDialog::textRow(const QString& label, int which)
{
    const auto f = static_cast<Field>(which);
    TextRow r{box(label, m_filter.textActive(f), this), field(label, m_filter.text(f), this)};
    follow(r.box, r.edit);
    return r;
}

void AdvancedFilterDialog::accept()
{
    if (!applyAmounts())
        return;
    applyTexts();
    applyMarks();
    const bool hadLists = m_filter.hasLists();
    if (hadLists && !m_lists->isChecked())
        m_filter.clearLists();
    m_clearedLists = hadLists && !m_filter.hasLists();
    QDialog::accept();
}

// Both bounds are read before either is set, so a bad one changes nothing.
bool AdvancedFilterDialog::applyAmounts()
{
    if (!m_amount->isChecked()) {
        m_filter.clearAmount();
        return true;
    }
    const auto bound = [this](QLineEdit* edit, qint64 open) -> std::optional<Money> {
        if (edit->text().trimmed().isEmpty())
            return Money::fromHundredths(open);
        const std::optional<Money> typed = FilterAmountText::parse(edit->text());
        if (!typed) {
            QMessageBox box(QMessageBox::Warning, QString::fromLatin1(TitleText),
                            QString::fromLatin1(BadAmountText), QMessageBox::Ok, this);
            box.setAccessibleName(QString::fromLatin1(TitleText));
            box.exec();
            edit->setFocus();
            edit->selectAll();
        }
        return typed;
    };
    const std::optional<Money> low = bound(m_amountIn, ReportFilter::DefaultAmountLow);
    if (!low)
        return false;
    const std::optional<Money> high = bound(m_amountOut, ReportFilter::DefaultAmountHigh);
    if (!high)
        return false;
    m_filter.setAmountRange(*low, *high);
    return true;
}

void AdvancedFilterDialog::applyTexts()
{
    const std::pair<Field, const TextRow*> rows[] = {{Field::Description, &m_description},
                                                     {Field::Note, &m_note},
                                                     {Field::Contact, &m_contact},
                                                     {Field::Number, &m_number}};
    for (const auto& [f, r] : rows)
        m_filter.setText(f, r->box->isChecked() ? r->edit->text() : QString());
}

void AdvancedFilterDialog::applyMarks()
{
    m_filter.setMarkFlag(ReconcileMark::Unreconciled, m_unreconciled->isChecked());
    m_filter.setMarkFlag(ReconcileMark::Cleared, m_cleared->isChecked());
    m_filter.setMarkFlag(ReconcileMark::Reconciled, m_reconciled->isChecked());
}
