#include "planning/EditorNameResolution.h"

namespace {

bool namesCurrent(const QString& text, const QString& currentPath)
{
    return text.compare(currentPath, Qt::CaseInsensitive) == 0;
}

}  // namespace

EditorNameResolution::Result EditorNameResolution::made(qint32 id)
{
    return id == 0 ? Result{Outcome::Failed, 0} : Result{Outcome::Resolved, id};
}

EditorNameResolution::Result EditorNameResolution::category(Categories& categories, Interaction& ui,
                                                            const QString& text, qint32 current,
                                                            qint32 ownAccount)
{
    if (namesCurrent(text, categories.pathOf(current)))
        return {};
    if (text.isEmpty())
        return {Outcome::Resolved, 0};
    qint32 id = categories.findByPath(text);
    if (id == 0) {
        if (text.startsWith(u'[')) {
            ui.showMessage(QString::fromLatin1(InvalidAccountText), Interaction::Icon::Exclamation);
            return {Outcome::Invalid, 0};
        }
        if (!ui.askYesNo(Categories::missingQuestion(text)))
            return {};
        id = categories.createByPath(text);
        return made(id);
    }
    // Money cannot move from an account to itself: the change is dropped.
    if (id == -ownAccount || id == current)
        return {};
    return {Outcome::Resolved, id};
}

EditorNameResolution::Result EditorNameResolution::project(Projects& projects, Interaction& ui,
                                                           const QString& text, qint32 current)
{
    if (namesCurrent(text, projects.pathOf(current)))
        return {};
    if (text.isEmpty())
        return {Outcome::Resolved, 0};
    if (const qint32 id = projects.findByPath(text))
        return id == current ? Result{} : Result{Outcome::Resolved, id};
    if (!ui.askYesNo(Projects::missingQuestion(text)))
        return {};
    return made(projects.createByPath(text));
}
