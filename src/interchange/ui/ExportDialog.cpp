#include "interchange/ui/ExportDialog.h"

#include "interchange/ExportFileName.h"
#include "toolkit/ui/CalendarDay.h"
#include "toolkit/ui/FileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct FormatTexts {
    const char* combo;
    const char* filter;
    const char* suffix;
};

// In the order of ExportFormat.
constexpr FormatTexts Formats[] = {
    {"Quicken (*.qif)", "Quicken (*.qif)", "qif"},
    {"Windows Text (*.txt)", "Text Windows (*.txt)", "txt"},
    {"Unicode Text (*.txt)", "Text Unicode (*.txt)", "txt"},
};

FileTime fileTimeOf(const QDate& date)
{
    return fileTimeFromLocal(LocalTime{date.year(), date.month(), date.day()}).value_or(0);
}

QDateEdit* dateEdit(FileTime t, const QString& name, QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    // Every day a file time can hold; the first stands for "from the beginning".
    edit->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    edit->setDisplayFormat(QStringLiteral("dd MMM yyyy"));
    edit->setCalendarPopup(true);
    edit->setDate(dateOf(t));
    edit->setAccessibleName(name);
    return edit;
}

}  // namespace

ExportDialog::ExportDialog(const ExportRequest& start, const QString& accountName, QWidget* parent)
    : QDialog(parent), m_start(start), m_accountName(accountName)
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(windowTitle());

    m_from = dateEdit(start.from, QStringLiteral("From"), this);
    m_to = dateEdit(start.to, QStringLiteral("To"), this);
    m_format = new QComboBox(this);
    for (const FormatTexts& f : Formats)
        m_format->addItem(QString::fromLatin1(f.combo));
    m_format->setAccessibleName(QStringLiteral("Format"));
    m_file = new QLineEdit(start.path, this);
    m_file->setAccessibleName(QStringLiteral("File Name"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_browse->setAccessibleName(QStringLiteral("Browse..."));
    m_moneyDate = new QCheckBox(QString::fromLatin1(MoneyDateText), this);
    m_moneyDate->setAccessibleName(m_moneyDate->text());
    m_moneyDate->setChecked(start.fullYearDates);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("From:"), m_from);
    form->addRow(QStringLiteral("To:"), m_to);
    form->addRow(QStringLiteral("Format:"), m_format);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);
    form->addRow(QStringLiteral("File Name:"), fileRow);
    form->addRow(m_moneyDate);

    auto* buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton(QString::fromLatin1(TitleText), QDialogButtonBox::AcceptRole);
    m_export->setAccessibleName(m_export->text());
    m_export->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setAccessibleName(cancel->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_format, &QComboBox::currentIndexChanged, this, &ExportDialog::formatChosen);
    connect(m_browse, &QPushButton::clicked, this, &ExportDialog::browse);
    m_file->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
}

ExportFormat ExportDialog::format() const
{
    return static_cast<ExportFormat>(m_format->currentIndex());
}

void ExportDialog::formatChosen()
{
    m_file->setText(ExportFileName::forFormat(m_file->text(), format()));
    // The date switch means something to QIF dates only.
    m_moneyDate->setVisible(format() == ExportFormat::Qif);
}

void ExportDialog::browse()
{
    const FormatTexts& texts = Formats[m_format->currentIndex()];
    const QFileInfo current(m_file->text());
    const std::optional<QString> path = FileDialog::save(
        this, FileDialogRequest{QStringLiteral("Export ") + m_accountName + QStringLiteral(" to"),
                                current.path(), current.fileName(), QString::fromLatin1(texts.filter),
                                QString::fromLatin1(texts.suffix)});
    if (path)
        m_file->setText(*path);
}

ExportRequest ExportDialog::request() const
{
    ExportRequest r = m_start;
    r.path = m_file->text();
    r.format = format();
    r.from = fileTimeOf(m_from->date());
    r.to = fileTimeOf(m_to->date());
    r.fullYearDates = m_moneyDate->isChecked();
    return r;
}
