#include "reference/ui/CurrencyPage.h"

#include "reference/RateText.h"
#include "store/NumberParse.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CurrencyPage::CurrencyPage(CurrencyCache& cache, const QString& defaultCode, QWidget* parent)
    : QWidget(parent), m_form(cache, defaultCode), m_list(new QListWidget(this)),
      m_suffix(new QLineEdit(this)), m_combo(new QComboBox(this)), m_rate(new QLineEdit(this)),
      m_setDefault(new QPushButton(CurrencyPageForm::SetDefaultText, this)), m_default(new QLabel(this))
{
    setAccessibleName(CurrencyPageForm::Title);
    m_list->setAccessibleName(QStringLiteral("Currencies"));
    m_suffix->setAccessibleName(CurrencyPageForm::SuffixLabel.chopped(1));
    m_suffix->setMaxLength(32);
    m_combo->setAccessibleName(CurrencyPageForm::RateGroup);
    m_rate->setAccessibleName(QStringLiteral("Rate"));
    m_rate->setMaxLength(64);
    m_setDefault->setAccessibleName(m_setDefault->text());

    auto* suffixLabel = new QLabel(CurrencyPageForm::SuffixLabel, this);
    suffixLabel->setBuddy(m_suffix);
    auto* group = new QGroupBox(CurrencyPageForm::RateGroup, this);
    group->setAccessibleName(CurrencyPageForm::RateGroup);
    auto* rateRow = new QGridLayout(group);
    rateRow->addWidget(m_combo, 0, 0);
    rateRow->addWidget(m_rate, 0, 1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0, 4, 1);
    grid->addWidget(suffixLabel, 0, 1);
    grid->addWidget(m_suffix, 0, 2);
    grid->addWidget(group, 1, 1, 1, 2);
    grid->addWidget(m_setDefault, 2, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(m_default, 4, 0, 1, 3);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);

    m_form.setRateRefreshListener([this](const QString& text) {
        const QSignalBlocker block(m_rate);
        m_rate->setText(text);
    });
    fill();
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_form.selectListRow(row);
        showSelection();
    });
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int row) {
        m_form.selectComboRow(row);
        showSelection();
    });
    connect(m_suffix, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_form.listRow() >= 0 && !m_form.editSuffix(text))
            QMessageBox::warning(this, CurrencyPageForm::Title, QString::fromLatin1(SuffixFailedText));
    });
    connect(m_rate, &QLineEdit::textEdited, this, [this](const QString& text) { m_form.editRate(text); });
    connect(m_rate, &QLineEdit::editingFinished, this, &CurrencyPage::checkRate);
    connect(m_setDefault, &QPushButton::clicked, this, [this] {
        const QString code = m_form.setDefault();
        if (code.isEmpty())
            return;
        m_default->setText(m_form.defaultLine());
        Q_EMIT defaultChosen(code);
    });
}

void CurrencyPage::fill()
{
    m_form.open();
    const QStringList items = m_form.items();
    const QSignalBlocker blockList(m_list);
    const QSignalBlocker blockCombo(m_combo);
    m_list->clear();
    m_list->addItems(items);
    m_combo->clear();
    m_combo->addItems(items);
    m_combo->setCurrentIndex(m_form.comboRow());
    m_default->setText(m_form.defaultLine());
    showSelection();
}

void CurrencyPage::showSelection()
{
    const bool selected = m_form.listRow() >= 0;
    m_suffix->setEnabled(selected);
    m_suffix->setText(m_form.suffixText());
    m_setDefault->setEnabled(selected);
    m_rate->setEnabled(m_form.isRateEnabled());
    if (!selected)
        m_rate->clear();
}

void CurrencyPage::checkRate()
{
    if (!m_form.isRateEnabled() || isUsableRate(parseLenientNumber(m_rate->text())))
        return;
    // Nothing was stored for the text: the stored rate shows again.
    const int row = m_form.comboRow();
    m_form.selectComboRow(row);
    QMessageBox::warning(this, CurrencyPageForm::Title, QString::fromLatin1(BadRateText));
}
