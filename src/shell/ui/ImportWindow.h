#pragma once

#include "interchange/CsvMapping.h"
#include "interchange/StatementFormat.h"
#include "interchange/StatementImport.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

#include <optional>

class QWidget;

// The import commands as the window runs them ("&Import from QIF...",
// "Import from &OFX/QFX...", "Import from &CSV..."): the file window titled
// after the account, starting in the "Import Folder", which then remembers
// the chosen file's folder; for CSV the mapping window; the import itself
// with its progress and "Stop", saying how it went; then, when lines of the
// import look like transfers to other accounts, the window that offers to
// pair them.
class ImportWindow {
public:
    static constexpr const char* PairingFailedText = "The transfers could not be paired.";

    struct Context {
        QWidget* parent;
        MainBook& book;
        const Clock& clock;
        const LocaleValues& locale;
        const CodePage& codePage;
        Interaction& ui;
    };

    explicit ImportWindow(Context context) : m_c(context) {}

    // Imports into `account`; false when no file was chosen or the account is gone.
    bool run(qint32 account, StatementFormat format = StatementFormat::Qif);

private:
    std::optional<CsvMapping> chooseMapping(const QString& path);
    void offerPairs(qint32 account, const StatementImportResult& result);

    Context m_c;
};
