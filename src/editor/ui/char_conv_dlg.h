// The character-set conversion dialog (8604): source and destination set, alphabet only, preview.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace brindle {

class CCodePage;

// Modal. Shows the first 13 lines of the text to convert; "P&review" shows them converted with
// the current choices (unchanged when the conversion fails). "&Proceed" accepts, and the two
// chosen indices are preselected by every later dialog of the program run. The caller converts
// the text itself (RecodeSelection) with sourceIndex(), destinationIndex() and alphabetOnly().
// Controls carry their ids as object names; the preview button, which has none, is "Preview".
class CCharConvDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kDialogId = 8604,
        kIdSource = 1043,
        kIdAlphabetOnly = 1044,
        kIdPreviewText = 1045,
        kIdDestination = 8606,
        kIdOk = 1,  // "&Proceed"
        kIdCancel = 2,
    };
    static constexpr int kPreviewLines = 13;

    // text: the text to convert, lines separated by "\r\n" (or "\n"). codePage: the page the
    // text was read with, as for RecodeText; nullptr takes each unit as its own code.
    explicit CCharConvDlg(const QString& text, QWidget* parent = nullptr, const CCodePage* codePage = nullptr);

    int sourceIndex() const;
    int destinationIndex() const;
    bool alphabetOnly() const;
    // What the preview box shows.
    QString previewText() const;

    QPushButton* proceedButton() const { return m_proceed; }
    QPushButton* previewButton() const { return m_previewButton; }

    // The first lines of text that the preview shows, joined by "\n".
    static QString previewLinesOf(const QString& text);

    void accept() override;

public slots:
    void preview();

private:
    void buildLayout();

    const CCodePage* m_codePage;
    QString m_previewSource;
    QComboBox* m_source;
    QComboBox* m_destination;
    QCheckBox* m_alphabetOnly;
    QPlainTextEdit* m_preview;
    QPushButton* m_proceed;
    QPushButton* m_previewButton;
    QPushButton* m_cancel;
};

}  // namespace brindle
