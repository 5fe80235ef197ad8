#include "compare_ui/folder_view.h"

#include "compare_ui/folder_doc.h"
#include "editor/colour_table.h"
#include "framework/command_ids.h"
#include "framework/light_colours.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "platform/utf8.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <algorithm>
#include <deque>

namespace brindle {

namespace {

constexpr int kColumnCount = 7;

enum EColumn { kName, kState, kKind, kSize1, kTime1, kSize2, kTime2 };

// A name on one line: a line feed, tab or other control character in it is shown as an escape.
QString displayName(const std::string& name)
{
    QString text = toQString(pathFromNative(name));
    QString shown;
    for (const QChar ch : text) {
        if (ch == u'\n')
            shown += QStringLiteral("\\n");
        else if (ch == u'\t')
            shown += QStringLiteral("\\t");
        else if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += ch;
    }
    return shown;
}

QColor fromColourRef(std::uint32_t ref) { return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF); }

QColor stateColour(EEntryState state)
{
    switch (state) {
    case EEntryState::Different: return QColor(200, 0, 0);
    case EEntryState::OnlyIn1: return fromColourRef(programColour(kColourFile1));
    case EEntryState::OnlyIn2: return fromColourRef(programColour(kColourFile2));
    case EEntryState::TypeDiffers: return QColor(140, 0, 140);
    case EEntryState::Unreadable:
    case EEntryState::Pending: return QColor(110, 110, 110);
    case EEntryState::Same: break;
    }
    return QColor(0, 0, 0);
}

QString stateText(const SFolderEntry& entry)
{
    if (entry.state == EEntryState::Pending)
        return loadString(res::kStrPending);
    if (entry.state == EEntryState::Same && entry.sameIgnoring)
        return loadString(res::kStrSameIgnoring);
    return loadString(res::kStrStateSame + static_cast<int>(entry.state) - static_cast<int>(EEntryState::Same));
}

QString sizeText(const SFolderSide& side)
{
    return side.present && side.kind == EFolderItemKind::File ? QLocale().toString(static_cast<qlonglong>(side.size))
                                                              : QString();
}

QString timeText(const SFolderSide& side)
{
    if (!side.present)
        return {};
    return QLocale().toString(QDateTime::fromMSecsSinceEpoch(side.lastWriteTime / 1'000'000), QLocale::ShortFormat);
}

// A difference of its own: not a folder whose contents differ, nor what a folder of one side (or
// one facing a file) holds, which is said by that folder's row.
bool isDifference(const std::deque<SFolderEntry>& entries, std::size_t index)
{
    const SFolderEntry& entry = entries[index];
    if (entry.state == EEntryState::Same || (entry.isFolder() && entry.state == EEntryState::Different))
        return false;
    if (entry.parent < 0)
        return true;
    const EEntryState parent = entries[static_cast<std::size_t>(entry.parent)].state;
    return parent != EEntryState::OnlyIn1 && parent != EEntryState::OnlyIn2 && parent != EEntryState::TypeDiffers;
}

}  // namespace

