#include "app/placeholder_views.h"

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
    setText(tr("%1 comes with a later version of Brindle.\n\n%2").arg(m_what, file));
}

}  // namespace brindle
