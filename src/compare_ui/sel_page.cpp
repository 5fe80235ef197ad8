#include "compare_ui/sel_page.h"

#include "compare_ui/compare_dlg_host.h"
#include "engine/comp_file_opt.h"
#include "framework/command_ids.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

namespace {

bool equalIgnoringCase(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString withSeparator(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

QString fileNamePart(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QPushButton* makeButton(const QString& text, int id, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

QComboBox* makeHistoryCombo(int id, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);  // the list changes only as the page says
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    combo->setMinimumContentsLength(40);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

void putAtTopOfCombo(QComboBox& combo, const QString& name)
{
    for (int index = combo.count() - 1; index >= 0; --index) {
        if (combo.itemText(index) == name)
            combo.removeItem(index);
    }
    combo.insertItem(0, name);
    combo.setCurrentText(name);
}

}  // namespace

CSelPage::CSelPage(CCompFileOpt& record, CCompareDlgHost& host, const QString& file1, const QString& file2,
                   bool displayMergeFile, QWidget* parent)
    : QWidget(parent), m_record(record), m_host(host), m_file1(file1), m_file2(file2),
      m_displayMergeFile(displayMergeFile)
{
    setObjectName(QStringLiteral("130"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeFileRows());
    layout->addSpacing(12);
    layout->addWidget(makeMergeRows());
    layout->addStretch(1);

    fillCombo(*m_combo1, kFile1PathValue, file1);
    fillCombo(*m_combo2, kFile2PathValue, file2);
    m_displayMerge->setChecked(displayMergeFile);
    m_mergeFile->setText(toQString(record.m_outputFile));
}

QWidget* CSelPage::makeFileRows()
{
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    m_combo1 = makeHistoryCombo(kIdFile1, rows);
    m_combo2 = makeHistoryCombo(kIdFile2, rows);
    const int labels[] = {res::kStrFile1, res::kStrFile2};
    const int browseIds[] = {kIdBrowse1, kIdBrowse2};
    for (int side = 1; side <= 2; ++side) {
        auto* label = new QLabel(loadString(labels[side - 1]), rows);
        label->setBuddy(&combo(side));
        auto* browseButton = makeButton(QStringLiteral("..."), browseIds[side - 1], rows);
        connect(browseButton, &QPushButton::clicked, this, [this, side] { browse(side); });
        grid->addWidget(label, side - 1, 0);
        grid->addWidget(&combo(side), side - 1, 1);
        grid->addWidget(browseButton, side - 1, 2);
    }
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    auto* swap = makeButton(loadString(res::kStrSwap), kIdSwap, rows);
    auto* older = makeButton(loadString(res::kStrOlderFirst), kIdOlderFirst, rows);
    connect(swap, &QPushButton::clicked, this, &CSelPage::swapFileNames);
    connect(older, &QPushButton::clicked, this, &CSelPage::olderFileFirst);
    buttons->addWidget(swap);
    buttons->addWidget(older);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 1, 1, 2);
    return rows;
}

QWidget* CSelPage::makeMergeRows()
{
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    m_displayMerge = new QCheckBox(loadString(res::kStrDisplayMerge), rows);
    m_displayMerge->setObjectName(QString::number(kIdDisplayMerge));
    connect(m_displayMerge, &QCheckBox::clicked, this, &CSelPage::displayMergeFileClicked);
    grid->addWidget(m_displayMerge, 0, 1, 1, 2);

    auto* label = new QLabel(loadString(res::kStrMergeFile), rows);
    m_mergeFile = new QLineEdit(rows);
    m_mergeFile->setObjectName(QString::number(kIdMergeFile));
    label->setBuddy(m_mergeFile);
    auto* browseButton = makeButton(QStringLiteral("..."), kIdBrowseMerge, rows);
    connect(browseButton, &QPushButton::clicked, this, &CSelPage::browseMergeFile);
    grid->addWidget(label, 1, 0);
    grid->addWidget(m_mergeFile, 1, 1);
    grid->addWidget(browseButton, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    auto* copy1 = makeButton(loadString(res::kStrCopyName1), kIdCopyName1, rows);
    auto* copy2 = makeButton(loadString(res::kStrCopyName2), kIdCopyName2, rows);
    connect(copy1, &QPushButton::clicked, this, [this] { copyFileName(1); });
    connect(copy2, &QPushButton::clicked, this, [this] { copyFileName(2); });
    buttons->addWidget(copy1);
    buttons->addWidget(copy2);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 1, 1, 2);
    return rows;
}

void CSelPage::fillCombo(QComboBox& target, std::u16string_view prefix, const QString& name)
{
    const CProfile& profile = m_host.profile();
    QStringList history;
    for (int entry = 1; entry <= kHistorySize; ++entry) {
        const QString value = toQString(profile.readString(kPathsSection, pathHistoryValue(prefix, entry)));
        // A name stored twice (written by hand or by an older version) is offered once.
        if (!value.isEmpty() && !history.contains(value))
            history.append(value);
    }
    QString text = toQString(profile.readString(kPathsSection, prefix));
    if (!name.isEmpty()) {
        putAtTop(history, name);
        text = name;
    }
    target.addItems(history);
    target.setCurrentText(text);
}

std::optional<SPageFailure> CSelPage::validate() const
{
    if (!pathExists(toU16String(m_combo1->currentText())))
        return SPageFailure{m_combo1, res::kStrBadFileName};
    if (!pathExists(toU16String(m_combo2->currentText())))
        return SPageFailure{m_combo2, res::kStrBadFileName};
    if (m_displayMerge->isChecked() &&
        !acceptableMergeFileName(m_mergeFile->text(), m_combo1->currentText(), m_combo2->currentText()))
        return SPageFailure{m_mergeFile, res::kStrBadFileName};
    return std::nullopt;
}

void CSelPage::apply()
{
    m_file1 = m_combo1->currentText();
    m_file2 = m_combo2->currentText();
    m_displayMergeFile = m_displayMerge->isChecked();
    m_record.m_outputFile = toU16String(m_mergeFile->text());
    writeHistory(*m_combo1, kFile1PathValue);
    writeHistory(*m_combo2, kFile2PathValue);
}

// The list in its own order, then the text: a name chosen by browsing or given by the window is
// in the list already; one typed in is the text only.
void CSelPage::writeHistory(QComboBox& source, std::u16string_view prefix)
{
    QStringList history;
    for (int index = 0; index < source.count(); ++index)
        history.append(source.itemText(index));
    const QString text = source.currentText();
    CProfile& profile = m_host.profile();
    for (int entry = 1; entry <= kHistorySize; ++entry)
        profile.writeString(kPathsSection, pathHistoryValue(prefix, entry),
                            entry <= history.size() ? toU16String(history[entry - 1]) : std::u16string());
    profile.writeString(kPathsSection, prefix, toU16String(text));
}

void CSelPage::browse(int side)
{
    const QString path = m_host.openFileName(this, combo(side).currentText(), loadString(res::kStrAllFiles));
    if (!path.isEmpty())
        putAtTopOfCombo(combo(side), path);
}

void CSelPage::browseMergeFile()
{
    const QString path = m_host.saveFileName(this, loadString(res::kStrResultsTxt), loadString(res::kStrTxt),
                                             loadString(res::kStrAllFiles));
    if (!path.isEmpty())
        m_mergeFile->setText(path);
}

void CSelPage::swapFileNames()
{
    const QString first = m_combo1->currentText();
    m_combo1->setCurrentText(m_combo2->currentText());
    m_combo2->setCurrentText(first);
}

// Local time keeps the order of the stored universal times, so they are compared directly.
void CSelPage::olderFileFirst()
{
    const auto first = fileAttributes(toU16String(m_combo1->currentText()));
    const auto second = fileAttributes(toU16String(m_combo2->currentText()));
    if (first && second && second->lastWriteTime < first->lastWriteTime)
        swapFileNames();
}

void CSelPage::displayMergeFileClicked()
{
    if (!m_displayMerge->isChecked() || !m_mergeFile->text().isEmpty())
        return;
    const QString proposal =
        proposedMergeFileName(m_combo1->currentText(), m_combo2->currentText(), toQString(tempFolder()));
    if (!proposal.isEmpty())
        m_mergeFile->setText(proposal);
}

void CSelPage::copyFileName(int side)
{
    m_mergeFile->setText(mergeFileNameFrom(m_mergeFile->text(), combo(side).currentText(), toQString(tempFolder())));
}

void putAtTop(QStringList& list, const QString& name)
{
    if (name.isEmpty())
        return;
    list.removeAll(name);
    list.prepend(name);
}

QString proposedMergeFileName(const QString& file1, const QString& file2, const QString& tempFolder)
{
    const QString name = fileNamePart(file1);
    // Two empty names are "equal" too, but the temporary folder itself is no merge file.
    if (name.isEmpty() || !equalIgnoringCase(name, fileNamePart(file2)))
        return {};
    const QString proposal = withSeparator(tempFolder) + name;
    if (equalIgnoringCase(proposal, file1) || equalIgnoringCase(proposal, file2))
        return {};
    return proposal;
}

QString mergeFileNameFrom(const QString& mergeFile, const QString& file, const QString& tempFolder)
{
    const qsizetype fileSeparator = file.lastIndexOf(u'/');
    if (fileSeparator < 0)
        return mergeFile;
    QString merge = mergeFile;
    if (!merge.contains(u'/'))
        merge.prepend(withSeparator(tempFolder));
    return merge.left(merge.lastIndexOf(u'/') + 1) + file.mid(fileSeparator + 1);
}

bool acceptableMergeFileName(const QString& mergeFile, const QString& file1, const QString& file2)
{
    if (mergeFile.isEmpty() || mergeFile.endsWith(u'/'))
        return false;
    if (const auto attributes = fileAttributes(toU16String(mergeFile)); attributes && attributes->directory)
        return false;
    if (equalIgnoringCase(mergeFile, file1) || equalIgnoringCase(mergeFile, file2))
        return false;
    return !sameFile(toU16String(mergeFile), toU16String(file1)) &&
           !sameFile(toU16String(mergeFile), toU16String(file2));
}

}  // namespace brindle
