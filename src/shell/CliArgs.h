#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// A command's own arguments: positional ones in order and "--name VALUE"
// options (also "--name=VALUE"). Only texts starting with "--" are options, so
// a signed amount such as -50 stays positional.
struct CliArgs {
    QStringList positional;
    QHash<QString, QString> values;

    // `valueOptions` lists the options the command takes, without "--".
    // nullopt with *error filled for another option or one without its value.
    static std::optional<CliArgs> parse(const QStringList& arguments, const QStringList& valueOptions,
                                        QString* error);

    // The arguments with every `flag` (an option without a value, "--" included)
    // taken out; *found tells whether there was one.
    static QStringList withoutFlag(const QStringList& arguments, const QString& flag, bool* found);

    bool has(const QString& option) const { return values.contains(option); }
    QString value(const QString& option) const { return values.value(option); }
};
