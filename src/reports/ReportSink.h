#pragma once

// Where a writer puts its report: text fragments converted to the 8-bit code
// page (text and HTML) or raw bytes (Pocket Excel), on an open device. Each
// fragment is written whole, however long. The first failed write is
// remembered; later writes are skipped, so a writer checks ok() once at the end.

#include "platform/CodePage.h"

#include <QByteArrayView>
#include <QString>

class QIODevice;

class ReportSink {
public:
    // The device is owned by the caller and must stay open while the sink is used.
    ReportSink(QIODevice& device, const CodePage& codePage);

    void text(const QString& fragment);
    void bytes(QByteArrayView data);
    bool ok() const { return m_ok; }

private:
    QIODevice& m_device;
    CodePage m_codePage;
    bool m_ok = true;
};
