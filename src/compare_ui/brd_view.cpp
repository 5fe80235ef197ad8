#include "compare_ui/brd_view.h"

#include "compare_ui/brd_doc.h"
#include "compare_ui/brd_form_view.h"
#include "compare_ui/comp_ctrl.h"
#include "engine/report.h"
#include "framework/command_ids.h"
#include "framework/light_colours.h"
#include "framework/qt_utf16.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

#include <algorithm>

namespace brindle {

namespace {

// Images 0 (common section) and 2 (difference group) of the list's image list, 16 x 15 pixels.
QIcon sectionIcon(int image)
{
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(image == kImageCommon ? QColor(0, 0, 0) : QColor(0, 0, 255), 2));
    painter.drawLine(3, 5, 13, 5);
    painter.drawLine(3, 10, 13, 10);
    if (image != kImageCommon) {
        painter.setPen(QPen(QColor(255, 0, 0), 2));
        painter.drawLine(11, 2, 5, 13);
    }
    return QIcon(pixmap);
}

constexpr int kReportLineRole = Qt::UserRole;

}  // namespace

CBRDView::CBRDView(QWidget* parent) : QTreeWidget(parent)
{
    useLightColours(*this);  // the section icons' black, blue and red lines need a white ground
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);  // keeps a list of 100000 sections fast
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 15));
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CBRDView::onSelectionChanged);
    const auto forwardToForm = [this](int id) {
        return [this, id] {
            if (CBRDDoc* doc = document(); doc && doc->formView())
                doc->formView()->onCmdMsg(id);
        };
    };
    onCommand(cmd::kEditFind, forwardToForm(cmd::kEditFind));
    onCommand(cmd::kEditRepeat, forwardToForm(cmd::kEditRepeat));
    onUpdateCommand(cmd::kEditCopy, [](CCmdUI& ui) { ui.enable(false); });
    onUpdateCommand(cmd::kEditSelectAll, [](CCmdUI& ui) { ui.enable(false); });
    for (int id : kComparisonDisabledFileCommands)
        onUpdateCommand(id, [](CCmdUI& ui) { ui.enable(false); });
}

CBRDDoc* CBRDView::document() const { return qobject_cast<CBRDDoc*>(CView::document()); }

QTreeWidgetItem* CBRDView::root() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }

void CBRDView::setItems(const QString& rootText, const std::vector<SSectionItem>& items)
{
    clear();
    auto* rootItem = new QTreeWidgetItem(QStringList{rootText});
    rootItem->setToolTip(0, rootText);
    rootItem->setData(0, kReportLineRole, 0);
    rootItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    const QIcon common = sectionIcon(kImageCommon);
    const QIcon difference = sectionIcon(kImageDifference);
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(items.size()));
    for (const SSectionItem& item : items) {
        const QString label = toQString(item.label);
        auto* child = new QTreeWidgetItem(QStringList{label});
        child->setToolTip(0, label);
        child->setIcon(0, item.image == kImageCommon ? common : difference);
        child->setData(0, kReportLineRole, item.reportLine);
        children.append(child);
    }
    rootItem->addChildren(children);
    addTopLevelItem(rootItem);
    rootItem->setExpanded(true);
    emit itemsSet();
}

int CBRDView::fittingWidth() const
{
    QTreeWidgetItem* rootItem = root();
    if (!rootItem)
        return 0;
    // Labels of one list share their shape ("12-40;12-41"): the longest text is the widest one
    // closely enough, and measuring only it keeps a list of 100000 sections fast.
    const auto longest = [](QTreeWidgetItem* item, const QString& best) {
        const QString text = item->text(0);
        return text.size() > best.size() ? text : best;
    };
    QString children;
    for (int i = 0; i < rootItem->childCount(); ++i)
        children = longest(rootItem->child(i), children);
    const QFontMetrics metrics(font());
    const int frame = 2 * frameWidth() + 8;  // the frame, and the item's own margins
    const int rootWidth = metrics.horizontalAdvance(rootItem->text(0)) + iconSize().width();
    const int childWidth = indentation() + iconSize().width() + metrics.horizontalAdvance(children);
    return frame + indentation() + std::max(rootWidth, childWidth) +
           (verticalScrollBar() ? verticalScrollBar()->sizeHint().width() : 0);
}

void CBRDView::deleteRoot()
{
    clear();
    viewport()->update();
}

void CBRDView::selectNext()
{
    QTreeWidgetItem* rootItem = root();
    if (!rootItem || rootItem->childCount() == 0)
        return;
    QTreeWidgetItem* selected = currentItem();
    QTreeWidgetItem* target = rootItem->child(0);
    if (selected && selected != rootItem) {
        const int index = rootItem->indexOfChild(selected);
        if (index >= 0 && index + 1 < rootItem->childCount())
            target = rootItem->child(index + 1);
    }
    setCurrentItem(target);
}

void CBRDView::selectPrevious()
{
    QTreeWidgetItem* rootItem = root();
    if (!rootItem || rootItem->childCount() == 0)
        return;
    QTreeWidgetItem* selected = currentItem();
    QTreeWidgetItem* target = rootItem->child(rootItem->childCount() - 1);
    if (selected && selected != rootItem) {
        const int index = rootItem->indexOfChild(selected);
        if (index > 0)
            target = rootItem->child(index - 1);
    }
    setCurrentItem(target);
}

// Both panes scroll so that the section's first report line is their top line, whether or not
// they scroll together otherwise.
void CBRDView::onSelectionChanged()
{
    CBRDDoc* doc = document();
    QTreeWidgetItem* item = currentItem();
    if (!doc || !item)
        return;
    const int line = item->data(0, kReportLineRole).toInt();
    for (CCompCtrl* pane : {&doc->pane1(), &doc->pane2()})
        pane->scrollToLineAlone(line);
}

}  // namespace brindle
