#pragma once

// The text of a contact's line in the contact list and the text a chosen line
// gives back to the Contact field.
//
// A line is the name group, "|", then the telephone numbers:
//   first " " middle " " last [" [" company "]"]  "|"  [" " work "w"]
//   [", " mobile "m"] [", " second work "w"] [", Pager:" pager]
//   [", " home "h"] [", " second home "h"]
// The name group keeps both blanks even when names are empty; a contact with
// no name at all shows its company alone.

#include "reference/ContactCard.h"

#include <QString>
#include <QStringView>

// Empty when the card has neither a name nor a company: such a contact is not
// listed.
QString contactLine(const ContactCard& card);

// The text before the first "|" with trailing blanks removed (leading blanks
// stay: "  Smith" keeps its two). A line without "|" gives the whole line so
// trimmed.
QString chosenContact(QStringView line);
