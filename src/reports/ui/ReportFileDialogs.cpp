#include "reports/ui/ReportFileDialogs.h"

#include "reports/ReportExport.h"
#include "reports/ReportSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

std::optional<QString> askPath(QFileDialog& dialog, ReportSettings& settings, ReportSettings::Text folder)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAccessibleName(dialog.windowTitle());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    (void)settings.write(folder,
                         QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator());
    return path;
}

}  // namespace

std::optional<QString> ReportFileDialogs::askTitle(QWidget* parent, ReportKind kind, bool* withChart)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QString::fromLatin1(TitleCaption));
    dialog.setAccessibleName(ReportExport::dialogHeading(kind));
    dialog.setLabelText(ReportExport::dialogHeading(kind) + QStringLiteral("\n\n") +
                        QString::fromLatin1(TitleLabel));
    dialog.setTextValue(ReportExport::defaultTitle(kind));
    if (QLineEdit* edit = dialog.findChild<QLineEdit*>())
        edit->setAccessibleName(QString::fromLatin1(TitleLabel));
    QCheckBox* chart = nullptr;
    // The dialog's own layout holds the label, the field and the buttons (it
    // is made when the size is first asked); the box goes above the buttons,
    // off as the classic dialog had none.
    (void)dialog.sizeHint();
    auto* layout = qobject_cast<QVBoxLayout*>(dialog.layout());
    if (withChart && layout) {
        chart = new QCheckBox(QString::fromLatin1(WithChartText), &dialog);
        chart->setAccessibleName(QString::fromLatin1(WithChartText));
        layout->insertWidget(std::max(0, layout->count() - 1), chart);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (withChart)
        *withChart = chart && chart->isChecked();
    return dialog.textValue();
}

std::optional<QString> ReportFileDialogs::askReportPath(QWidget* parent, ReportSettings& settings,
                                                        ReportFormat format, const QString& title)
{
    QFileDialog dialog(parent, QString::fromLatin1(SaveReportCaption),
                       settings.folder(ReportSettings::Text::ExportFolder), ReportExport::fileType(format));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(ReportExport::extension(format));
    dialog.selectFile(title);
    return askPath(dialog, settings, ReportSettings::Text::ExportFolder);
}

std::optional<QString> ReportFileDialogs::askFilterPath(QWidget* parent, ReportSettings& settings,
                                                        bool saving)
{
    QFileDialog dialog(parent, QString::fromLatin1(saving ? SaveFilterCaption : LoadFilterCaption),
                       settings.folder(ReportSettings::Text::FilterFolder), QString::fromLatin1(FilterType));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tyf"));
    return askPath(dialog, settings, ReportSettings::Text::FilterFolder);
}
