#include "reports/ReportSettings.h"

#include "platform/BookFolder.h"

#include <array>
#include <iterator>

namespace {

using Int = ReportSettings::Int;
using Text = ReportSettings::Text;

const char* const Options = "Options";
const char* const ReportPage = "ReportPage";
const char* const Filter = "filter";

// In the order of the enums: an entry's place is its id.
const ReportSettings::IntKey IntKeys[] = {
    {Int::Panel0Width, Options, "Panel0cx", 60},
    {Int::Panel1Width, Options, "Panel1cx", 0},
    {Int::TreeWidth, ReportPage, "TreeWidth", 240},
};

// "AFA" is the first code of the built-in currency list. The main program
// keeps its own "Default Currency" in its own file; this one is only read.
const ReportSettings::TextKey TextKeys[] = {
    {Text::DefaultCurrency, Options, "Default Currency", "AFA"},
    {Text::FilterFolder, Options, "Filter Folder", "\\"},
    {Text::ExportFolder, Options, "Export Folder", "\\"},
    {Text::FilterCurrency, Filter, "Currency", ""},
};

static_assert(std::size(IntKeys) == static_cast<size_t>(Int::TreeWidth) + 1);
static_assert(std::size(TextKeys) == static_cast<size_t>(Text::FilterCurrency) + 1);

const ReportSettings::Keys AllKeys{IntKeys, TextKeys};

struct ListLayout {
    ReportKind kind;
    const char* section;
    int columns;
    std::array<qint32, 5> widths;
};

// In the order of ReportKind. Column 0 is the icon.
const ListLayout ListLayouts[] = {
    {ReportKind::TransactionList, "listtrans", 4, {18, 80, 200, 80, 0}},
    {ReportKind::Categories, "listcats", 5, {18, 200, 80, 80, 80}},
    {ReportKind::Projects, "listprojs", 5, {18, 200, 80, 80, 80}},
};

static_assert(std::size(ListLayouts) == static_cast<size_t>(ReportKind::Projects) + 1);

QString text(const char* latin)
{
    return QString::fromLatin1(latin);
}

const ListLayout& layoutOf(ReportKind kind)
{
    return ListLayouts[static_cast<size_t>(kind)];
}

bool hasColumn(ReportKind kind, int column)
{
    return column >= 0 && column < layoutOf(kind).columns;
}

}  // namespace

ReportSettings::ReportSettings(const QString& iniPath) : m_file(iniPath)
{
}

const ReportSettings::IntKey& ReportSettings::intKey(Int id)
{
    return AllKeys.of(id);
}

const ReportSettings::TextKey& ReportSettings::textKey(Text id)
{
    return AllKeys.of(id);
}

const char* ReportSettings::listSection(ReportKind kind)
{
    return layoutOf(kind).section;
}

int ReportSettings::columnCount(ReportKind kind)
{
    return layoutOf(kind).columns;
}

qint32 ReportSettings::defaultColumnWidth(ReportKind kind, int column)
{
    return hasColumn(kind, column) ? layoutOf(kind).widths[static_cast<size_t>(column)] : 0;
}

qint32 ReportSettings::read(Int id) const
{
    return AllKeys.read(m_file, id);
}

QString ReportSettings::read(Text id) const
{
    return AllKeys.read(m_file, id);
}

bool ReportSettings::write(Int id, qint32 value)
{
    return AllKeys.write(m_file, id, value);
}

bool ReportSettings::write(Text id, const QString& value)
{
    return AllKeys.write(m_file, id, value);
}

QString ReportSettings::folder(Text id) const
{
    return BookFolder::resolveFolderSetting(read(id));
}

qint32 ReportSettings::columnWidth(ReportKind kind, int column) const
{
    if (!hasColumn(kind, column))
        return 0;
    return m_file.readInt(text(listSection(kind)), QString::number(column), defaultColumnWidth(kind, column));
}

bool ReportSettings::setColumnWidth(ReportKind kind, int column, qint32 width)
{
    if (!hasColumn(kind, column))
        return false;
    return m_file.writeInt(text(listSection(kind)), QString::number(column), width);
}
