#include "reference/CurrencyPageForm.h"

#include "reference/BuiltInCurrencies.h"
#include "reference/RateText.h"
#include "store/NumberParse.h"

const QString CurrencyPageForm::Title = QStringLiteral("Currency");
const QString CurrencyPageForm::SuffixLabel = QStringLiteral("Suffix:");
const QString CurrencyPageForm::RateGroup = QStringLiteral("Exchange rate to");
const QString CurrencyPageForm::SetDefaultText = QStringLiteral("Set Default");
const QString CurrencyPageForm::DefaultLabel = QStringLiteral("Default:");

CurrencyPageForm::CurrencyPageForm(CurrencyCache& cache, QString defaultCode)
    : m_cache(cache), m_defaultCode(std::move(defaultCode))
{
}

void CurrencyPageForm::open()
{
    m_seenReload = m_cache.reloadCount();
    m_listRow = -1;
    m_listCode.clear();
    m_suffix.clear();
    m_rate.clear();
    const int defaultRow = m_cache.indexOf(m_defaultCode);
    selectComboRow(defaultRow >= 0 ? defaultRow : 0);
}

QStringList CurrencyPageForm::items() const
{
    QStringList list;
    for (int i = 0; i < m_cache.size(); ++i)
        list.append(m_cache.displayText(i));
    return list;
}

int CurrencyPageForm::validRow(int row) const
{
    return row >= 0 && row < m_cache.size() ? row : -1;
}

QString CurrencyPageForm::codeAt(int row) const
{
    return validRow(row) < 0 ? QString() : m_cache.entries()[static_cast<size_t>(row)].code;
}

void CurrencyPageForm::selectListRow(int row)
{
    m_listRow = validRow(row);
    m_listCode = codeAt(m_listRow);
    m_suffix = m_listRow < 0 ? QString() : m_cache.entries()[static_cast<size_t>(m_listRow)].symbol;
    refreshRate();
}

void CurrencyPageForm::selectComboRow(int row)
{
    m_comboRow = validRow(row);
    m_comboCode = codeAt(m_comboRow);
    refreshRate();
}

bool CurrencyPageForm::isRateEnabled() const
{
    return m_listRow >= 0 && m_comboRow >= 0 && m_listRow != m_comboRow;
}

void CurrencyPageForm::setRateRefreshListener(std::function<void(const QString&)> listener)
{
    m_rateListener = std::move(listener);
}

void CurrencyPageForm::refreshRate()
{
    if (m_listRow < 0 || m_comboRow < 0)
        return;
    m_rate = ::rateText(m_cache.rateAt(m_listRow, m_comboRow));
    if (!m_rateListener)
        return;
    // The view's echo of this text is not typing: it must not store a rate.
    m_refreshing = true;
    m_rateListener(m_rate);
    m_refreshing = false;
}

bool CurrencyPageForm::editSuffix(const QString& text)
{
    followCache();
    if (m_listRow < 0)
        return false;
    m_suffix = text;
    const bool written = m_cache.setSymbol(m_listCode, text);
    followCache();
    return written;
}

bool CurrencyPageForm::editRate(const QString& text)
{
    if (m_refreshing)
        return false;
    followCache();
    if (!isRateEnabled())
        return false;
    m_rate = text;
    // storeRate refuses what is not a usable rate, such as the "0" that
    // typing "0.5" passes through.
    if (!m_cache.storeRate(m_listCode, m_comboCode, parseLenientNumber(text)))
        return false;
    m_modified = true;
    return true;
}

QString CurrencyPageForm::setDefault()
{
    followCache();
    if (m_listRow >= 0)
        m_defaultCode = m_listCode;
    return m_listRow >= 0 ? m_listCode : QString();
}

QString CurrencyPageForm::defaultText() const
{
    const int cached = m_cache.indexOf(m_defaultCode);
    if (cached >= 0)
        return m_cache.displayText(cached);
    const int builtIn = BuiltInCurrencies::firstRowOf(m_defaultCode);
    return builtIn >= 0 ? BuiltInCurrencies::displayText(builtIn) : m_defaultCode;
}

QString CurrencyPageForm::defaultLine() const
{
    return DefaultLabel + QLatin1Char(' ') + defaultText();
}

bool CurrencyPageForm::followCache()
{
    if (m_cache.reloadCount() == m_seenReload)
        return false;
    // Rows may have moved (another program added a currency): the selections
    // follow the codes they were made on.
    m_seenReload = m_cache.reloadCount();
    m_listRow = m_listCode.isEmpty() ? -1 : m_cache.indexOf(m_listCode);
    m_comboRow = m_comboCode.isEmpty() ? -1 : m_cache.indexOf(m_comboCode);
    if (m_listRow < 0)
        m_listCode.clear();
    if (m_comboRow < 0)
        m_comboCode.clear();
    return true;
}
