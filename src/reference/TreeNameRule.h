#pragma once

// What a name typed into a category or project tree must be: a path has to
// find it again, and a list has to show it. A name is refused when it is
// empty (or only blanks), longer than MaxLength, contains the path separator
// ':', or contains a bracket, which the category field reads as the
// "[Account]" form of a transfer. Names that arrive otherwise (a path's last
// component, an import, a restored book) are not checked here.

#include <QString>

#include <optional>

class TreeNameRule {
public:
    static constexpr qsizetype MaxLength = 255;
    static constexpr const char* EmptyText = "A name can not be empty.";
    static constexpr const char* TooLongText = "A name can not be longer than 255 characters.";
    static constexpr const char* BracketText = "A name can not contain '[' or ']'.";

    // The message that refuses `name`; nullopt when it may be stored.
    static std::optional<QString> problem(const QString& name);
};
