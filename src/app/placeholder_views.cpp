#include "app/placeholder_views.h"

#include "framework/resources.h"

#include <QFileInfo>

namespace brindle {

bool CPlaceholderDocument::onOpenDocument(const QString& path)
{
    deleteContents();
    setModifiedFlag(false);
    return QFileInfo(path).isFile();
}

CPlaceholderView::CPlaceholderView(QString what, QWidget* parent) : QLabel(parent), m_what(std::move(what))
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CPlaceholderView::onUpdate(CView*, int)
{
    const QString file = document() ? document()->pathName() : QString();
    setText(loadString(3220).arg(m_what, file));
}

}  // namespace brindle
