#pragma once

// The statement formats an account imports, told by name or by a file's extension.

#include <QString>

#include <optional>

enum class StatementFormat { Qif, Ofx, Csv };

// "qif", "ofx" (QFX is OFX) or "csv", case ignored; nullopt for another name.
std::optional<StatementFormat> statementFormatNamed(const QString& name);
// By the extension: .qif; .ofx and .qfx; .csv. nullopt for another one.
std::optional<StatementFormat> statementFormatOfPath(const QString& path);
