#pragma once

// The "Currency" page of the options sheet, without its widgets: a list of the
// cached currencies, the "Suffix:" edit of the selected one, the group
// "Exchange rate to" (a combo box of the same currencies and a rate edit),
// "Set Default" and the default line. The page widget shows what this holds
// and forwards the user's input to it.
//
// The rate edit reads: one unit of the list's currency buys the shown number
// of units of the combo box's currency.

#include "reference/CurrencyCache.h"

#include <QString>
#include <QStringList>

#include <functional>

class CurrencyPageForm {
public:
    static const QString Title;           // "Currency"
    static const QString SuffixLabel;     // "Suffix:"
    static const QString RateGroup;       // "Exchange rate to"
    static const QString SetDefaultText;  // "Set Default"
    static const QString DefaultLabel;    // "Default:"

    // The cache must outlive the model. `defaultCode` is the current default.
    CurrencyPageForm(CurrencyCache& cache, QString defaultCode);

    // Opening the page: no list selection, the default currency chosen in the
    // combo box (the first one when it is not cached).
    void open();

    // The cached currencies as name (code), in table order; the list and the
    // combo box show the same items.
    QStringList items() const;
    int listRow() const { return m_listRow; }    // -1 = none
    int comboRow() const { return m_comboRow; }  // -1 = none

    // A row outside the items clears that selection.
    void selectListRow(int row);
    void selectComboRow(int row);

    QString suffixText() const { return m_suffix; }
    QString rateText() const { return m_rate; }
    bool isRateEnabled() const;

    // Called with the new rate text whenever the page itself refreshes the rate
    // edit. A view that sets its edit from here may feed the resulting change
    // notice straight back to editRate: it is ignored while the refresh runs.
    void setRateRefreshListener(std::function<void(const QString&)> listener);

    // Typing in the suffix edit: writes the selected currency's symbol and
    // reloads the cache. False without a list selection or when the write failed.
    bool editSuffix(const QString& text);

    // Typing in the rate edit: the text is read by the lenient number rule and
    // stored as the rate list currency -> combo currency. Nothing is stored
    // during a refresh, while the edit is disabled, or for a rate that is not
    // usable (typing "0.5" passes through "0" and "0."). True when stored.
    bool editRate(const QString& text);
    bool isModified() const { return m_modified; }

    // "Set Default": the list's currency becomes the default; returns its code
    // for the caller to keep in the settings, "" without a list selection.
    QString setDefault();
    QString defaultCode() const { return m_defaultCode; }
    // name (code) of the default currency (its code alone when neither the
    // cache nor the built-in list knows it).
    QString defaultText() const;
    // DefaultLabel, a blank and defaultText().
    QString defaultLine() const;

    // After the cache was reloaded elsewhere: the selections follow their
    // currencies by code. True when the cache had moved since last seen.
    bool followCache();

private:
    void refreshRate();
    QString codeAt(int row) const;
    int validRow(int row) const;

    CurrencyCache& m_cache;
    QString m_defaultCode;
    quint64 m_seenReload = 0;
    int m_listRow = -1;
    int m_comboRow = -1;
    QString m_listCode;  // the currencies the selections were made on
    QString m_comboCode;
    QString m_suffix;
    QString m_rate;
    bool m_refreshing = false;
    bool m_modified = false;
    std::function<void(const QString&)> m_rateListener;
};
