#include "editor/ui/char_conv_dlg.h"

#include "editor/recode_text.h"
#include "framework/help_window.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

namespace brindle {

namespace {

// The choices of the last "Proceed" in this run: code page 1250 to plain letters until then.
int g_rememberedSource = kRecodeCp1250;
int g_rememberedDestination = kRecodeAscii;

template <class Widget>
Widget* named(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

QComboBox* setList(QWidget* parent, int id, int selected)
{
    auto* list = named(new QComboBox(parent), id);
    for (const SRecodeSet& set : recodeSets())
        list->addItem(toQString(set.displayName));
    list->setCurrentIndex(selected);
    return list;
}

}  // namespace

CCharConvDlg::CCharConvDlg(const QString& text, QWidget* parent, const CCodePage* codePage)
    : QDialog(parent), m_codePage(codePage), m_previewSource(previewLinesOf(text)),
      m_source(setList(this, kIdSource, g_rememberedSource)),
      m_destination(setList(this, kIdDestination, g_rememberedDestination)),
      m_alphabetOnly(named(new QCheckBox(loadString(res::kStrCharConvAlphabetOnly), this), kIdAlphabetOnly)),
      m_preview(named(new QPlainTextEdit(this), kIdPreviewText)),
      m_proceed(named(new QPushButton(loadString(res::kStrCharConvProceed), this), kIdOk)),
      m_previewButton(new QPushButton(loadString(res::kStrCharConvPreview), this)),
      m_cancel(named(new QPushButton(loadString(res::kStrCharConvCancel), this), kIdCancel))
{
    setObjectName(QString::number(kDialogId));
    setWindowTitle(loadString(res::kStrCharConvTitle));
    setHelpPage(this, QStringLiteral("text-editor.html#character-set-conversion"));
    setModal(true);
    m_previewButton->setObjectName(QStringLiteral("Preview"));
    m_preview->setReadOnly(true);
    m_preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_preview->setPlainText(m_previewSource);
    buildLayout();

    m_proceed->setDefault(true);
    connect(m_proceed, &QPushButton::clicked, this, &CCharConvDlg::accept);
    connect(m_previewButton, &QPushButton::clicked, this, &CCharConvDlg::preview);
    connect(m_cancel, &QPushButton::clicked, this, &CCharConvDlg::reject);
}

void CCharConvDlg::buildLayout()
{
    auto* sourceLabel = new QLabel(loadString(res::kStrCharConvSource), this);
    sourceLabel->setBuddy(m_source);
    auto* destinationLabel = new QLabel(loadString(res::kStrCharConvDestination), this);
    destinationLabel->setBuddy(m_destination);
    auto* note = new QLabel(loadString(res::kStrCharConvNote), this);
    note->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(sourceLabel, 0, 0);
    layout->addWidget(m_source, 0, 1);
    layout->addWidget(destinationLabel, 1, 0);
    layout->addWidget(m_destination, 1, 1);
    layout->addWidget(m_alphabetOnly, 2, 0, 1, 2);
    layout->addWidget(m_preview, 3, 0, 1, 2);
    layout->addWidget(note, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_proceed);
    buttons->addWidget(m_previewButton);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons, 5, 0, 1, 2);
}

int CCharConvDlg::sourceIndex() const { return m_source->currentIndex(); }
int CCharConvDlg::destinationIndex() const { return m_destination->currentIndex(); }
bool CCharConvDlg::alphabetOnly() const { return m_alphabetOnly->isChecked(); }
QString CCharConvDlg::previewText() const { return m_preview->toPlainText(); }

QString CCharConvDlg::previewLinesOf(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList list = lines.split(u'\n');
    if (list.size() > kPreviewLines)
        list.resize(kPreviewLines);
    return list.join(u'\n');
}

void CCharConvDlg::preview()
{
    const std::u16string text = toU16String(m_previewSource);
    std::u16string converted;
    const int result = m_codePage != nullptr
                           ? RecodeText(text, sourceIndex(), destinationIndex(), alphabetOnly(), *m_codePage, converted)
                           : RecodeText(text, sourceIndex(), destinationIndex(), alphabetOnly(), converted);
    m_preview->setPlainText(toQString(result == kRecodeOk ? converted : text));
}

void CCharConvDlg::accept()
{
    g_rememberedSource = sourceIndex();
    g_rememberedDestination = destinationIndex();
    QDialog::accept();
}

}  // namespace brindle
