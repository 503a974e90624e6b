#include "reference/TreePaste.h"

TreePasteResult pasteInTree(TreeClipboard& clipboard, TreeTable& tree, qint32 target,
                            const TreePasteTotals& totals)
{
    TreePasteResult result;
    result.outcome = clipboard.paste(tree, target);
    if (result.outcome == TreeClipboard::Outcome::Moved && totals.totals)
        result.totalsUpdated = totals.totals->updateAll(totals.defaultCode);
    return result;
}
