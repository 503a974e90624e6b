#pragma once

// Reads the bytes of a vCard file (2.1, 3.0 or 4.0, as address books export
// them) into ContactCards.
//
// The bytes count as damaged, and give no cards, when
//   - they hold a NUL byte (after UTF-16 text has been turned into UTF-8):
//     vCard is text, so this is binary data or a broken disk block;
//   - a non-blank line stands outside every card: the file is not a vCard
//     file, or a card lost its BEGIN;
//   - an END:VCARD closes no card, or the bytes end inside a card (a file cut
//     short);
//   - cards nest deeper than MaxDepth (2.1 lets an AGENT property hold a whole
//     card, so one level of nesting is normal);
//   - there are more than MaxCards cards.
// Anything else inside a card is read as well as it can be: lines that are no
// content lines (2.1 base64 data without indentation, say), unknown
// properties, unknown encodings and charsets are skipped or decoded as UTF-8
// or the fallback code page. Blank lines, and a trailing Ctrl-Z that old
// writers add, are allowed anywhere. Empty bytes are an empty store.
//
// Bounds: the cursor keeps at most one logical line of 64 KiB, the builder a
// fixed amount per card, and the cards are capped, so memory stays a small
// multiple of the input; the work is linear in the input.

#include "platform/CodePage.h"
#include "reference/ContactStoreResult.h"

#include <QByteArrayView>

class ContactVCardParser {
public:
    static constexpr qsizetype MaxCards = 100'000;
    static constexpr int MaxDepth = 8;

    // Values without a CHARSET that are not valid UTF-8 are read in `fallback`.
    explicit ContactVCardParser(CodePage fallback) : m_fallback(std::move(fallback)) {}

    // Status is Read or Damaged, never Missing.
    [[nodiscard]] ContactStoreResult parse(QByteArrayView bytes) const;

private:
    CodePage m_fallback;
};
