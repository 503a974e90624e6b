#pragma once

// Lets gtest show a ContactCard slot by slot when a comparison fails.

#include "reference/ContactCard.h"

#include <ostream>

inline void PrintTo(const ContactCard& card, std::ostream* out)
{
    const auto slot = [out](const char* name, const QString& value) {
        if (!value.isEmpty())
            *out << name << "=\"" << value.toStdString() << "\" ";
    };
    *out << "{ ";
    slot("first", card.firstName);
    slot("middle", card.middleName);
    slot("last", card.lastName);
    slot("company", card.company);
    slot("work", card.work);
    slot("work2", card.secondWork);
    slot("mobile", card.mobile);
    slot("pager", card.pager);
    slot("home", card.home);
    slot("home2", card.secondHome);
    *out << "}";
}
