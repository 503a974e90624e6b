#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The 8-bit code page of the files written for other programs and read from
// them (QIF, tab-separated text, HTML). Windows-1252 unless --codepage names
// another.
class CodePage {
public:
    static constexpr const char* DefaultName = "windows-1252";

    // nullopt when no converter answers to the name.
    static std::optional<CodePage> byName(const QString& name);
    static CodePage defaultPage();

    QString name() const { return QString::fromLatin1(m_name); }

    // Every character the code page cannot hold becomes one '?' (a character
    // outside the basic plane counts as one). Characters that the converter
    // would only approximate (a "best fit") count as not held.
    QByteArray encode(QStringView text) const;
    // Bytes the code page leaves undefined come back as the converter maps them.
    QString decode(QByteArrayView bytes) const;

private:
    explicit CodePage(const QByteArray& name) : m_name(name) {}

    QByteArray encodeByCharacter(QStringView text) const;

    QByteArray m_name;
};
