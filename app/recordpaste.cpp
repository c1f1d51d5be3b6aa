#include "app/recordpaste.h"

#include "app/recordclipboard.h"
#include "desktop/messagebox.h"
#include "history/edithistory.h"
#include "interchange/recordmerge.h"

namespace {

RecordMerge::Answer AskToReplace(const std::string& kind, const std::string& name) {
    const std::string question = "A " + kind + " named " + name +
                                 " already exists. Replace it with the one on the clipboard?";
    switch (
        AfxMessageBoxUnicode(QString::fromStdString(question), MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return RecordMerge::Answer::Replace;
        case IDNO:
            return RecordMerge::Answer::Keep;
        default:
            return RecordMerge::Answer::Cancel;
    }
}

}  // namespace

bool PasteRecords(CBrinnowDoc& doc, EditHistory& history) {
    RecordMerge merge(doc);
    std::string error;
    if (!merge.Read(RecordsOnClipboard(), error)) {
        AfxMessageBoxUnicode(QString::fromStdString("Nothing was pasted. " + error));
        return false;
    }
    return history.Run("Paste", [&] { merge.Apply(AskToReplace); });
}
