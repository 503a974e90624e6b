#pragma once

// Reads the contacts store of a book: the vCard file contacts.vcf in the book
// folder. The link only reads it; the address book program owns it.
//
// Missing file: an empty store (Status::Missing, no cards). A path that is not
// a regular file (a folder, a pipe), a file that cannot be opened or read, or
// one larger than MaxFileBytes counts as damaged, as do the bytes the parser
// calls damaged (ContactVCardParser.h).

#include "platform/CodePage.h"
#include "reference/ContactStoreResult.h"

#include <QString>

class ContactFileReader {
public:
    // An address book with a photo on every card stays well below this.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

    static QString pathInBook(const QString& bookFolder);

    explicit ContactFileReader(CodePage fallback) : m_fallback(std::move(fallback)) {}

    [[nodiscard]] ContactStoreResult read(const QString& path) const;

private:
    CodePage m_fallback;
};
