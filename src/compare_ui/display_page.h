// The "Display" page of the compare dialog: alignment, fonts, comparison and display options and
// the merge editor's two text colours.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

class QCheckBox;
class QFont;
class QRadioButton;

namespace brindle {

class CColorBtn;
class CCompFileOpt;
class CCompareDlgHost;

// Page dialog 8606. Controls carry their ids as object names.
class CDisplayPage : public QWidget {
    Q_OBJECT
public:
    enum ControlId : int {
        kIdAlignVertical = 1086,    // alignment 0, side by side
        kIdAlignHorizontal = 1087,  // alignment 1, one above the other
        kIdTextFont = 1010,
        kIdBinaryFont = 1011,
        kIdIgnoreWhitespace = 1094,
        kIdIgnoreCase = 1095,
        kIdSynchScrolling = 1131,
        kIdColor1 = 1036,  // "User 1": file-1 colour
        kIdColor2 = 1037,  // "User 2": file-2 colour
        kIdShowLineNumbers = 1009,
    };

    // Shows the record's options and colours. record and host must outlive the page.
    CDisplayPage(CCompFileOpt& record, CCompareDlgHost& host, QWidget* parent = nullptr);

    // Writes alignment, the check boxes and the two colours into the record.
    void apply();

    CColorBtn& colorButton(int side) const { return side == 1 ? *m_color1 : *m_color2; }

    // "Text Font": the font dialog starts from the shared text font with the record's font name and
    // size; a confirmed font becomes the shared text font and the record's font name and size at
    // once (cancelling the sheet keeps them). "Binary Font": the same for the binary font, starting
    // from the default font; the shared text font is left alone.
    void chooseTextFont();
    void chooseBinaryFont();

private:
    QWidget* makeAlignmentGroup();
    QWidget* makeColorRows();
    QCheckBox* makeCheckBox(int stringId, int id, bool checked);
    std::optional<QFont> chooseFont(QFont initial, const std::u16string& name, int size);
    int pointSize(const QFont& font) const;

    CCompFileOpt& m_record;
    CCompareDlgHost& m_host;
    QRadioButton* m_alignVertical = nullptr;
    QRadioButton* m_alignHorizontal = nullptr;
    QCheckBox* m_ignoreWhitespace = nullptr;
    QCheckBox* m_ignoreCase = nullptr;
    QCheckBox* m_synchScrolling = nullptr;
    QCheckBox* m_showLineNumbers = nullptr;
    CColorBtn* m_color1 = nullptr;
    CColorBtn* m_color2 = nullptr;
};

}  // namespace brindle
