#pragma once

// One run of the main program over a copy of a whole bench book, opened by
// the program's own start-up as the window program does it.

#include "BenchBook.h"

#include "platform/FixedClock.h"
#include "platform/Interaction.h"
#include "shell/MainBook.h"
#include "shell/StartUp.h"

#include <QTemporaryDir>

#include <memory>

namespace BenchBook {

// Answers Yes to every question (a deletion asks first) and shows nothing.
class YesInteraction : public SilentInteraction {
public:
    bool askYesNo(const QString&, const QString& = {}) override { return true; }
    void showStatus(const QString& text) override { statuses << text; }
    QStringList statuses;
};

// A start-up never asks for a first account on a whole book.
class NoFirstAccount : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView) override { return std::nullopt; }
};

// A private copy of a whole book, removed afterwards.
class BookCopy {
public:
    BookCopy(qint64 transactions, Layout layout)
    {
        const QString source = folderFor(transactions, layout);
        if (!source.isEmpty() && m_dir.isValid() && copyFolder(source, m_dir.path()))
            m_folder = BookFolder::open(m_dir.path());
    }
    // nullopt when the book could not be made or copied.
    const std::optional<BookFolder>& folder() const { return m_folder; }

private:
    QTemporaryDir m_dir;
    std::optional<BookFolder> m_folder;
};

}  // namespace BenchBook
