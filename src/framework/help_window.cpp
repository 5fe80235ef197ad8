#include "framework/help_window.h"

#include "framework/mdi_frame_wnd.h"
#include "framework/win_app.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace brindle {

namespace {

constexpr auto kHelpRoot = ":/brindle/help/";
constexpr auto kContentsPage = "index.html";
constexpr auto kHelpPageProperty = "brindleHelpPage";

QString pageText(const QString& page)
{
    QFile file(QLatin1String(kHelpRoot) + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The pages the contents page links to, in its order, each with its title.
QList<QPair<QString, QString>> contentsPages()
{
    static const QRegularExpression link(QStringLiteral("href=\"([a-z0-9-]+\\.html)\""));
    static const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
    QList<QPair<QString, QString>> pages;
    QStringList seen;
    const QString contents = QLatin1String(kContentsPage);
    pages.append({contents, title.match(pageText(contents)).captured(1)});
    auto matches = link.globalMatch(pageText(contents));
    while (matches.hasNext()) {
        const QString page = matches.next().captured(1);
        if (page == contents || seen.contains(page))
            continue;
        seen.append(page);
        pages.append({page, title.match(pageText(page)).captured(1)});
    }
    return pages;
}

QToolButton* toolButton(const QString& text, QStyle::StandardPixmap icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

// F1 in a dialog: the main frame's key table does not reach dialogs.
class CDialogHelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
            static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        QDialog* dialog = widget ? qobject_cast<QDialog*>(widget->window()) : nullptr;
        if (!dialog)
            return false;
        showHelp(helpPageFor(widget), dialog);
        return true;
    }
};

QPointer<CHelpWindow> g_programHelp;

}  // namespace

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_contents(new QListWidget(this)), m_browser(new QTextBrowser(this)),
      m_find(new QLineEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("helpWindow"));
    m_browser->setSearchPaths({QLatin1String(kHelpRoot)});
    m_browser->setOpenExternalLinks(true);
    m_find->setPlaceholderText(tr("Find in page"));
    m_find->setClearButtonEnabled(true);

    auto* contents = toolButton(tr("&Contents"), QStyle::SP_DirHomeIcon, this);
    auto* back = toolButton(tr("&Back"), QStyle::SP_ArrowBack, this);
    auto* forward = toolButton(tr("&Forward"), QStyle::SP_ArrowForward, this);
    auto* findNext = toolButton(tr("Find &Next"), QStyle::SP_ArrowDown, this);
    auto* findPrevious = toolButton(tr("Find &Previous"), QStyle::SP_ArrowUp, this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QToolButton::clicked, this, [this] { showPage(QString()); });
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::onSourceChanged);
    connect(findNext, &QToolButton::clicked, this, [this] { findText(false); });
    connect(findPrevious, &QToolButton::clicked, this, [this] { findText(true); });
    connect(m_find, &QLineEdit::returnPressed, this, [this] { findText(false); });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, [this] { findText(false); });
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, m_browser, &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, m_browser, &QTextBrowser::forward);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    // Mouse and keys alike move the current item; the page shown marks it without this signal.
    connect(m_contents, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            showPage(item->data(Qt::UserRole).toString());
    });

    auto* bar = new QHBoxLayout;
    for (QToolButton* button : {contents, back, forward})
        bar->addWidget(button);
    bar->addStretch();
    bar->addWidget(m_find);
    bar->addWidget(findPrevious);
    bar->addWidget(findNext);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 600});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter);
    fillContents();
    resize(900, 650);
}

void CHelpWindow::fillContents()
{
    for (const auto& [page, title] : contentsPages()) {
        auto* item = new QListWidgetItem(title.isEmpty() ? page : title, m_contents);
        item->setData(Qt::UserRole, page);
    }
}

void CHelpWindow::showPage(const QString& page)
{
    const QString file = page.section(u'#', 0, 0);
    const bool known = !file.isEmpty() && QFile::exists(QLatin1String(kHelpRoot) + file);
    m_browser->setSource(QUrl(known ? page : QLatin1String(kContentsPage)));
}

QString CHelpWindow::currentPage() const { return m_browser->source().toString(); }

void CHelpWindow::onSourceChanged(const QUrl& source)
{
    // The browser's own source() is not yet the new page while it tells of it.
    const QString file = source.path().section(u'/', -1);
    setWindowTitle(m_browser->documentTitle().isEmpty() ? tr("Help") : m_browser->documentTitle());
    for (int row = 0; row < m_contents->count(); ++row) {
        if (m_contents->item(row)->data(Qt::UserRole).toString() == file) {
            const QSignalBlocker blocker(m_contents);
            m_contents->setCurrentRow(row);
        }
    }
}

bool CHelpWindow::findText(bool backwards)
{
    const QString text = m_find->text();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_browser->find(text, flags))
        return true;
    // Round the end once.
    QTextCursor cursor = m_browser->textCursor();
    cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    return m_browser->find(text, flags);
}

void setHelpPage(QWidget* window, const QString& page) { window->setProperty(kHelpPageProperty, page); }

QString helpPageFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QString page = w->property(kHelpPageProperty).toString();
        if (!page.isEmpty())
            return page;
        if (w->isWindow())
            break;
    }
    return QString();
}

CHelpWindow* showHelp(const QString& page, QWidget* from)
{
    CHelpWindow* window = nullptr;
    if (from) {
        window = new CHelpWindow(from);
    } else {
        if (!g_programHelp) {
            CWinApp* app = CWinApp::instance();
            g_programHelp = new CHelpWindow(app ? app->mainFrame() : nullptr);
        }
        window = g_programHelp;
    }
    window->showPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void installDialogHelpKey()
{
    static QPointer<CDialogHelpKey> filter;
    if (filter || !qApp)
        return;
    filter = new CDialogHelpKey(qApp);
    qApp->installEventFilter(filter);
}

}  // namespace brindle
