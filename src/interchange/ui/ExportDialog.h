#pragma once

#include "interchange/ExportWriter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

// The "Export" window: the range of days, the format, the file and, for QIF,
// the "MS Money Date Format" switch. Changing the format turns the file's
// extension with it; "Browse..." chooses the file in a save window filtered
// by the format.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Export";
    static constexpr const char* MoneyDateText = "MS Money Date Format";

    // `start` holds the account, the file and the dates to open with; the
    // format starts as QIF at every opening.
    ExportDialog(const ExportRequest& start, const QString& accountName, QWidget* parent = nullptr);

    // What the window holds now.
    ExportRequest request() const;

    QComboBox* formatBox() const { return m_format; }
    QLineEdit* fileEdit() const { return m_file; }
    QCheckBox* moneyDateBox() const { return m_moneyDate; }
    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* exportButton() const { return m_export; }

private:
    void formatChosen();
    void browse();
    ExportFormat format() const;

    ExportRequest m_start;
    QString m_accountName;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QComboBox* m_format;
    QLineEdit* m_file;
    QPushButton* m_browse;
    QPushButton* m_export;
    QCheckBox* m_moneyDate;
};
