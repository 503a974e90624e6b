#pragma once

// The shared objects of one run of the main program over one book folder: its
// settings, the store and the seven table cursors over it, the currency cache,
// the two trees and the run state. The shell composes them here and passes
// them on; nothing reaches them any other way.

#include "planning/FutureList.h"
#include "platform/BookFolder.h"
#include "platform/InstanceLock.h"
#include "platform/ObjectStore.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "shell/RunState.h"
#include "shell/TallyraSettings.h"
#include "store/TableSet.h"

#include <memory>

class MainBook {
public:
    // `locale` fills the date macros of the future list's texts.
    explicit MainBook(const BookFolder& folder, const QLocale& locale = QLocale::c());
    ~MainBook();
    MainBook(const MainBook&) = delete;
    MainBook& operator=(const MainBook&) = delete;

    const BookFolder& folder() const { return m_folder; }
    TallyraSettings& settings() { return m_settings; }
    TableSet& tables() { return m_tables; }
    CurrencyCache& currencies() { return m_currencies; }
    Categories& categories() { return m_categories; }
    Projects& projects() { return m_projects; }
    ProjectTotals& totals() { return m_totals; }
    // Recomputes every project's totals in the default currency.
    bool updateAllProjectTotals();
    RunState& state() { return m_state; }
    // Its horizon is state().horizon.
    FutureList& future() { return m_future; }
    // Null until openStore() succeeded.
    ObjectStore* store() { return m_store.get(); }

    // Takes the main program's single-instance lock of the folder. False with
    // *error filled when another run holds it.
    bool lock(QString* error);
    // Opens (or creates) the store file and attaches the cursors to it.
    bool openStore(QString* error);

private:
    BookFolder m_folder;
    TallyraSettings m_settings;
    std::unique_ptr<InstanceLock> m_lock;
    // Declared before the cursors so that it outlives them.
    std::unique_ptr<ObjectStore> m_store;
    TableSet m_tables;
    CurrencyCache m_currencies;
    Categories m_categories;
    Projects m_projects;
    ProjectTotals m_totals;
    RunState m_state;
    FutureList m_future;
};
