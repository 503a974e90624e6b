#include "shell/CliInteraction.h"

CliInteraction::CliInteraction(QTextStream& err, bool assumeYes, bool verbose)
    : m_err(err), m_assumeYes(assumeYes), m_verbose(verbose)
{
}

bool CliInteraction::askYesNo(const QString& text, const QString&)
{
    if (m_assumeYes) {
        if (m_verbose)
            m_err << text << QLatin1String("\nYes (--yes)\n") << Qt::flush;
        return true;
    }
    m_err << text << QLatin1String("\nNo: run again with --yes to answer Yes.\n") << Qt::flush;
    return false;
}

void CliInteraction::showMessage(const QString& text, Icon, const QString&)
{
    m_err << text << u'\n' << Qt::flush;
}

void CliInteraction::showStatus(const QString& text)
{
    if (m_verbose)
        m_err << text << u'\n' << Qt::flush;
}
