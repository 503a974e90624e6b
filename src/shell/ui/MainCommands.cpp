#include "shell/ui/MainCommands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

const std::vector<int>& MainCommands::fileMenu()
{
    static const std::vector<int> order{About,     0,         DatabaseClearing, 0, Export,
                                        ImportQif, ImportOfx, ImportCsv,        0, Backup,
                                        Restore,   0,         Reports,          0, Exit};
    return order;
}

const MainCommand* MainCommands::find(int id) const
{
    for (const MainCommand& c : m_commands)
        if (c.id == id || c.aliases.contains(id))
            return &c;
    return nullptr;
}

bool MainCommands::run(int id) const
{
    const MainCommand* c = find(id);
    if (!c || !c->handler)
        return false;
    c->handler();
    return true;
}

void MainCommands::build(QWidget& window, QMenu& file) const
{
    std::vector<std::pair<int, QAction*>> actions;
    for (const MainCommand& c : m_commands) {
        if (!c.handler)
            continue;
        auto* action = new QAction(c.menuText, &window);
        action->setShortcuts(c.shortcuts);
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, &window, [handler = c.handler] { handler(); });
        window.addAction(action);
        actions.emplace_back(c.id, action);
    }
    bool separatorPending = false;
    for (int id : fileMenu()) {
        if (id == 0) {
            separatorPending = !file.actions().isEmpty();
            continue;
        }
        for (const auto& [actionId, action] : actions) {
            if (actionId != id)
                continue;
            if (separatorPending)
                file.addSeparator();
            separatorPending = false;
            file.addAction(action);
        }
    }
}
