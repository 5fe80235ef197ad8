#include "compare_ui/brd_form_view.h"

#include "compare_ui/brd_doc.h"
#include "compare_ui/brd_view.h"
#include "compare_ui/comp_ctrl.h"
#include "compare_ui/external_viewer.h"
#include "framework/command_ids.h"
#include "framework/file_dialog.h"
#include "framework/mdi_child_wnd.h"
#include "framework/resources.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>

namespace brindle {

namespace {

constexpr int kMargin = 3;

// Places w so that its edges are at left, top, right and bottom (right and bottom exclusive, as
// the platform's rectangles are).
void place(QWidget* w, int left, int top, int right, int bottom)
{
    w->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

}  // namespace

CBrdFormView::CBrdFormView(QWidget* parent)
    : QWidget(parent), m_button1(new QPushButton(loadString(res::kStrSelectFile), this)),
      m_button2(new QPushButton(loadString(res::kStrSelectFile), this))
{
    // The positions a dialog template would give before the first layout.
    const int buttonHeight = m_button1->sizeHint().height();
    m_button1->setGeometry(kMargin, kMargin, 100, buttonHeight);
    m_button2->setGeometry(kMargin, kMargin, 100, buttonHeight);
    connect(m_button1, &QPushButton::clicked, this, [this] { chooseFile(1); });
    connect(m_button2, &QPushButton::clicked, this, [this] { chooseFile(2); });

    onCommand(cmd::kEditCopy, [this] {
        if (CCompCtrl* pane = focusedPane())
            pane->copy();
    });
    onCommand(cmd::kEditSelectAll, [this] {
        if (CCompCtrl* pane = focusedPane())
            pane->selectAll();
    });
    const auto paneHasFocus = [this](CCmdUI& ui) { ui.enable(focusedPane() != nullptr); };
    onUpdateCommand(cmd::kEditCopy, paneHasFocus);
    onUpdateCommand(cmd::kEditSelectAll, paneHasFocus);
    // The report panes are read-only: Undo, Cut and Paste stand in the menu, as in the panes' own
    // context menu, and are never enabled.
    for (const int id : {cmd::kEditUndo, cmd::kEditCut, cmd::kEditPaste}) {
        onCommand(id, [] {});
        onUpdateCommand(id, [](CCmdUI& ui) { ui.enable(false); });
    }
    // The file-2 pane searches when it has the focus; otherwise the file-1 pane does.
    const auto searchPane = [this]() -> CCompCtrl* {
        CBRDDoc* doc = document();
        if (!doc)
            return nullptr;
        return focusedPane() == &doc->pane2() ? &doc->pane2() : &doc->pane1();
    };
    onCommand(cmd::kEditFind, [searchPane] {
        if (CCompCtrl* pane = searchPane())
            pane->showFindDialog();
    });
    onCommand(cmd::kEditRepeat, [searchPane] {
        if (CCompCtrl* pane = searchPane())
            pane->findNext();
    });
    for (int id : kComparisonDisabledFileCommands)
        onUpdateCommand(id, [](CCmdUI& ui) { ui.enable(false); });
}

CBrdFormView::~CBrdFormView()
{
    // The panes belong to the document: hand them back before the form's children are deleted.
    if (CBRDDoc* doc = document()) {
        doc->pane1().hide();
        doc->pane2().hide();
        doc->pane1().setParent(nullptr);
        doc->pane2().setParent(nullptr);
    }
}

CBRDDoc* CBrdFormView::document() const { return qobject_cast<CBRDDoc*>(CView::document()); }

CCompCtrl* CBrdFormView::focusedPane() const
{
    CBRDDoc* doc = document();
    if (!doc)
        return nullptr;
    QWidget* focus = QApplication::focusWidget();
    for (CCompCtrl* pane : {&doc->pane1(), &doc->pane2()}) {
        if (focus && (focus == pane || pane->isAncestorOf(focus)))
            return pane;
    }
    return nullptr;
}

void CBrdFormView::onInitialUpdate()
{
    CBRDDoc* doc = document();
    if (!doc)
        return;
    for (int side : {1, 2}) {
        CCompCtrl* pane = side == 1 ? &doc->pane1() : &doc->pane2();
        pane->setParent(this);
        pane->show();
        connect(pane, &CCompCtrl::fileDropped, this, [this](const QString&) { exchangeData(); });
        connect(pane, &CCompCtrl::focusEntered, this, [this] {
            if (CMDIChildWnd* frame = parentFrame())
                frame->setActiveView(this);
        });
        pane->setDoubleClickHandler([this, side](int position, Qt::KeyboardModifiers modifiers) {
            return onPaneDoubleClicked(side, position, modifiers);
        });
    }
    m_attached = true;
    CView::onInitialUpdate();
}

void CBrdFormView::onUpdate(CView*, int)
{
    updatePartnership();
    exchangeData();
    layoutControls();
}

void CBrdFormView::updatePartnership()
{
    CBRDDoc* doc = document();
    if (!doc)
        return;
    const bool synchronised = doc->context().m_synchScrolling != 0;
    doc->pane1().setPartner(synchronised ? &doc->pane2() : nullptr);
    doc->pane2().setPartner(synchronised ? &doc->pane1() : nullptr);
}

// The buttons always show the files of the comparison; a side with a name is emptied until the
// next Refresh, and with it the section list.
// The button shows the path as far as it fits; its tooltip shows it whole.
void CBrdFormView::showFile(int side, const QString& path)
{
    button(side)->setText(path);
    button(side)->setToolTip(path);
}

void CBrdFormView::exchangeData()
{
    CBRDDoc* doc = document();
    if (!doc)
        return;
    bool named = false;
    for (int side : {1, 2}) {
        CCompCtrl& pane = side == 1 ? doc->pane1() : doc->pane2();
        if (pane.fileName().isEmpty())
            continue;
        showFile(side, pane.fileName());
        pane.clear();
        named = true;
    }
    if (named) {
        if (CBRDView* list = doc->sectionList())
            list->deleteRoot();
    }
}

void CBrdFormView::layoutControls()
{
    CBRDDoc* doc = document();
    if (!doc || !m_attached)
        return;
    CCompCtrl* pane1 = &doc->pane1();
    CCompCtrl* pane2 = &doc->pane2();
    const int width = this->width();
    const int height = this->height();
    if (doc->context().m_alignment == 0) {
        const int middle = (width - 9) / 2;
        const int paneTop = m_button1->geometry().bottom() + 1 + kMargin;
        place(pane1, kMargin, paneTop, middle, height - kMargin);
        place(m_button1, kMargin, m_button1->y(), middle, m_button1->y() + m_button1->height());
        place(pane2, middle + kMargin, pane1->y(), width - kMargin, height - kMargin);
        place(m_button2, middle + kMargin, m_button1->y(), width - kMargin, m_button1->y() + m_button2->height());
    } else {
        const int buttonHeight = m_button1->height();
        place(m_button1, kMargin, kMargin, width - kMargin, kMargin + buttonHeight);
        const int pane1Top = kMargin + buttonHeight + kMargin;
        place(pane1, kMargin, pane1Top, width - kMargin, (height - kMargin) / 2);
        const int button2Top = (height - kMargin) / 2 + kMargin;
        place(m_button2, kMargin, button2Top, width - kMargin, button2Top + buttonHeight);
        place(pane2, kMargin, button2Top + buttonHeight + kMargin, width - kMargin, height - kMargin);
    }
    update();
}

void CBrdFormView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void CBrdFormView::chooseFile(int side)
{
    CBRDDoc* doc = document();
    if (!doc)
        return;
    CCompCtrl& own = side == 1 ? doc->pane1() : doc->pane2();
    CCompCtrl& other = side == 1 ? doc->pane2() : doc->pane1();
    const QString start = own.fileName().isEmpty() ? other.fileName() : own.fileName();
    const QString chosen = promptOpenFileName(this, start, loadString(res::kStrAllFiles));
    if (chosen.isEmpty())
        return;
    own.setFileName(chosen);
    showFile(side, chosen);
    doc->pane1().clear();
    doc->pane2().clear();
}

bool CBrdFormView::onPaneDoubleClicked(int side, int position, Qt::KeyboardModifiers modifiers)
{
    CBRDDoc* doc = document();
    if (!doc)
        return false;
    const CCompCtrl& pane = side == 1 ? doc->pane1() : doc->pane2();
    const int reportLine = pane.lineFromChar(position) + 1;
    const bool binary = doc->context().m_comparisonKind == kComparisonBinary;
    return openInViewer(pane.fileName(), doc->filePosition(reportLine, side), binary,
                        (modifiers & Qt::ControlModifier) != 0);
}

}  // namespace brindle
