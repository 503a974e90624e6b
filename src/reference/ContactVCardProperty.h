#pragma once

// One content line of a vCard taken apart:
//   [group "."] name *(";" parameter) ":" value
// Parameters come as NAME=VALUE (3.0, 4.0, and 2.1 alike) or bare (2.1:
// "TEL;WORK;VOICE:"). Bare words are types unless they name an encoding.
// Parameter values may be quoted ("work,voice" in 4.0), so a ':' or ';'
// inside quotes belongs to the value. Parameters after the 32nd are ignored.

#include "platform/CodePage.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <optional>

struct ContactVCardProperty {
    QByteArray name;       // upper case, group removed
    QByteArray group;      // as written, empty when none
    QByteArrayList types;  // lower case, from TYPE= lists and bare words
    QByteArray encoding;   // upper case: QUOTED-PRINTABLE, BASE64, B, 8BIT, ... or empty
    QByteArray charset;    // as written, empty when none
    QByteArray valueType;  // lower case VALUE= parameter: "uri", "text", ... or empty
    QByteArray value;      // the raw bytes after the ':'

    // nullopt when the line is no content line: no ':' outside quotes, or an
    // empty name.
    static std::optional<ContactVCardProperty> parse(QByteArrayView line);

    bool hasType(QByteArrayView type) const;

    // The value as text: quoted-printable undone, then the bytes decoded by
    // their CHARSET, else as UTF-8 when they are valid UTF-8, else by the
    // fallback code page. nullopt for binary (BASE64) values and encodings
    // this reader does not know. Escapes are left for the caller, who knows
    // the value's structure.
    std::optional<QString> text(const CodePage& fallback) const;
};
