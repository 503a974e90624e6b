#include "interchange/ui/CsvMappingDialog.h"

#include "interchange/CsvPreview.h"
#include "toolkit/ui/Named.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using Column = CsvMapping::Column;

const Column AllColumns[] = {Column::Skip,   Column::Date,   Column::Description,
                             Column::Memo,   Column::Number, Column::Category,
                             Column::Amount, Column::Debit,  Column::Credit};

QString delimiterText(QChar c)
{
    return c == u'\t' ? QStringLiteral("Tab") : QString(c);
}

QChar delimiterOf(const QString& text)
{
    if (text.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0)
        return u'\t';
    return text.isEmpty() ? QChar(u',') : text.front();
}

}  // namespace

CsvMappingDialog::CsvMappingDialog(const QByteArray& head, const Saved& saved, const QString& chosen,
                                   QWidget* parent)
    : QDialog(parent), m_head(head), m_savedMappings(saved)
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(windowTitle());

    m_saved = named(new QComboBox(this), QStringLiteral("Saved mapping"));
    m_saved->addItem(QStringLiteral("(new mapping)"));
    for (const auto& [name, mapping] : saved)
        m_saved->addItem(name);
    m_delimiter = named(new QComboBox(this), QStringLiteral("Delimiter"));
    m_delimiter->setEditable(true);
    m_delimiter->addItems(
        {QStringLiteral(","), QStringLiteral(";"), QStringLiteral("Tab"), QStringLiteral("|")});
    m_quote = named(new QLineEdit(QStringLiteral("\""), this), QStringLiteral("Quote"));
    m_quote->setMaxLength(1);
    m_decimal = named(new QComboBox(this), QStringLiteral("Decimal separator"));
    m_decimal->addItems({QStringLiteral("."), QStringLiteral(",")});
    m_dateFormat = named(new QLineEdit(this), QStringLiteral("Date format"));
    m_header = named(new QSpinBox(this), QStringLiteral("Header rows"));
    m_header->setRange(0, 100);
    m_encoding = named(new QComboBox(this), QStringLiteral("Encoding"));
    m_encoding->setEditable(true);
    m_encoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("windows-1252"),
                          QStringLiteral("ISO-8859-1"), QStringLiteral("ISO-8859-15")});
    m_preview = named(new QTableWidget(this), QStringLiteral("Preview"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->setVisible(false);
    m_problem = named(new QLabel(this), QStringLiteral("Problem"));
    m_problem->setWordWrap(true);
    m_saveName = named(new QLineEdit(this), QStringLiteral("Save mapping as"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Saved &mapping:"), m_saved);
    form->addRow(QStringLiteral("&Delimiter:"), m_delimiter);
    form->addRow(QStringLiteral("&Quote:"), m_quote);
    form->addRow(QStringLiteral("Decimal &separator:"), m_decimal);
    form->addRow(QStringLiteral("Date &format:"), m_dateFormat);
    form->addRow(QStringLiteral("&Header rows:"), m_header);
    form->addRow(QStringLiteral("&Encoding:"), m_encoding);
    m_columnRow = new QHBoxLayout;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("import"));
    m_import->setAccessibleName(QStringLiteral("Import"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Columns:"), this));
    layout->addLayout(m_columnRow);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_problem);
    auto* saveForm = new QFormLayout;
    saveForm->addRow(QStringLiteral("Save mapping &as:"), m_saveName);
    layout->addLayout(saveForm);
    layout->addWidget(buttons);

    CsvMapping first;
    first.columns = {Column::Date, Column::Description, Column::Amount};
    showMapping(first);
    connect(m_saved, &QComboBox::currentIndexChanged, this, &CsvMappingDialog::savedChosen);
    connect(m_delimiter, &QComboBox::currentTextChanged, this, &CsvMappingDialog::refresh);
    connect(m_quote, &QLineEdit::textChanged, this, &CsvMappingDialog::refresh);
    connect(m_decimal, &QComboBox::currentTextChanged, this, &CsvMappingDialog::refresh);
    connect(m_dateFormat, &QLineEdit::textChanged, this, &CsvMappingDialog::refresh);
    connect(m_header, &QSpinBox::valueChanged, this, &CsvMappingDialog::refresh);
    connect(m_encoding, &QComboBox::currentTextChanged, this, &CsvMappingDialog::refresh);
    if (!chosen.isEmpty())
        m_saved->setCurrentIndex(qMax(0, m_saved->findText(chosen)));
    m_import->setDefault(true);
    resize(760, 520);
}

void CsvMappingDialog::savedChosen()
{
    const int index = m_saved->currentIndex() - 1;
    if (index < 0 || index >= m_savedMappings.size())
        return;
    showMapping(m_savedMappings[index].second);
    m_saveName->setText(m_savedMappings[index].first);
}

void CsvMappingDialog::showMapping(const CsvMapping& mapping)
{
    m_showing = true;
    m_delimiter->setCurrentText(delimiterText(mapping.delimiter));
    m_quote->setText(QString(mapping.quote));
    m_decimal->setCurrentText(QString(mapping.decimal));
    m_dateFormat->setText(mapping.dateFormat);
    m_header->setValue(mapping.headerRows);
    m_encoding->setCurrentText(mapping.encoding);
    fitColumnBoxes(static_cast<int>(mapping.columns.size()));
    for (int i = 0; i < m_columns.size(); ++i) {
        const Column c = i < static_cast<int>(mapping.columns.size()) ? mapping.columns[i] : Column::Skip;
        m_columns[i]->setCurrentIndex(m_columns[i]->findData(static_cast<int>(c)));
    }
    m_showing = false;
    refresh();
}

void CsvMappingDialog::fitColumnBoxes(int count)
{
    while (m_columns.size() < count) {
        auto* box = named(new QComboBox(this), QStringLiteral("Column %1").arg(m_columns.size() + 1));
        for (Column c : AllColumns)
            box->addItem(CsvMapping::nameOf(c), static_cast<int>(c));
        connect(box, &QComboBox::currentIndexChanged, this, &CsvMappingDialog::refresh);
        m_columnRow->addWidget(box);
        m_columns.append(box);
    }
}

CsvMapping CsvMappingDialog::mapping() const
{
    CsvMapping m;
    for (QComboBox* box : m_columns)
        m.columns.push_back(static_cast<Column>(box->currentData().toInt()));
    while (!m.columns.empty() && m.columns.back() == Column::Skip)
        m.columns.pop_back();
    m.delimiter = delimiterOf(m_delimiter->currentText());
    m.quote = m_quote->text().isEmpty() ? QChar(u'"') : m_quote->text().front();
    m.decimal = m_decimal->currentText().isEmpty() ? QChar(u'.') : m_decimal->currentText().front();
    m.dateFormat = m_dateFormat->text();
    m.headerRows = m_header->value();
    m.encoding = m_encoding->currentText();
    return m;
}

QString CsvMappingDialog::saveName() const
{
    return m_saveName->text().trimmed();
}

// Shows the first rows as the mapping now reads them.
void CsvMappingDialog::refresh()
{
    if (m_showing)
        return;
    const CsvMapping m = mapping();
    const CsvPreview p = CsvPreview::of(m_head, m, PreviewRows);
    fitColumnBoxes(p.widest);
    m_preview->setColumnCount(qMax(p.widest, static_cast<int>(m_columns.size())));
    QStringList headers;
    for (QComboBox* box : m_columns)
        headers << box->currentText();
    m_preview->setHorizontalHeaderLabels(headers);
    m_preview->setRowCount(static_cast<int>(p.rows.size()));
    for (int r = 0; r < static_cast<int>(p.rows.size()); ++r) {
        const QStringList& fields = p.rows[r].fields;
        for (int c = 0; c < m_preview->columnCount(); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(fields.value(c)));
    }
    m_preview->resizeColumnsToContents();
    // A row the preview cannot read would refuse the whole file.
    const QString problem = m.problem().isEmpty() ? p.problem : m.problem();
    m_problem->setText(problem);
    m_import->setEnabled(problem.isEmpty());
}
