// Stand-ins for the windows that later versions bring (report panes, editors, hex view): they
// show what they have and say what is missing.
#pragma once

#include "framework/document.h"
#include "framework/view.h"

#include <QLabel>
#include <QTreeWidget>

namespace brindle {

// A document that only remembers its file.
class CPlaceholderDocument : public CDocument {
    Q_OBJECT
public:
    bool onOpenDocument(const QString& path) override;
};

// A label that names the window kind still to come and the file it would show.
class CPlaceholderView : public QLabel, public CView {
    Q_OBJECT
public:
    CPlaceholderView(QString what, QWidget* parent);
    QWidget* widget() override { return this; }
    void onUpdate(CView* sender, int hint) override;

private:
    QString m_what;
};

}  // namespace brindle
