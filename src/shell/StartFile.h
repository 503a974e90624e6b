#pragma once

#include <QString>

#include <initializer_list>
#include <optional>

// A file named on a window program's command line, as the desktop hands it
// over on a double click: which kind it is by its content, or why it is not
// taken. Nothing is read beyond the first bytes, so a wrong file costs nothing.
class StartFile {
public:
    enum class Kind { Backup, Qif, Filter };

    static constexpr const char* MissingText = "The file %1 does not exist.";
    static constexpr const char* UnreadableText = "The file %1 cannot be read.";
    // %1 the file, %2 the kinds the program opens ("a QIF file (.qif) or ...").
    static constexpr const char* WrongTypeText = "The file %1 is not %2.";

    struct Result {
        std::optional<Kind> kind;  // empty when the file is not taken
        QString message;           // why, when it is not
    };

    // The file's kind when it is one of `accepted`; otherwise the message that
    // names the file and says what is wrong with it.
    static Result classify(const QString& path, std::initializer_list<Kind> accepted);

    // How a message names a kind: "a Tallyra backup (.tyb)".
    static QString describe(Kind kind);
};
