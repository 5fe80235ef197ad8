// The form of the comparison window: a file button and a report pane for each file.
#pragma once

#include "framework/view.h"

#include <QWidget>

class QPushButton;

namespace brindle {

class CBRDDoc;
class CCompCtrl;

// The panes belong to the document; the form places them beside or above each other ("File Compare
// Align"), shows the file names on the buttons, and lets the buttons choose new files.
class CBrdFormView : public QWidget, public CView {
    Q_OBJECT
public:
    explicit CBrdFormView(QWidget* parent = nullptr);
    ~CBrdFormView() override;
    QWidget* widget() override { return this; }
    CBRDDoc* document() const;

    void onInitialUpdate() override;
    void onUpdate(CView* sender, int hint) override;

    QPushButton* button(int side) const { return side == 1 ? m_button1 : m_button2; }
    // Places buttons and panes for the current size and alignment.
    void layoutControls();
    // The pane that has the focus, or nullptr.
    CCompCtrl* focusedPane() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showFile(int side, const QString& path);
    void chooseFile(int side);
    void exchangeData();
    void updatePartnership();
    // Opens the pane's file at the clicked place; true when the click was handled.
    bool onPaneDoubleClicked(int side, int position, Qt::KeyboardModifiers modifiers);

    QPushButton* m_button1;
    QPushButton* m_button2;
    bool m_attached = false;
};

}  // namespace brindle
