#include "shell/TallyraSettings.h"

#include "platform/BookFolder.h"

#include <iterator>

namespace {

using Int = TallyraSettings::Int;
using Text = TallyraSettings::Text;

const char* const Options = "Options";
const char* const AccountPage = "accountpage";
const char* const ProjectPage = "ProjectPage";
const char* const CsvMappings = "CSV Mappings";

// In the order of the enums: an entry's place is its id.
const TallyraSettings::IntKey IntKeys[] = {
    {Int::VersionMajor, Options, "Version Major", 0},
    {Int::VersionMinor, Options, "Version Minor", 0},
    {Int::FutureListDateLow, Options, "Future List Date Low", 0},
    {Int::FutureListDateHigh, Options, "Future List Date High", 0},
    {Int::Panel0Width, Options, "Panel0cx", 80},
    {Int::Panel1Width, Options, "Panel1cx", 281},
    {Int::Panel2Width, Options, "Panel2cx", 220},
    {Int::ExportFullYearDates, Options, "Export MS Money Date", 0},
    {Int::AccountId, AccountPage, "accountid", 0},
    {Int::ShowProperties, AccountPage, "showprop", 1},
    {Int::ListSpDate, AccountPage, "listspdate", 73},
    {Int::ListSpDesc, AccountPage, "listspdesc", 163},
    {Int::ListSpAmount, AccountPage, "listspamount", 90},
    {Int::ListNspDate, AccountPage, "listnspdate", 90},
    {Int::ListNspNo, AccountPage, "listnspno", 40},
    {Int::ListNspDesc, AccountPage, "listnspdesc", 205},
    {Int::ListNspDep, AccountPage, "listnspdep", 80},
    {Int::ListNspPay, AccountPage, "listnsppay", 80},
    {Int::ListNspBal, AccountPage, "listnspbal", 83},
    {Int::ProjectTreeWidth, ProjectPage, "TreeWidth", 240},
};

// "AFA" is the first code of the built-in currency list.
const TallyraSettings::TextKey TextKeys[] = {
    {Text::Version, Options, "Version", "1.0.0.0"},
    {Text::DefaultCurrency, Options, "Default Currency", "AFA"},
    {Text::BackUpFile, Options, "BackUp File", "BackUp.tyb"},
    {Text::BackUpFolder, Options, "BackUp Folder", "\\"},
    {Text::ImportFolder, Options, "Import Folder", "\\"},
    {Text::ExportFolder, Options, "Export Folder", "\\"},
    {Text::LastCsvMapping, Options, "Last CSV Mapping", ""},
};

static_assert(std::size(IntKeys) == static_cast<size_t>(Int::ProjectTreeWidth) + 1);
static_assert(std::size(TextKeys) == static_cast<size_t>(Text::LastCsvMapping) + 1);

const TallyraSettings::Keys AllKeys{IntKeys, TextKeys};

const char* const ExportLowDate = "Export low date";
const char* const ExportHighDate = "Export high date";
const char* const ExportFile = "Export File";
const char* const ColumnCount = "ColumnCount";

QString text(const char* latin)
{
    return QString::fromLatin1(latin);
}

QString listSection(const QString& list, int number)
{
    return list + QString::number(number);
}

QString columnKey(char kind, int column)
{
    return QLatin1Char(kind) + QString::number(column);
}

}  // namespace

TallyraSettings::TallyraSettings(const QString& iniPath) : m_file(iniPath)
{
}

const TallyraSettings::IntKey& TallyraSettings::intKey(Int id)
{
    return AllKeys.of(id);
}

const TallyraSettings::TextKey& TallyraSettings::textKey(Text id)
{
    return AllKeys.of(id);
}

qint32 TallyraSettings::read(Int id) const
{
    return AllKeys.read(m_file, id);
}

QString TallyraSettings::read(Text id) const
{
    return AllKeys.read(m_file, id);
}

bool TallyraSettings::write(Int id, qint32 value)
{
    return AllKeys.write(m_file, id, value);
}

bool TallyraSettings::write(Text id, const QString& value)
{
    return AllKeys.write(m_file, id, value);
}

