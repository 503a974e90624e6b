#pragma once

#include "interchange/CsvMapping.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QPair>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The "CSV Import" window: how the bank's file is laid out and what each of
// its columns holds, with the first rows shown as the mapping reads them,
// live, and what the import would say about the first row it cannot read.
// A saved mapping is picked by name; the one chosen can be saved under a
// name for the next import of the same bank.
class CsvMappingDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "CSV Import";
    static constexpr int PreviewRows = 12;

    using Saved = QList<QPair<QString, CsvMapping>>;

    // `head`: the first bytes of the file. `saved`: the saved mappings by name;
    // the one named `chosen` (the bank imported last) is shown first, so the
    // next import of the same bank is one click on Import.
    CsvMappingDialog(const QByteArray& head, const Saved& saved, const QString& chosen = {},
                     QWidget* parent = nullptr);

    CsvMapping mapping() const;
    // The name to save the mapping under; "" for none.
    QString saveName() const;

    QComboBox* savedBox() const { return m_saved; }
    QComboBox* delimiterBox() const { return m_delimiter; }
    QComboBox* decimalBox() const { return m_decimal; }
    QLineEdit* dateFormatEdit() const { return m_dateFormat; }
    QSpinBox* headerSpin() const { return m_header; }
    QComboBox* encodingBox() const { return m_encoding; }
    QTableWidget* preview() const { return m_preview; }
    QLabel* problemLabel() const { return m_problem; }
    QLineEdit* saveNameEdit() const { return m_saveName; }
    QComboBox* columnBox(int column) const { return m_columns.value(column); }

private:
    void savedChosen();
    void showMapping(const CsvMapping& mapping);
    void refresh();
    void fitColumnBoxes(int count);

    QByteArray m_head;
    Saved m_savedMappings;
    QComboBox* m_saved;
    QComboBox* m_delimiter;
    QLineEdit* m_quote;
    QComboBox* m_decimal;
    QLineEdit* m_dateFormat;
    QSpinBox* m_header;
    QComboBox* m_encoding;
    QHBoxLayout* m_columnRow;
    QList<QComboBox*> m_columns;
    QTableWidget* m_preview;
    QLabel* m_problem;
    QLineEdit* m_saveName;
    QPushButton* m_import;
    bool m_showing = false;
};
