#pragma once

// What an editor's save came to, the same for the transaction editor and the
// planner editor, so one view reacts to both: saved; unchanged (nothing was
// edited, nothing written); refused (a field is missing or wrong: the focus
// goes to `focus`); failed (nothing written: a read or write failed, or the
// user declined a question the save needed, such as the conversion
// confirmation; `message` holds the editor's words for it, empty when the
// user was told already or the caller says it its own way).

#include <QString>

#include <optional>
#include <utility>

enum class EditorOutcome { Saved, Unchanged, Refused, Failed };

template <typename Field> struct EditorResult {
    EditorOutcome outcome = EditorOutcome::Unchanged;
    std::optional<Field> focus;
    QString message;

    static EditorResult saved() { return {EditorOutcome::Saved, std::nullopt, {}}; }
    static EditorResult unchanged() { return {EditorOutcome::Unchanged, std::nullopt, {}}; }
    static EditorResult refused(std::optional<Field> field) { return {EditorOutcome::Refused, field, {}}; }
    static EditorResult failed(QString text = {})
    {
        return {EditorOutcome::Failed, std::nullopt, std::move(text)};
    }

    bool isSaved() const { return outcome == EditorOutcome::Saved; }
    explicit operator bool() const { return isSaved(); }
    friend bool operator==(const EditorResult& r, EditorOutcome o) { return r.outcome == o; }
};
