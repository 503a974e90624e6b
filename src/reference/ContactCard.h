#pragma once

#include <QString>

// One contact as the contacts link uses it: the ten slots a contact line is
// built from, in plain text. Fields hold no line breaks and no surrounding
// blanks; an empty field is an absent one. A reader of the contacts store
// fills these and nothing else; the link never writes a contact back.
// The empty braces let code name only the slots it fills ({.company = ...})
// without a missing-initializer warning.
struct ContactCard {
    QString firstName{};
    QString middleName{};
    QString lastName{};
    QString company{};
    QString work{};
    QString secondWork{};
    QString mobile{};
    QString pager{};
    QString home{};
    QString secondHome{};

    friend bool operator==(const ContactCard&, const ContactCard&) = default;
};
