#pragma once

// Gathers the properties of one vCard and turns them into a ContactCard.
//
// Slots (doc/contacts.md says the same for users):
//   N     family;given;additional;prefix;suffix -> last, first, middle name
//   FN    -> first name, only when N gives no name and FN is not just the
//         company again
//   ORG   first component -> company
//   TEL   pager -> pager; cell -> mobile; fax/modem numbers are left out;
//         work -> work, then second work; home -> home, then second home;
//         numbers with none of these types fill the home slots still free.
// The first N, FN and ORG count; a slot already full keeps its number.
// Interpretation waits for the end of the card because 2.1 allows VERSION
// anywhere in it, and the version decides whether ',' separates list values.
//
// Bounds: at most one text per name property and a handful of numbers per
// kind are kept, so a card of any length costs a fixed amount of memory.

#include "platform/CodePage.h"
#include "reference/ContactCard.h"
#include "reference/ContactVCardProperty.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class ContactCardBuilder {
public:
    explicit ContactCardBuilder(CodePage fallback) : m_fallback(std::move(fallback)) {}

    // Forgets everything gathered: call at the start of each card.
    void clear() { m_gathered = {}; }
    // Properties the link does not use are ignored.
    void add(const ContactVCardProperty& property);
    ContactCard build() const;

private:
    enum class PhoneKind { Work, Home, Mobile, Pager, Other, Left };
    static PhoneKind phoneKind(const ContactVCardProperty& property);
    static QString phoneNumber(const ContactVCardProperty& property, const QString& text);
    void addPhone(const ContactVCardProperty& property, const QString& text);
    void setNames(ContactCard& card) const;
    void setPhones(ContactCard& card) const;
    QString nameComponent(QStringView component) const;

    // What one card has said so far, still undecoded where the version matters.
    struct Gathered {
        bool listValues = false;
        std::optional<QString> name;
        std::optional<QString> formattedName;
        std::optional<QString> organization;
        QStringList work;
        QStringList home;
        QStringList mobile;
        QStringList pager;
        QStringList other;
    };

    CodePage m_fallback;
    Gathered m_gathered;
};
