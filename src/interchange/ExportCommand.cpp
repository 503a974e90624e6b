#include "interchange/ExportCommand.h"

#include <algorithm>

ExportMemory ExportCommand::memoryAfter(const ExportRequest& request)
{
    ExportMemory memory;
    memory.nextStart = addDays(request.to, 1);
    memory.fullYearDates = request.fullYearDates;
    // Either separator: the desktop's own or the handheld's.
    const qsizetype last = std::max(request.path.lastIndexOf(u'/'), request.path.lastIndexOf(u'\\'));
    memory.file = request.path.mid(last + 1);
    // A file at the top of the tree (or a bare name) is remembered as in the home folder.
    memory.folder = last <= 1 ? QString::fromLatin1(HomeFolder) : request.path.left(last + 1);
    return memory;
}

bool ExportCommand::run(ExportWriter& writer, const ExportRequest& request, Interaction& ui,
                        const std::function<void(const ExportMemory&)>& remember)
{
    if (!writer.write(request)) {
        ui.showMessage(QString::fromLatin1(FailedText), Interaction::Icon::Exclamation);
        return false;
    }
    if (remember)
        remember(memoryAfter(request));
    ui.showMessage(QString::fromLatin1(SucceededText), Interaction::Icon::Information);
    return true;
}
