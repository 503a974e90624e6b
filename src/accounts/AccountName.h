#pragma once

// What an account's description may be. It is trimmed of blanks at both ends
// and must then hold something. Control characters (a pasted tab or line
// break) are refused: the name goes as one field into tab-separated exports
// and as one line into QIF files. Colons and brackets are allowed: a transfer
// names the account between one pair of brackets, which the lookup strips
// only at the ends, and "*" + the name is a single category, never a path.

#include <QString>

#include <optional>

class AccountName {
public:
    static constexpr qsizetype MaxLength = 255;

    static constexpr const char* MissingText = "Please enter the account's description.";
    static constexpr const char* ControlText = "The account's description may not hold tabs or line breaks.";
    static constexpr const char* TooLongText = "The account's description is too long.";

    // The message for a description the account may not take; nullopt when
    // it may (after trimming).
    static std::optional<QString> problem(const QString& typed);
};