CFolderView::CFolderView(QWidget* parent) : QTreeWidget(parent)
{
    useLightColours(*this);
    setColumnCount(kColumnCount);
    QStringList headers;
    for (int column = 0; column < kColumnCount; ++column)
        headers << loadString(res::kStrColumnName + column);
    setHeaderLabels(headers);
    setUniformRowHeights(true);
    setAlternatingRowColors(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(kName, QHeaderView::Stretch);
    connect(this, &QTreeWidget::itemActivated, this, [this] { openCurrent(); });

    onCommand(cmd::kNextSection, [this] { nextDifference(true); });
    onCommand(cmd::kPrevSection, [this] { nextDifference(false); });
    const auto anyEntries = [this](CCmdUI& ui) { ui.enable(topLevelItemCount() > 0); };
    onUpdateCommand(cmd::kNextSection, anyEntries);
    onUpdateCommand(cmd::kPrevSection, anyEntries);
    const auto onSelected = [this](int id, const std::function<void(CFolderDoc&, const SFolderEntry&)>& act) {
        onCommand(id, [this, act] {
            if (const SFolderEntry* entry = currentEntry())
                act(*folderDocument(), *entry);
        });
    };
    onSelected(cmd::kFolderCopyTo2, [](CFolderDoc& doc, const SFolderEntry& entry) { doc.copyEntry(entry, 1); });
    onSelected(cmd::kFolderCopyTo1, [](CFolderDoc& doc, const SFolderEntry& entry) { doc.copyEntry(entry, 2); });
    onSelected(cmd::kFolderTrash1, [](CFolderDoc& doc, const SFolderEntry& entry) { doc.trashEntry(entry, 1); });
    onSelected(cmd::kFolderTrash2, [](CFolderDoc& doc, const SFolderEntry& entry) { doc.trashEntry(entry, 2); });
    onUpdateCommand(cmd::kFolderCopyTo2, [this](CCmdUI& ui) {
        const SFolderEntry* entry = currentEntry();
        ui.enable(entry && entry->side1.present && entry->state != EEntryState::Same);
    });
    onUpdateCommand(cmd::kFolderCopyTo1, [this](CCmdUI& ui) {
        const SFolderEntry* entry = currentEntry();
        ui.enable(entry && entry->side2.present && entry->state != EEntryState::Same);
    });
    onUpdateCommand(cmd::kFolderTrash1,
                    [this](CCmdUI& ui) { ui.enable(currentEntry() && currentEntry()->side1.present); });
    onUpdateCommand(cmd::kFolderTrash2,
                    [this](CCmdUI& ui) { ui.enable(currentEntry() && currentEntry()->side2.present); });
}

CFolderView::~CFolderView() = default;

CFolderDoc* CFolderView::folderDocument() const { return qobject_cast<CFolderDoc*>(document()); }

void CFolderView::onInitialUpdate()
{
    if (CFolderDoc* doc = folderDocument()) {
        connect(doc, &CFolderDoc::compared, this, &CFolderView::rebuild, Qt::UniqueConnection);
        connect(doc, &CFolderDoc::entriesListed, this, &CFolderView::appendListed, Qt::UniqueConnection);
    }
    CView::onInitialUpdate();
}

void CFolderView::onUpdate(CView*, int) { rebuild(); }

// Rebuilt whole after every comparison; the current row and the open folders are kept by path.
void CFolderView::rebuild()
{
    CFolderDoc* doc = folderDocument();
    if (!doc)
        return;
    const SFolderEntry* current = currentEntry();
    const std::string currentPath = current ? current->path : std::string();
    std::vector<std::string> expanded;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i] && m_items[i]->isExpanded())
            expanded.push_back(m_items[i]->data(kName, Qt::UserRole + 1).toString().toStdString());
    }
    m_indexOfPath.clear();
    if (m_rowsListed && m_items.size() == doc->entries().size()) {
        // The rows the listing made are this comparison's: they only take its states.
        for (std::size_t i = 0; i < m_items.size(); ++i)
            fillRow(*m_items[i], doc->entries()[i], i);
    } else {
        clear();
        m_items.assign(doc->entries().size(), nullptr);
        for (std::size_t i = 0; i < doc->entries().size(); ++i)
            m_items[i] = addRow(doc->entries()[i], i);
    }
    m_rowsListed = false;
    for (std::size_t i = 0; i < doc->entries().size(); ++i)
        m_indexOfPath.emplace(doc->entries()[i].path, i);
    for (const std::string& path : expanded) {
        if (QTreeWidgetItem* item = itemOf(path))
            item->setExpanded(true);
    }
    if (QTreeWidgetItem* item = itemOf(currentPath))
        setCurrentItem(item);
    else if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
    fitColumns();
    updateStatus();
}

QTreeWidgetItem* CFolderView::addRow(const SFolderEntry& entry, std::size_t index)
{
    QTreeWidgetItem* parent = entry.parent >= 0 && static_cast<std::size_t>(entry.parent) < m_items.size()
                                  ? m_items[static_cast<std::size_t>(entry.parent)]
                                  : nullptr;
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    fillRow(*item, entry, index);
    return item;
}

