#pragma once

#include "platform/SettingsFile.h"

#include <cstddef>
#include <span>

// A program's settings as typed keys: every setting is an id of one of two
// enums (integers and texts), and two tables, in the order of the enums so an
// id's place is its entry, name its section, key and default once. Reads and
// writes go through the ids; no other code spells a key.
template <typename IntId, typename TextId> struct SettingsKeys {
    struct IntKey {
        IntId id;
        const char* section;
        const char* key;
        qint32 fallback;
    };
    struct TextKey {
        TextId id;
        const char* section;
        const char* key;
        const char* fallback;
    };

    std::span<const IntKey> ints;
    std::span<const TextKey> texts;

    const IntKey& of(IntId id) const { return ints[static_cast<std::size_t>(id)]; }
    const TextKey& of(TextId id) const { return texts[static_cast<std::size_t>(id)]; }

    qint32 read(const SettingsFile& file, IntId id) const
    {
        const IntKey& k = of(id);
        return file.readInt(QString::fromLatin1(k.section), QString::fromLatin1(k.key), k.fallback);
    }
    QString read(const SettingsFile& file, TextId id) const
    {
        const TextKey& k = of(id);
        return file.readText(QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                             QString::fromLatin1(k.fallback));
    }
    bool write(SettingsFile& file, IntId id, qint32 value) const
    {
        const IntKey& k = of(id);
        return file.writeInt(QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
    }
    bool write(SettingsFile& file, TextId id, const QString& value) const
    {
        const TextKey& k = of(id);
        return file.writeText(QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
    }
};
