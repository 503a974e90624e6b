#pragma once

// The filter file (".tyf"): the report filter's lists and conditions, without
// period or currency. doc/filter-file.md gives the byte layout.
//
// Reading never trusts the file: every length is checked against what is
// left, an id list stops growing at ReportIdList::MaxIds, and nothing is
// allocated in proportion to a length field.

#include "reports/ReportFilter.h"

#include <QByteArray>
#include <QString>

class Interaction;
class QIODevice;

class FilterFile {
public:
    // The message after a file that is not a filter file or is damaged.
    static const QString ReadErrorText;  // "Error Read File"

    enum class ReadResult {
        Complete,   // the end tag was reached
        BadHeader,  // not a filter file; the filter is unchanged
        Damaged,    // unknown tag, a list too long or the data ends early;
                    // the entries read before the fault stay applied
        NotOpened,  // load() only: the file could not be opened; nothing changed
    };

    // The file's bytes for the filter.
    static QByteArray encode(const ReportFilter& filter);

    // Reads a filter file from `in`. Unless the header is bad, the filter is
    // first cleared (ReportFilter::clearConditions) and the entries are then
    // applied as read. Ids that no longer exist stay until the caller's next
    // ReportFilter::refresh.
    static ReadResult read(QIODevice& in, ReportFilter& filter);

    // Writes the file beside the target and renames it into place. False when
    // that failed; an existing file at `path` is then left as it was.
    [[nodiscard]] static bool save(const QString& path, const ReportFilter& filter);

    // Reads the file at `path` into the filter; BadHeader and Damaged show
    // ReadErrorText through `ui`. A file that cannot be opened shows nothing.
    static ReadResult load(const QString& path, ReportFilter& filter, Interaction& ui);
};
