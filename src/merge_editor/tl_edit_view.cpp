#include "merge_editor/tl_edit_view.h"

#include "editor/text_type.h"
#include "framework/command_ids.h"
#include "framework/command_menu.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "merge_editor/edit_doc.h"
#include "merge_editor/title_markers.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <algorithm>

namespace brindle {

namespace {

constexpr int kCompareTextType = 23;
constexpr std::size_t kEditSubmenu = 1;

}  // namespace

CTlEditView::CTlEditView(QWidget* parent) : CEdEditViewEx(parent) { SetParser(&m_parser); }

CEdTextBuffer* CTlEditView::LocateTextBuffer() const
{
    auto* document = qobject_cast<CEditDoc*>(const_cast<CTlEditView*>(this)->document());
    return document ? &document->textBuffer() : nullptr;
}

void CTlEditView::onInitialUpdate()
{
    CEdEditViewEx::onInitialUpdate();
    for (const STextType& type : textTypes()) {
        if (type.type == kCompareTextType)
            ApplyTextType(&type);
    }
}

void CTlEditView::onActivateView(bool activate)
{
    CEdEditViewEx::onActivateView(activate);
    if (!document())
        return;
    CWinApp* app = CWinApp::instance();
    CMDIChildWnd* frame = parentFrame();
    applyTitleMarkers(document()->isModified(), app ? app->mainFrame() : nullptr, frame, frame && frame->isMaximized());
}

void CTlEditView::goToLine(std::int64_t line)
{
    const CEdTextBuffer* buffer = TextBuffer();
    if (!buffer || buffer->LineCount() == 0)
        return;
    const auto target = static_cast<int>(std::clamp<std::int64_t>(line, 0, buffer->LineCount() - 1));
    MoveCaretTo({0, target});
    CEdTextView::EnsureVisible({0, target});
}

// The "&Edit" menu of the merge editor's menu, from the module that supplies resources now.
void CTlEditView::contextMenuEvent(QContextMenuEvent* event)
{
    const std::vector<SMenuItem>* items = CResources::instance().menu(res::kMergeEditor);
    std::vector<const SMenuItem*> popups;
    if (items) {
        for (const SMenuItem& item : *items) {
            if (item.popup || !item.children.empty())
                popups.push_back(&item);
        }
    }
    if (popups.size() <= kEditSubmenu)
        return;
    QMenu menu(this);
    AddCommandMenuItems(menu, popups[kEditSubmenu]->children, *this);
    menu.exec(event->globalPos());
}

}  // namespace brindle