bool TallyraSettings::writeItem(const QString& section, const QString& key, const QString& value)
{
    return m_file.writeText(section, key, value);
}

bool TallyraSettings::writeItem(const QString& section, const QString& key, qint32 value)
{
    return m_file.writeInt(section, key, value);
}

QString TallyraSettings::folder(Text id) const
{
    return BookFolder::resolveFolderSetting(read(id));
}

qint64 TallyraSettings::readSplit(const QString& section, const QString& lowKey, const QString& highKey) const
{
    const quint32 low = static_cast<quint32>(m_file.readInt(section, lowKey, 0));
    const quint32 high = static_cast<quint32>(m_file.readInt(section, highKey, 0));
    return static_cast<qint64>((static_cast<quint64>(high) << 32) | low);
}

bool TallyraSettings::writeSplit(const QString& section, const QString& lowKey, const QString& highKey,
                                 qint64 value)
{
    const quint64 bits = static_cast<quint64>(value);
    // Both halves in one write: a run killed between two writes would leave
    // a mix of old and new halves, a horizon that is neither 0 nor true.
    return m_file.writeInts(section, {{lowKey, static_cast<qint32>(static_cast<quint32>(bits))},
                                      {highKey, static_cast<qint32>(static_cast<quint32>(bits >> 32))}});
}

qint64 TallyraSettings::futureHorizon() const
{
    return readSplit(text(Options), text(intKey(Int::FutureListDateLow).key),
                     text(intKey(Int::FutureListDateHigh).key));
}

bool TallyraSettings::setFutureHorizon(qint64 fileTime)
{
    return writeSplit(text(Options), text(intKey(Int::FutureListDateLow).key),
                      text(intKey(Int::FutureListDateHigh).key), fileTime);
}

qint64 TallyraSettings::exportStartDate(const QString& accountName) const
{
    return readSplit(text(Options), text(ExportLowDate) + accountName, text(ExportHighDate) + accountName);
}

bool TallyraSettings::setExportStartDate(const QString& accountName, qint64 fileTime)
{
    return writeSplit(text(Options), text(ExportLowDate) + accountName, text(ExportHighDate) + accountName,
                      fileTime);
}

QStringList TallyraSettings::csvMappingNames() const
{
    QStringList names = m_file.keys(text(CsvMappings));
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString TallyraSettings::csvMapping(const QString& name) const
{
    return m_file.readText(text(CsvMappings), name, QString());
}

bool TallyraSettings::setCsvMapping(const QString& name, const QString& mapping)
{
    return m_file.writeText(text(CsvMappings), name, mapping);
}

QString TallyraSettings::exportFile(const QString& accountName) const
{
    return m_file.readText(text(Options), text(ExportFile) + accountName,
                           accountName + QLatin1String(".qif"));
}

bool TallyraSettings::setExportFile(const QString& accountName, const QString& fileName)
{
    return m_file.writeText(text(Options), text(ExportFile) + accountName, fileName);
}

qint32 TallyraSettings::listColumnCount(const QString& list, int number) const
{
    return m_file.readInt(listSection(list, number), text(ColumnCount), 0);
}

bool TallyraSettings::setListColumnCount(const QString& list, int number, qint32 count)
{
    return m_file.writeInt(listSection(list, number), text(ColumnCount), count);
}

qint32 TallyraSettings::listColumnPosition(const QString& list, int number, int column) const
{
    return m_file.readInt(listSection(list, number), columnKey('P', column), column);
}

bool TallyraSettings::setListColumnPosition(const QString& list, int number, int column, qint32 position)
{
    return m_file.writeInt(listSection(list, number), columnKey('P', column), position);
}

qint32 TallyraSettings::listColumnWidth(const QString& list, int number, int column,
                                        qint32 currentWidth) const
{
    return m_file.readInt(listSection(list, number), columnKey('W', column), currentWidth);
}

bool TallyraSettings::setListColumnWidth(const QString& list, int number, int column, qint32 width)
{
    return m_file.writeInt(listSection(list, number), columnKey('W', column), width);
}
