#pragma once

// Turning the category and project texts typed in the editor into ids before a
// save. A category text is a path of the category tree or an account name in
// square brackets (a transfer); a project text is a path of the project tree.
// A missing path is made only when the user answers Yes; a missing account is
// an error that stops the save.

#include "platform/Interaction.h"
#include "reference/Categories.h"
#include "reference/Projects.h"

#include <QString>

class EditorNameResolution {
public:
    static constexpr const char* InvalidAccountText = "Invalid Account name.";

    enum class Outcome {
        Unchanged,  // the text names the current id, the user said No, or a transfer to the own account
        Resolved,   // `id` is the new value (0 for an emptied field)
        Invalid,    // "[...]" names no account; the message was shown, the save stops
        Failed,     // making the path failed; the save stops
    };
    struct Result {
        Outcome outcome = Outcome::Unchanged;
        qint32 id = 0;
    };

    // `current` is the field's value before the edit; `ownAccount` the account
    // being edited, to which no transfer may go.
    static Result category(Categories& categories, Interaction& ui, const QString& text, qint32 current,
                           qint32 ownAccount);
    static Result project(Projects& projects, Interaction& ui, const QString& text, qint32 current);

private:
    static Result made(qint32 id);
};
