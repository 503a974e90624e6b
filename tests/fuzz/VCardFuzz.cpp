// Fuzz target of the contacts store reader: any bytes must read as cards or as
// damaged, without crash, hang or unbounded memory, and every card must keep
// the promise of ContactCard.h that its fields fit one line of the list.

#include "reference/ContactLine.h"
#include "reference/ContactList.h"
#include "reference/ContactVCardParser.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool fitsOneLine(const QString& field)
{
    return !field.contains(u'\n') && !field.contains(u'\r') && field == field.trimmed();
}

bool keepsItsPromises(const ContactCard& card)
{
    const QString* const fields[] = {&card.firstName, &card.middleName, &card.lastName, &card.company,
                                     &card.work,      &card.secondWork, &card.mobile,   &card.pager,
                                     &card.home,      &card.secondHome};
    for (const QString* field : fields) {
        if (!fitsOneLine(*field))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ContactStoreResult result = ContactVCardParser(CodePage::defaultPage()).parse(bytes);
    for (const ContactCard& card : result.cards) {
        if (!keepsItsPromises(card))
            std::abort();
    }
    ContactList list;
    list.setCards(result.cards);
    // The first bytes double as a search text, so searching meets odd text too.
    const QString probe = QString::fromUtf8(bytes.first(qMin<qsizetype>(bytes.size(), 3)));
    const int row = list.findPrefix(probe, 0);
    static_cast<void>(list.findContaining(probe, row + 1));
    for (const QString& line : list.lines())
        static_cast<void>(chosenContact(line));
    return 0;
}
