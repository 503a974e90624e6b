#include "interchange/QifRecord.h"

#include "interchange/QifDate.h"
#include "store/NumberParse.h"

namespace {

// The "L" value: "Category:Sub/Class", "[Account]/Class", "/Class".
void readCategoryLine(QifRecord& r, const QString& value, bool* namedClass)
{
    QString category = value;
    const qsizetype slash = value.indexOf(u'/');
    if (slash >= 0) {
        category = value.left(slash);
        const QString projectClass = qifTrimBlanks(value.mid(slash + 1));
        if (!projectClass.isEmpty()) {
            r.projectClass = projectClass;
            r.namedClasses.append(projectClass);
            if (namedClass)
                *namedClass = true;
        }
    }
    category = qifTrimBlanks(category);
    r.category = category.startsWith(u'[') ? QString() : category;
    if (!r.category.isEmpty())
        r.namedCategories.append(r.category);
}

}  // namespace

QifRecord::Effect QifRecord::apply(const QifLine& line, const QifDateOrder& order, bool* namedClass)
{
    const QString value = line.value();
    switch (line.tagUpper()) {
    case u'!':
        return Effect::Clear;
    case u'^':
        return Effect::Finish;
    case u'D': {
        const std::optional<FileTime> parsed = parseQifDate(value, order);
        dateValid = parsed.has_value();
        date = parsed.value_or(0);
        break;
    }
    case u'T':
    case u'U':
        amount = parseLenientNumber(value);
        break;
    case u'P':
        payee = value;
        break;
    case u'M':
        memo = value;
        break;
    case u'N':
        number = value;
        break;
    case u'A':
        if (address.isEmpty())
            address = value;
        break;
    case u'C':
        if (value.startsWith(u'*'))
            status = 1;
        else if (value.startsWith(u'X'))
            status = 2;
        break;
    case u'L':
        readCategoryLine(*this, value, namedClass);
        break;
    case u'S':
    case u'E':
    case u'$':
        // A split record keeps its total from "T" but no category and no class.
        category.clear();
        projectClass.clear();
        break;
    default:
        break;
    }
    return Effect::None;
}
