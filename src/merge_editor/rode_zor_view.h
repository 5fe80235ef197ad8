// The merge editor's view: section navigation and the tag-removal commands on a merge file.
#pragma once

#include "merge_editor/tl_edit_view.h"

// moc cannot read the tag commands' header (it fails on <concepts> through <optional>).
#ifndef Q_MOC_RUN
#include "merge_editor/merge_tag_commands.h"
#endif

namespace brindle {

class CDocument;

// Commands cmd::kNextSection and cmd::kPrevSection, and cmd::kRemoveFile1Tags, kRemoveFile2Tags
// and kRemoveAllTags (remove the remaining tags of file 1, of file 2, of both), always enabled.
// The tags are read from the view's document through the tag source each time a command runs.
class CRodeZorView : public CTlEditView {
    Q_OBJECT
public:
    using TagSource = SMergeCommandTags (*)(CDocument&);

    explicit CRodeZorView(QWidget* parent = nullptr);

    // How every merge editor view finds the tags of its document (the compare options of the
    // comparing document); without one, or without a document, no tag is set.
    static void SetTagSource(TagSource source);
    SMergeCommandTags Tags();

private:
    void removeTags(int file);
    void goToSection(bool next);
    SMergeSelection selection() const;
    void select(const SMergeSelection& selection);
};

}  // namespace brindle