void CFolderView::fillRow(QTreeWidgetItem& row, const SFolderEntry& entry, std::size_t index)
{
    QTreeWidgetItem* item = &row;
    item->setText(kName, displayName(entry.name));
    item->setData(kName, Qt::UserRole, static_cast<qulonglong>(index));
    item->setData(kName, Qt::UserRole + 1, QString::fromStdString(entry.path));
    item->setToolTip(kName, displayName(entry.path));
    item->setText(kState, stateText(entry));
    if (!entry.problem.empty())
        item->setToolTip(kState, QString::fromStdString(entry.problem));
    if (entry.kind != EFileKind::Unknown)
        item->setText(kKind, loadString(entry.kind == EFileKind::Binary ? res::kStrKindBinary : res::kStrKindText));
    item->setText(kSize1, sizeText(entry.side1));
    item->setText(kTime1, timeText(entry.side1));
    item->setText(kSize2, sizeText(entry.side2));
    item->setText(kTime2, timeText(entry.side2));
    item->setTextAlignment(kSize1, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(kSize2, Qt::AlignRight | Qt::AlignVCenter);
    if (entry.state != EEntryState::Same) {
        for (int column = 0; column < kColumnCount; ++column)
            item->setForeground(column, stateColour(entry.state));
    }
    const CFolderDoc* doc = folderDocument();
    item->setHidden(doc && !doc->showIdentical() && entry.state == EEntryState::Same);
}

// Rows for entries listed by a comparison still running; its end rebuilds them all.
void CFolderView::appendListed(const std::vector<SFolderEntry>& entries)
{
    if (!m_rowsListed) {
        clear();
        m_items.clear();
        m_rowsListed = true;
    }
    for (const SFolderEntry& entry : entries) {
        m_items.push_back(nullptr);
        m_items.back() = addRow(entry, m_items.size() - 1);
    }
}

QTreeWidgetItem* CFolderView::itemOf(const std::string& path) const
{
    const auto found = m_indexOfPath.find(path);
    return found != m_indexOfPath.end() && found->second < m_items.size() ? m_items[found->second] : nullptr;
}

const SFolderEntry* CFolderView::currentEntry() const
{
    CFolderDoc* doc = folderDocument();
    const QTreeWidgetItem* item = currentItem();
    if (!doc || !item)
        return nullptr;
    const auto index = static_cast<std::size_t>(item->data(kName, Qt::UserRole).toULongLong());
    return index < doc->entries().size() ? &doc->entries()[index] : nullptr;
}

void CFolderView::nextDifference(bool forward)
{
    CFolderDoc* doc = folderDocument();
    if (!doc || m_items.empty())
        return;
    const std::size_t count = m_items.size();
    const std::size_t start =
        currentItem() ? static_cast<std::size_t>(currentItem()->data(kName, Qt::UserRole).toULongLong()) : count - 1;
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t i = forward ? (start + step) % count : (start + count - step) % count;
        if (isDifference(doc->entries(), i) && !m_items[i]->isHidden()) {
            for (QTreeWidgetItem* parent = m_items[i]->parent(); parent; parent = parent->parent())
                parent->setExpanded(true);
            setCurrentItem(m_items[i]);
            scrollToItem(m_items[i]);
            return;
        }
    }
}

void CFolderView::openCurrent()
{
    if (const SFolderEntry* entry = currentEntry()) {
        if (!entry->isFolder())
            folderDocument()->openEntry(*entry);
    }
}

void CFolderView::keyPressEvent(QKeyEvent* event)
{
    // Enter opens the entry (the tree would only expand a folder).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentEntry() &&
        !currentEntry()->isFolder()) {
        openCurrent();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

// Widths from what the columns can hold, not from every row: measuring a hundred thousand rows
// would take longer than comparing them.
void CFolderView::fitColumns()
{
    const QFontMetrics metrics(font());
    const int padding = 2 * metrics.horizontalAdvance(u' ') + 8;
    int state = metrics.horizontalAdvance(loadString(res::kStrPending));
    for (int id = res::kStrStateSame; id <= res::kStrSameIgnoring; ++id)
        state = std::max(state, metrics.horizontalAdvance(loadString(id)));
    const int kind = std::max(metrics.horizontalAdvance(loadString(res::kStrKindText)),
                              metrics.horizontalAdvance(loadString(res::kStrKindBinary)));
    std::int64_t largest = 0;
    for (const SFolderEntry& entry : folderDocument()->entries())
        largest = std::max({largest, entry.side1.size, entry.side2.size});
    const int size = metrics.horizontalAdvance(QLocale().toString(static_cast<qlonglong>(largest)));
    const int time = metrics.horizontalAdvance(
        QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58)), QLocale::ShortFormat));
    const int widths[kColumnCount] = {0, state, kind, size, time, size, time};
    for (int column = 1; column < kColumnCount; ++column)
        setColumnWidth(column,
                       std::max(widths[column], metrics.horizontalAdvance(headerItem()->text(column))) + padding);
}

void CFolderView::updateStatus()
{
    CFolderDoc* doc = folderDocument();
    CMDIFrameWnd* frame = CWinApp::instance() ? CWinApp::instance()->mainFrame() : nullptr;
    if (!doc || !frame)
        return;
    std::size_t differences = 0;
    for (std::size_t i = 0; i < doc->entries().size(); ++i)
        differences += isDifference(doc->entries(), i) ? 1 : 0;
    frame->setMessageText(differences == 0   ? loadString(res::kStrFoldersIdentical)
                          : differences == 1 ? loadString(res::kStrOneDifference)
                                             : loadString(res::kStrDifferences).arg(differences));
}

}  // namespace brindle
