#include "reports/ReportSink.h"

#include <QIODevice>

ReportSink::ReportSink(QIODevice& device, const CodePage& codePage) : m_device(device), m_codePage(codePage)
{
}

void ReportSink::text(const QString& fragment)
{
    bytes(m_codePage.encode(fragment));
}

void ReportSink::bytes(QByteArrayView data)
{
    if (!m_ok || data.isEmpty())
        return;
    m_ok = m_device.write(data.data(), data.size()) == data.size();
}
