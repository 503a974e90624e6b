#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class QMenu;
class QWidget;

// The main program's command table: each command's id, its menu text (empty
// for commands reached only by keys), its shortcuts and its handler. The
// window builds the "&File" menu and every shortcut from it and from nothing
// else. A command whose window is not part of the program yet has no handler:
// it gets neither a menu item nor a shortcut.
struct MainCommand {
    int id = 0;
    QString menuText;
    QList<QKeySequence> shortcuts;
    std::function<void()> handler;
    // Ids that issue the same command (Exit is 57665, 32771 and 40019).
    QList<int> aliases;
};

class MainCommands {
public:
    enum Id {
        About = 57664,
        Exit = 57665,
        Options = 40001,
        DeleteOld = 40003,
        NewAccount = 40005,
        AccountProperties = 40006,
        DeleteAccount = 40007,
        Export = 40008,
        Reports = 40010,
        Find = 40011,
        FindNext = 40013,
        ImportQif = 40015,
        ImportOfx = 40040,
        ImportCsv = 40041,
        Backup = 40020,
        Restore = 40021,
        LockNow = 40023,
        DatabaseClearing = 40029,
        NextNumber = 40030,
        Undo = 57643,
        Copy = 57634,
        Cut = 57635,
        Paste = 57637,
        Help = 57670,
    };

    // The "&File" menu in its order; 0 is a separator.
    static const std::vector<int>& fileMenu();

    void add(MainCommand command) { m_commands.push_back(std::move(command)); }
    const MainCommand* find(int id) const;
    const std::vector<MainCommand>& all() const { return m_commands; }

    // Runs the command with that id (or an alias); false when it has no handler.
    bool run(int id) const;

    // The actions of every command with a handler, added to `window` (so the
    // shortcuts work wherever the focus is), and the menu items of those the
    // menu lists; a separator never starts or ends the menu or follows another.
    void build(QWidget& window, QMenu& file) const;

private:
    std::vector<MainCommand> m_commands;
};
