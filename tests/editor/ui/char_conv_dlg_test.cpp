// Tests for the character-set dialog: the lists, the preview of the first lines, and the choice
// remembered for the rest of the run.
#include "editor/ui/char_conv_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

namespace brindle {
namespace {

QString codes(std::initializer_list<char16_t> units)
{
    QString text;
    for (char16_t unit : units)
        text += QChar(unit);
    return text;
}

TEST(CharConvDlg, ListsTheThirteenSetsInOrder)
{
    const CCharConvDlg dlg(QString{});
    EXPECT_EQ(dlg.objectName(), "8604");
    for (const char* name : {"1043", "8606"}) {
        const auto* list = dlg.findChild<QComboBox*>(name);
        ASSERT_NE(list, nullptr) << name;
        ASSERT_EQ(list->count(), 13) << name;
        EXPECT_EQ(list->itemText(0), "ASCII (without accents)");
        EXPECT_EQ(list->itemText(4), "PC Latin II (CP 852)");
        EXPECT_EQ(list->itemText(12), "Corky");
    }
    EXPECT_NE(dlg.findChild<QCheckBox*>("1044"), nullptr);
    EXPECT_NE(dlg.findChild<QWidget*>("1045"), nullptr);
    EXPECT_EQ(dlg.proceedButton()->text(), "&Proceed");
    EXPECT_EQ(dlg.previewButton()->text(), "P&review");
}

TEST(CharConvDlg, PreviewShowsTheFirstThirteenLines)
{
    QStringList lines;
    for (int i = 1; i <= 15; ++i)
        lines << QString::number(i);
    struct {
        QString text;
        QString shown;
    } cases[] = {
        {"", ""},
        {"one\r\ntwo", "one\ntwo"},
        {lines.mid(0, 13).join("\r\n"), lines.mid(0, 13).join("\n")},
        {lines.join("\r\n"), lines.mid(0, 13).join("\n")},
        {lines.join("\n"), lines.mid(0, 13).join("\n")},
    };
    for (const auto& c : cases) {
        const CCharConvDlg dlg(c.text);
        EXPECT_EQ(dlg.previewText(), c.shown) << c.text.toStdString();
    }
}

TEST(CharConvDlg, PreviewConvertsWithTheCurrentChoices)
{
    // A, sharp s and plain text in code page 1250, to code page 852.
    const QString text = codes({0xC1, u' ', 0xDF, u'x'});
    const struct {
        bool alphabetOnly;
        QString shown;
    } cases[] = {
        {false, codes({0xB5, u' ', 0xE1, u'x'})},
        {true, codes({0xB5, u' ', 0xDF, u'x'})},
    };
    for (const auto& c : cases) {
        CCharConvDlg dlg(text);
        dlg.findChild<QComboBox*>("1043")->setCurrentIndex(1);
        dlg.findChild<QComboBox*>("8606")->setCurrentIndex(4);
        dlg.findChild<QCheckBox*>("1044")->setChecked(c.alphabetOnly);
        EXPECT_EQ(dlg.previewText(), text);
        dlg.previewButton()->click();
        EXPECT_EQ(dlg.previewText(), c.shown) << c.alphabetOnly;
        // A second preview starts again from the original text.
        dlg.previewButton()->click();
        EXPECT_EQ(dlg.previewText(), c.shown) << c.alphabetOnly;
    }
}

TEST(CharConvDlg, ProceedRemembersTheChoiceCancelDoesNot)
{
    {
        CCharConvDlg dlg(QString{});
        dlg.findChild<QComboBox*>("1043")->setCurrentIndex(7);
        dlg.findChild<QComboBox*>("8606")->setCurrentIndex(11);
        dlg.proceedButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    {
        CCharConvDlg dlg(QString{});
        EXPECT_EQ(dlg.sourceIndex(), 7);
        EXPECT_EQ(dlg.destinationIndex(), 11);
        dlg.findChild<QComboBox*>("1043")->setCurrentIndex(2);
        dlg.reject();
    }
    const CCharConvDlg dlg(QString{});
    EXPECT_EQ(dlg.sourceIndex(), 7);
    EXPECT_EQ(dlg.destinationIndex(), 11);
}

}  // namespace
}  // namespace brindle
