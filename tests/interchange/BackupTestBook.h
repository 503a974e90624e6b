#pragma once

// A temporary book for the backup, restore and export tests: records written
// straight through the cursors, so a test states exactly what is stored, and
// a byte builder that spells out the backup file a test expects.

#include "interchange/BackupFormat.h"
#include "platform/StoreTypes.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/TempBook.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <algorithm>

#include <gtest/gtest.h>

inline FileTime at(int year, int month, int day, int hour = 12, int minute = 0, int ms = 0)
{
    return *fileTimeFromLocal(LocalTime{year, month, day, hour, minute, 0, ms});
}

class BackupTestBook {
public:
    TableSet& tables() { return m_book.tables(); }
    ObjectStore& store() { return m_book.store(); }
    QString folder() const { return m_book.folder(); }
    QString path(const QString& name) const { return m_book.folder() + QLatin1Char('/') + name; }

    // Writes a record through the cursor of `kind`; the last value commits it.
    void add(TableKind kind, const PropList& props)
    {
        DbTable& t = tables().table(kind);
        t.beginNew();
        for (size_t i = 0; i < props.size(); ++i)
            ASSERT_TRUE(t.setValue(props[i], i + 1 == props.size()));
    }

    void addAccount(qint32 id, const QString& name, const QString& currency = QStringLiteral("USD"),
                    qint64 total = 0, const QString& note = {})
    {
        PropList p = {PropValue::ofInt(Prop::AccountId, id), PropValue::ofText(Prop::Name, name),
                      PropValue::ofInt64(Prop::Created, at(2024, 1, 1)),
                      PropValue::ofInt64(Prop::Balance, total)};
        if (!note.isEmpty())
            p.push_back(PropValue::ofText(Prop::Note, note));
        p.push_back(PropValue::ofText(Prop::CurrencyCode, currency));
        add(TableKind::Account, p);
    }

    // A transaction with the usual fields; `extra` adds or replaces any.
    QString addTransaction(qint32 account, FileTime when, qint64 amount, const QString& description,
                           const PropList& extra = {})
    {
        const QString key = fullKey(account, when);
        PropList p = {PropValue::ofText(Prop::AccountKey, key),
                      PropValue::ofInt(Prop::AccountId, account),
                      PropValue::ofInt64(Prop::Date, when),
                      PropValue::ofText(Prop::Name, description),
                      PropValue::ofInt64(Prop::Amount, amount),
                      PropValue::ofText(Prop::CurrencyCode, QStringLiteral("USD"))};
        for (const PropValue& e : extra) {
            auto it = std::find_if(p.begin(), p.end(), [&](const PropValue& v) { return v.id == e.id; });
            if (it != p.end())
                *it = e;
            else
                p.push_back(e);
        }
        p.push_back(PropValue::ofInt64(Prop::Balance, amount));
        add(TableKind::Transaction, p);
        return key;
    }

    void addTreeRecord(TableKind kind, qint32 id, qint32 parent, const QString& name)
    {
        const quint16 idProp = kind == TableKind::Project ? Prop::ProjectId : Prop::CategoryId;
        add(kind, {PropValue::ofInt(idProp, id), PropValue::ofInt(Prop::Parent, parent),
                   PropValue::ofText(Prop::Name, name)});
    }

    void addCurrency(qint32 number, const QString& code, const QString& symbol, const QString& name,
                     const PropList& rates = {})
    {
        PropList p = {PropValue::ofInt(Prop::CurrencyNumber, number),
                      PropValue::ofText(Prop::CurrencyCode, code), PropValue::ofText(Prop::Symbol, symbol),
                      PropValue::ofText(Prop::CurrencyName, name)};
        p.insert(p.end(), rates.begin(), rates.end());
        add(TableKind::Currency, p);
    }

    // Every record of a table in its working order, as property lists.
    std::vector<PropList> records(TableKind kind)
    {
        std::vector<PropList> out;
        DbTable& t = tables().table(kind);
        for (qint64 p = 0; p < t.count(); ++p) {
            EXPECT_TRUE(t.moveTo(p));
            PropList props = t.properties();
            std::sort(props.begin(), props.end(),
                      [](const PropValue& a, const PropValue& b) { return a.id < b.id; });
            out.push_back(props);
        }
        return out;
    }

    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

private:
    TempBook m_book;
};

// A device that takes `capacity` bytes and refuses every write after that, as
// a full disk does.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 capacity) : m_capacity(capacity) { open(QIODevice::WriteOnly); }
    QByteArray taken;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (static_cast<qint64>(taken.size()) + size > m_capacity)
            return -1;
        taken.append(data, static_cast<qsizetype>(size));
        return size;
    }

private:
    qint64 m_capacity;
};

// Spells out backup file bytes item by item.
class BackupBytes {
public:
    BackupBytes& u8(quint8 v)
    {
        m_bytes.append(static_cast<char>(v));
        return *this;
    }
    BackupBytes& u16(quint16 v) { return u8(static_cast<quint8>(v & 0xFF)).u8(static_cast<quint8>(v >> 8)); }
    BackupBytes& u32(quint32 v)
    {
        return u16(static_cast<quint16>(v & 0xFFFF)).u16(static_cast<quint16>(v >> 16));
    }
    BackupBytes& u64(quint64 v) { return u32(static_cast<quint32>(v)).u32(static_cast<quint32>(v >> 32)); }
    BackupBytes& units(const QString& s)
    {
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    BackupBytes& header(FileTime time)
    {
        return u8(1).u8(1).u8(3).u8(0).u8(0).u64(static_cast<quint64>(time));
    }
    BackupBytes& section(const QString& name)
    {
        return u8(4).u8(static_cast<quint8>(name.size())).units(name);
    }
    BackupBytes& record() { return u8(13); }
    BackupBytes& text(quint16 id, const QString& s)
    {
        return u8(17).u16(id).u16(static_cast<quint16>(s.size())).units(s);
    }
    BackupBytes& date(quint16 id, qint64 v) { return u8(18).u16(id).u64(static_cast<quint64>(v)); }
    BackupBytes& integer(quint16 id, qint32 v) { return u8(19).u16(id).u32(static_cast<quint32>(v)); }
    BackupBytes& amount(quint16 id, qint64 v) { return u8(20).u16(id).u64(static_cast<quint64>(v)); }
    BackupBytes& textSetting(const QString& section, const QString& key, const QString& value)
    {
        u8(21).u16(static_cast<quint16>(section.size())).units(section);
        u16(static_cast<quint16>(key.size())).units(key);
        return u16(static_cast<quint16>(value.size())).units(value);
    }
    BackupBytes& intSetting(const QString& section, const QString& key, qint32 value)
    {
        u8(22).u16(static_cast<quint16>(section.size())).units(section);
        return u16(static_cast<quint16>(key.size())).units(key).u32(static_cast<quint32>(value));
    }
    BackupBytes& end() { return u8(0xFF); }
    BackupBytes& raw(const QByteArray& bytes)
    {
        m_bytes += bytes;
        return *this;
    }

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
