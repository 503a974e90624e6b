#pragma once

// The category list of a QIF file ("!Type:Cat" up to the next "!" line)
// describes categories, not transactions: every pass skips its lines. The
// "!" lines themselves are never skipped, since each ends the section it is in.

#include "interchange/QifLineReader.h"

class QifCategorySection {
public:
    // True when `line` lies inside a category section; follow the lines in file order.
    bool skips(const QifLine& line)
    {
        if (line.isTag('!')) {
            m_inside = line.text.startsWith(QLatin1String("!type:cat"), Qt::CaseInsensitive);
            return false;
        }
        return m_inside;
    }

private:
    bool m_inside = false;
};

// The lines a pass sees: those of `reader` outside category sections.
class QifPassLines {
public:
    explicit QifPassLines(QifLineReader& reader) : m_reader(reader) {}

    std::optional<QifLine> next()
    {
        for (std::optional<QifLine> line = m_reader.next(); line; line = m_reader.next()) {
            if (!m_section.skips(*line))
                return line;
        }
        return std::nullopt;
    }

private:
    QifLineReader& m_reader;
    QifCategorySection m_section;
};
