#pragma once

// The bytes of a CSV file as text: a byte-order mark (UTF-8, UTF-16 little
// or big endian) decides the encoding and is dropped; without one the
// mapping's encoding does ("UTF-8" or any code page name).

#include <QByteArray>
#include <QString>

#include <optional>

// nullopt when no converter answers to `encoding`.
std::optional<QString> decodeCsvText(const QByteArray& bytes, const QString& encoding);
