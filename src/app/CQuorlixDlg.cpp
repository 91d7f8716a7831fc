#include "app/CQuorlixDlg.h"

#include "Version.h"
#include "analysis/AnalyseDescriptor.h"
#include "app/ApplicationIcon.h"
#include "app/CopiedRows.h"
#include "app/DialogUnits.h"
#include "app/FindingDisplay.h"
#include "app/ItemListModel.h"
#include "app/ItemListView.h"
#include "app/MainDialogLayout.h"
#include "app/MainDialogTemplate.h"
#include "app/PaneFiller.h"
#include "app/PastedPath.h"
#include "app/StatusTexts.h"
#include "capture/CaptureScan.h"
#include "capture/CapturedDescriptors.h"
#include "files/HexDumpWriter.h"
#include "files/SavedAnalysisWriter.h"
#include "forms/DescriptorInput.h"
#include "hosts/HostProfiles.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QTableView>
#include <QUrl>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace quorlix {
namespace {

// The Save question keeps its words; its buttons name the forms they choose.
const char* const kSaveQuestion = QT_TRANSLATE_NOOP("CQuorlixDlg", "是否存储成带0x格式？");
const char* const kSaveQuestionCaption = QT_TRANSLATE_NOOP("CQuorlixDlg", "提示");
const char* const kSaveAsC = QT_TRANSLATE_NOOP("CQuorlixDlg", "C 常量");
const char* const kSaveAsPlain = QT_TRANSLATE_NOOP("CQuorlixDlg", "纯文本");
const char* const kSaveCancel = QT_TRANSLATE_NOOP("CQuorlixDlg", "取消");
// What the saved analysis of mouse.txt is offered as, beside it.
const char* const kSavedNameSuffix = "-analysis.txt";
const char* const kCopyEntryText = QT_TRANSLATE_NOOP("CQuorlixDlg", "复制");
const QString kSaveDone = QStringLiteral("SAVE OK");
const QString kGeometryKey = QStringLiteral("window/geometry");
const char* const kReadFromDeviceEntry = QT_TRANSLATE_NOOP("CQuorlixDlg", "从设备读取…");
const char* const kDecodeReportEntry = QT_TRANSLATE_NOOP("CQuorlixDlg", "解码报告…");
const char* const kCompareEntry = QT_TRANSLATE_NOOP("CQuorlixDlg", "比较…");
const char* const kFullUsageNamesEntry = QT_TRANSLATE_NOOP("CQuorlixDlg", "完整用法名称");
const QString kFullUsageNamesKey = QStringLiteral("view/fullUsageNames");
const QString kHostProfileKey = QStringLiteral("check/hostProfile");
const char* const kProblemsEntry = QT_TRANSLATE_NOOP("CQuorlixDlg", "问题列表…");

QString Text(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text));
}

// The designed title, after the analysed file's name when there is one.
QString TitleText(const std::string& analysedPath)
{
    QString title = Text(kTitlePrefix) + QString::fromUtf8(kHomePage);
    if (analysedPath.empty()) {
        return title;
    }
    const QString name =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(analysedPath))).fileName();
    return name + QStringLiteral(" - ") + title;
}

// Gives the widget its control id as object name and as property, so it can be found by it.
template <typename Widget>
Widget* Identify(Widget* widget, ControlId id)
{
    const int number = static_cast<int>(id);
    widget->setObjectName(QString::number(number));
    widget->setProperty("controlId", number);
    return widget;
}

QPlainTextEdit* CreatePane(QWidget* parent, const DialogBaseUnits& units)
{
    auto* pane = new QPlainTextEdit(parent);
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setUndoRedoEnabled(false);
    pane->setTabChangesFocus(true);
    // Tab stops every 32 dialog units, as a dialog's edit control has them.
    pane->setTabStopDistance(DialogRectToPixels(DialogRect{ 0, 0, 32, 0 }, units).width());
    // Files dropped on a pane go to the window, which analyses them.
    pane->setAcceptDrops(false);
    return pane;
}

QLabel* CreateLink(QWidget* parent, const LinkEntry& link)
{
    const QString anchor = QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(QString::fromStdString(LinkAddress(link)).toHtmlEscaped(),
                                    WindowText(link.caption).toHtmlEscaped());
    auto* label = new QLabel(anchor, parent);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(false);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);
    label->setHidden(!link.shown);
    return label;
}

} // namespace

CQuorlixDlg::CQuorlixDlg(QWidget* parent) : QDialog(parent)
{
    CreateControls();
    m_ownPlatform = std::make_unique<QtDialogPlatform>(m_controls);
    m_platform = m_ownPlatform.get();
    OnInitDialog();
}

CQuorlixDlg::CQuorlixDlg(DialogPlatform& platform, QWidget* parent)
    : QDialog(parent), m_platform(&platform)
{
    CreateControls();
    OnInitDialog();
}

CQuorlixDlg::~CQuorlixDlg() = default;

void CQuorlixDlg::CreateControls()
{
    // A maximise box as well, since the panes and the list now grow with the window.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    setAcceptDrops(true);
    m_units = DialogBaseUnitsOf(font());
    const auto place = [this](QWidget* widget, const DialogRect& rect) {
        widget->setGeometry(DialogRectToPixels(rect, m_units));
    };
    m_controls.window = this;

    // Created in template order, which Qt takes as the tab order. The path row and the link row
    // keep their places; Relayout moves the panes, the list and the status line.
    auto* browse = Identify(new QPushButton(WindowText(kBrowseCaption), this), ControlId::Browse);
    place(browse, kBrowseRect);
    connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });

    m_controls.pathEdit = Identify(new QLineEdit(this), ControlId::PathEdit);
    m_controls.pathEdit->setAcceptDrops(false);
    place(m_controls.pathEdit, kPathEditRect);

    m_controls.items = new ItemListModel(this);
    m_itemList = Identify(new ItemListView(this), ControlId::ItemList);
    m_itemList->setModel(m_controls.items);
    m_controls.itemList = m_itemList;
    m_itemList->setShowGrid(true);
    m_itemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_itemList->setTabKeyNavigation(false);
    m_itemList->setWordWrap(false);
    m_itemList->setCornerButtonEnabled(false);
    m_itemList->verticalHeader()->hide();
    // Fixed row heights let the view place any of tens of thousands of rows without measuring.
    m_itemList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_itemList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_itemList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_itemList->horizontalHeader()->setHighlightSections(false);
    place(m_itemList, kItemListRect);
    connect(m_itemList, &ItemListView::CopyRequested, this, [this] { OnCopy(); });

    auto* pathLabel = new QLabel(WindowText(kPathLabelCaption), this);
    pathLabel->setTextFormat(Qt::PlainText);
    place(pathLabel, kPathLabelRect);

    auto* analyse =
        Identify(new QPushButton(WindowText(kAnalyseCaption), this), ControlId::Analyse);
    place(analyse, kAnalyseRect);
    connect(analyse, &QPushButton::clicked, this, [this] { OnAnalyse(); });
    // Enter in the path edit, or anywhere but on another button, analyses.
    analyse->setDefault(true);

    auto* save = Identify(new QPushButton(WindowText(kSaveCaption), this), ControlId::Save);
    place(save, kSaveRect);
    connect(save, &QPushButton::clicked, this, [this] { OnSave(); });

    for (const LinkEntry& link : kLinks) {
        QLabel* label = Identify(CreateLink(this, link), link.id);
        place(label, DialogRect{ link.x, kLinkRowY, link.width, kLinkHeight });
        connect(label, &QLabel::linkActivated, this,
                [this](const QString& address) { OnLinkClick(address.toStdString()); });
    }

    auto* summaryPane = Identify(CreatePane(this, m_units), ControlId::SummaryPane);
    place(summaryPane, kSummaryPaneRect);
    m_controls.summaryPane = new PaneFiller(summaryPane);
    auto* detailPane = Identify(CreatePane(this, m_units), ControlId::DetailPane);
    place(detailPane, kDetailPaneRect);
    m_controls.detailPane = new PaneFiller(detailPane);

    // The status bar runs along the bottom and wraps, so a reason is never cut off.
    m_controls.status = new QLabel(this);
    m_controls.status->setObjectName(QStringLiteral("status"));
    m_controls.status->setTextFormat(Qt::PlainText);
    m_controls.status->setWordWrap(true);
    m_controls.status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_controls.status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_controls.status->setText(
        WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "输入或拖入描述符文件，然后按“分析”")));
    // One line as tall as the Chinese texts make it, which fallback fonts may make taller.
    m_statusLineHeight = std::max(m_controls.status->fontMetrics().height(),
                                  m_controls.status->heightForWidth(QWIDGETSIZE_MAX / 2));

    setMinimumSize(MinimumClientSize(m_units));
    resize(DesignedClientSizeWithStatus(m_statusLineHeight, m_units));
    Relayout();

    // The commands' keys work wherever the focus is in the window; Copy only in the item list,
    // so the path edit and the panes keep their own.
    AddShortcut({ QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R) },
                [this] { OnAnalyse(); });
    AddShortcut({ QKeySequence(QKeySequence::Open) }, [this] { OnBrowse(); });
    AddShortcut({ QKeySequence(QKeySequence::Save) }, [this] { OnSave(); });
    AddShortcut({ QKeySequence(Qt::Key_F8) }, [this] { OnStepFinding(true); });
    AddShortcut({ QKeySequence(Qt::SHIFT | Qt::Key_F8) }, [this] { OnStepFinding(false); });
    AddShortcut({ QKeySequence(Qt::SHIFT | Qt::Key_F10) }, [this] { OnContextMenuKey(); });
}

void CQuorlixDlg::AddShortcut(const QList<QKeySequence>& keys, std::function<void()> handler)
{
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, std::move(handler));
    addAction(action);
}

void CQuorlixDlg::Relayout()
{
    // The status bar always keeps a line, so the panes stay put from one analysis to the next;
    // a long reason wraps onto more lines rather than be cut.
    QLabel* status = m_controls.status;
    const GrowingPlaces unwrapped = PlaceGrowingControls(size(), 0, m_units);
    const int statusHeight =
        std::max(status->heightForWidth(unwrapped.statusLine.width()), m_statusLineHeight);
    const GrowingPlaces places = PlaceGrowingControls(size(), statusHeight, m_units);
    m_itemList->setGeometry(places.itemList);
    FindChild(ControlId::SummaryPane)->setGeometry(places.summaryPane);
    FindChild(ControlId::DetailPane)->setGeometry(places.detailPane);
    FindChild(ControlId::PathEdit)->setGeometry(places.pathEdit);
    FindChild(ControlId::Browse)->setGeometry(places.browse);
    FindChild(ControlId::Analyse)->setGeometry(places.analyse);
    FindChild(ControlId::Save)->setGeometry(places.save);
    FindChild(ControlId::LinkDownload)->setGeometry(places.downloadLink);
    status->setGeometry(places.statusLine);
}

QWidget* CQuorlixDlg::FindChild(ControlId id) const
{
    return findChild<QWidget*>(QString::number(static_cast<int>(id)), Qt::FindDirectChildrenOnly);
}

void CQuorlixDlg::FitToScreen()
{
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    // The frame is not known before the window manager has drawn it; two text lines for the
    // title bar and a few pixels for the borders are about what desktops take.
    const int line = fontMetrics().height();
    const QSize frame(2 * line / 3, 2 * line + line / 2);
    resize(OpeningClientSize(DesignedClientSizeWithStatus(m_statusLineHeight, m_units),
                             MinimumClientSize(m_units), screen->availableGeometry().size(),
                             frame));
}

void CQuorlixDlg::RestoreGeometry(const QSettings& settings)
{
    // restoreGeometry moves a window that would open off every screen back onto one.
    const QByteArray saved = settings.value(kGeometryKey).toByteArray();
    if (saved.isEmpty() || !restoreGeometry(saved)) {
        FitToScreen();
    }
}

void CQuorlixDlg::SaveGeometry(QSettings& settings) const
{
    settings.setValue(kGeometryKey, saveGeometry());
}

void CQuorlixDlg::RestoreUsageNames(const QSettings& settings)
{
    const bool full = settings.value(kFullUsageNamesKey, false).toBool();
    m_usageNames = full ? UsageNames::Full : UsageNames::Classic;
    m_fullUsageNamesEntry->setChecked(full);
}

void CQuorlixDlg::SaveUsageNames(QSettings& settings) const
{
    settings.setValue(kFullUsageNamesKey, m_usageNames == UsageNames::Full);
}

void CQuorlixDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Relayout();
}

bool CQuorlixDlg::event(QEvent* event)
{
    // A new status text asks for room this way.
    if (event->type() == QEvent::LayoutRequest) {
        Relayout();
    }
    return QDialog::event(event);
}

bool CQuorlixDlg::OnInitDialog()
{
    BuildContextMenu();
    setWindowIcon(ApplicationIcon());
    // Typing a path, then Enter, is the quickest way to an analysis.
    m_controls.pathEdit->setFocus(Qt::OtherFocusReason);

    for (std::size_t column = 0; column < std::size(kItemListColumns); ++column) {
        m_itemList->setColumnWidth(static_cast<int>(column), kItemListColumns[column].width);
    }

    setWindowTitle(TitleText({}));
    return true;
}

QAction* CQuorlixDlg::AddMenuEntry(const QString& text, std::function<void()> handler)
{
    QAction* action = m_contextMenu->addAction(text);
    connect(action, &QAction::triggered, this, std::move(handler));
    return action;
}

void CQuorlixDlg::BuildContextMenu()
{
    // The window's one context menu, shown on its background and on the item list. Window
    // managers keep the window menu to themselves, so the About entry lives here too. An entry
    // is one AddMenuEntry line; the menu ends with a separator and About, as the window menu
    // this stands for does.
    m_contextMenu = new QMenu(this);
    QAction* copy = AddMenuEntry(WindowText(kCopyEntryText), [this] { OnCopy(); });
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut); // shown in the menu; the list takes the key
    AddMenuEntry(WindowText(kReadFromDeviceEntry), [this] { OnReadFromDevice(); });
    AddMenuEntry(WindowText(kDecodeReportEntry), [this] { OnDecodeReport(); });
    AddMenuEntry(WindowText(kCompareEntry), [this] { OnCompare(); });
    m_fullUsageNamesEntry = AddMenuEntry(WindowText(kFullUsageNamesEntry), [this] {
        OnFullUsageNames(m_fullUsageNamesEntry->isChecked());
    });
    m_fullUsageNamesEntry->setCheckable(true);
    AddMenuEntry(WindowText(kProblemsEntry), [this] { OnProblems(); });

    m_contextMenu->addSeparator();
    QAction* about =
        AddMenuEntry(WindowText(kAboutEntryText), [this] { OnSysCommand(kAboutCommandId); });
    about->setData(kAboutCommandId);
}

void CQuorlixDlg::AnalyseOnceShown(const std::string& path)
{
    m_startupPath = path;
}

void CQuorlixDlg::OnSysCommand(unsigned commandId)
{
    if ((commandId & ~0x000Fu) == kAboutCommandId) {
        m_platform->RunAboutBox();
    }
}

void CQuorlixDlg::OnBrowse()
{
    const std::optional<std::string> chosen = m_platform->ChooseOpenFile();
    if (!chosen) {
        // No file was chosen, so there is nothing to read and nothing to name a dump after.
        return;
    }
    m_platform->SetPathText(*chosen);
    const std::string path = m_platform->PathText();
    if (LooksLikeCapture(path)) {
        // Which descriptor of a capture Analyse takes is asked then; there is no one dump.
        m_platform->ShowStatus(
            WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "已选择 %1（USB 捕获），按“分析”分析它"))
                .arg(PathForDisplay(path)));
        return;
    }
    // The dump shows the bytes Analyse will take, in whatever form the file is. What was said
    // about another path no longer holds.
    DescriptorInput input;
    const InputOutcome outcome = ReadDescriptorInput(path, {}, input);
    if (outcome.status != InputStatus::Ok) {
        m_platform->ShowStatus(
            WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：%2，没有写出十六进制转储"))
                .arg(PathForDisplay(path), InputOutcomeText(outcome, input.form)),
            InputOutcomeDetails(outcome));
        return;
    }
    if (const auto written = WriteHexDumpFile(*chosen, input.bytes); !written) {
        m_platform->ShowStatus(
            WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "无法写出十六进制转储：%1"))
                .arg(SystemReasonText(WriteErrorText(written.Error()))));
        return;
    }
    m_platform->ShowStatus(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "已选择 %1，按“分析”分析它"))
                               .arg(PathForDisplay(path)));
}

std::string CQuorlixDlg::PathToRead()
{
    const std::string typed = m_platform->PathText();
    // A name that really ends in a blank is read as typed; otherwise what was pasted with it
    // (quotes, a file:// prefix, a line end) is taken off, and the edit shows the clean path.
    if (QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(typed)))) {
        return typed;
    }
    const std::string cleaned = CleanPastedPath(typed);
    if (cleaned != typed) {
        m_platform->SetPathText(cleaned);
    }
    return cleaned;
}

void CQuorlixDlg::OnAnalyse()
{
    const std::string path = PathToRead();
    if (LooksLikeCapture(path)) {
        AnalyseCapture(path);
        return;
    }
    DescriptorInput input;
    InputOutcome outcome = ReadDescriptorInput(path, {}, input);
    // A file of several descriptors asks which one, whether or not the reader could pick one.
    const bool readOrAmbiguous =
        outcome.status == InputStatus::Ok || outcome.status == InputStatus::Ambiguous;
    if (readOrAmbiguous && input.candidates.size() > 1) {
        const std::size_t proposed = outcome.status == InputStatus::Ok ? input.index : 0;
        const std::optional<std::size_t> chosen =
            m_platform->ChooseDescriptor(input.candidates, proposed);
        if (!chosen) {
            m_platform->ShowStatus(
                WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：没有选择描述符，未分析任何内容"))
                    .arg(PathForDisplay(path)));
            return;
        }
        if (outcome.status != InputStatus::Ok || *chosen != input.index) {
            input = DescriptorInput{};
            outcome = ReadDescriptorInput(path, InputRequest(InputForm::Auto, *chosen), input);
        }
    }
    if (outcome.status != InputStatus::Ok) {
        // Keep the previous result on screen, but never let it pass for this file's.
        m_platform->ShowStatus(NothingAnalysedText(path, outcome, input.form),
                               InputOutcomeDetails(outcome));
        return;
    }

    m_analysedPath = path;
    m_analysedInput = std::move(input);
    m_analysedCapture = CapturedSource{};
    m_currentFinding.reset();
    ShowAnalysis();
}

void CQuorlixDlg::AnalyseCapture(const std::string& path)
{
    CaptureInventory inventory;
    std::uint64_t warnings = 0;
    CaptureReader reader([&warnings](const CaptureWarning&) { ++warnings; });
    auto read = reader.Open(path);
    if (read) {
        read = ScanCapture(reader, inventory);
    }
    if (!read) {
        const CaptureError& error = read.Error();
        // What came before a broken frame is not offered: the command line refuses it too.
        m_platform->ShowStatus(NothingAnalysedInCaptureText(path, error),
                               QString::fromStdString(error.message));
        return;
    }
    DescriptorInput input;
    auto choice = ChooseCapturedDescriptor(inventory, {}, input);
    if (!choice) { // the capture holds no descriptor: nothing else can fail without a request
        m_platform->ShowStatus(NothingAnalysedInCaptureText(path, std::nullopt));
        return;
    }
    if (input.candidates.size() > 1) {
        const std::optional<std::size_t> chosen = m_platform->ChooseDescriptor(input.candidates, 0);
        if (!chosen) {
            m_platform->ShowStatus(
                WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：没有选择描述符，未分析任何内容"))
                    .arg(PathForDisplay(path)));
            return;
        }
        choice =
            ChooseCapturedDescriptor(inventory, CapturedDescriptorRequest{ *chosen, {} }, input);
    }
    if (!choice) {
        return; // only an index the chooser did not offer; it offers none past the end
    }
    m_analysedCapture =
        CapturedSource{ choice->interfaceName, input.candidates[choice->index].device,
                        inventory.descriptors[choice->index].cut, warnings };
    m_analysedPath = path;
    m_analysedInput = std::move(input);
    m_currentFinding.reset();
    ShowAnalysis();
}

void CQuorlixDlg::ShowAnalysis()
{
    // Whatever the analysis gives back is shown: rows up to an error, the collections it found.
    AnalysisOptions options;
    options.usageNames = m_usageNames;
    options.reportModel = false;   // 解码报告… builds its own from the bytes
    options.debugOut = m_debugOut; // the debug lines, only when asked for
    if (const std::optional<HostProfileId> host = FindHostProfile(m_hostProfile)) {
        options.hosts.profiles = { *host };
    }
    Analysis analysis;
    AnalyseDescriptor(std::string_view(m_analysedInput.bytes), options, analysis);

    m_platform->DeleteAllItems();
    m_platform->SetDetailText(analysis.layout.detail);
    m_platform->SetSummaryText(analysis.layout.summary);
    m_platform->InsertItemRows(std::move(analysis.description.rows));
    const FindingCounts counts = CountFindings(analysis.findings);
    m_platform->SetFindings(std::move(analysis.findings));
    AnalysedSummary summary;
    summary.bytes = m_analysedInput.bytes.size();
    summary.form = m_analysedInput.form;
    summary.descriptors = m_analysedInput.descriptors;
    summary.index = m_analysedInput.index;
    summary.warnings = &m_analysedInput.warnings;
    summary.notices = &analysis.notices;
    summary.counts = counts;
    summary.capture = &m_analysedCapture;
    m_platform->ShowStatus(AnalysedText(summary), AnalysedDetails(summary));
    m_platform->SetTitle(TitleText(m_analysedPath));
    // A pipe reading the debug lines gets each analysis whole as soon as it ends.
    if (m_debugOut != nullptr) {
        std::fflush(m_debugOut);
    }
}

void CQuorlixDlg::OnFullUsageNames(bool on)
{
    m_usageNames = on ? UsageNames::Full : UsageNames::Classic;
    // The list is what Save writes, so it changes with the names at once.
    if (!m_analysedInput.bytes.empty()) {
        ShowAnalysis();
    }
}

void CQuorlixDlg::OnSave()
{
    const Answer answer = m_platform->AskYesNoCancel(
        WindowText(kSaveQuestion), WindowText(kSaveQuestionCaption),
        { WindowText(kSaveAsC), WindowText(kSaveAsPlain), WindowText(kSaveCancel) });
    if (answer == Answer::Cancel) {
        return;
    }
    const SavedForm form = answer == Answer::Yes ? SavedForm::C : SavedForm::Plain;
    // Beside the descriptor, named after it, never over it.
    std::string suggested;
    if (!m_analysedPath.empty()) {
        const QFileInfo analysed(QFile::decodeName(QByteArray::fromStdString(m_analysedPath)));
        suggested = QFile::encodeName(
                        analysed.absoluteDir().filePath(analysed.completeBaseName() +
                                                        QString::fromLatin1(kSavedNameSuffix)))
                        .toStdString();
    }
    const std::optional<std::string> chosen = m_platform->ChooseSaveFile(suggested);
    if (!chosen) {
        return;
    }

    // The list is the record of the analysis: its cells are read back, in the order the file
    // wants them, and live until the next row is asked for.
    std::u16string bytes;
    std::u16string offset;
    std::u16string name;
    std::u16string description;
    const auto rowAt = [&](std::size_t row) {
        bytes = m_platform->ItemText(row, ItemColumn::Bytes);
        offset = m_platform->ItemText(row, ItemColumn::Offset);
        name = m_platform->ItemText(row, ItemColumn::Name);
        description = m_platform->ItemText(row, ItemColumn::Description);
        return SavedRowTexts{ offset, bytes, name, description };
    };
    const QString caption = m_platform->ExecutableName();
    if (const auto written = WriteSavedAnalysisFile(*chosen, form, m_platform->ItemCount(), rowAt);
        !written) {
        m_platform->ShowMessage(
            WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "无法存储 %1：%2"))
                .arg(PathForDisplay(*chosen), SystemReasonText(WriteErrorText(written.Error()))),
            caption, MessageKind::Error);
        return;
    }
    m_platform->ShowMessage(kSaveDone, caption, MessageKind::Information);
}

void CQuorlixDlg::OnCopy()
{
    const std::vector<std::size_t> rows = m_platform->SelectedItemRows();
    if (rows.empty()) {
        return;
    }
    std::string text;
    for (const std::size_t row : rows) {
        const std::u16string bytes = m_platform->ItemText(row, ItemColumn::Bytes);
        const std::u16string offset = m_platform->ItemText(row, ItemColumn::Offset);
        const std::u16string name = m_platform->ItemText(row, ItemColumn::Name);
        const std::u16string description = m_platform->ItemText(row, ItemColumn::Description);
        AppendCopiedRow(text, SavedRowTexts{ offset, bytes, name, description });
    }
    m_platform->CopyToClipboard(text);
}

void CQuorlixDlg::OnLinkClick(const std::string& address)
{
    m_platform->OpenLink(address);
}

void CQuorlixDlg::OnDropFiles(const std::vector<std::string>& paths)
{
    if (paths.empty()) {
        return;
    }
    m_platform->SetPathText(paths.front());
    OnAnalyse();
}

void CQuorlixDlg::OnReadFromDevice()
{
    const std::optional<std::string> path = m_platform->ChooseDevice();
    if (!path) {
        return;
    }
    m_platform->SetPathText(*path);
    OnAnalyse();
}

void CQuorlixDlg::OnDecodeReport()
{
    if (m_analysedInput.bytes.empty()) {
        m_platform->ShowStatus(WindowText(
            QT_TRANSLATE_NOOP("CQuorlixDlg", "还没有分析描述符：先分析一个，再解码它的报告")));
        return;
    }
    m_platform->RunDecodeReportDialog(m_analysedInput.bytes);
}

void CQuorlixDlg::OnCompare()
{
    if (m_analysedInput.bytes.empty()) {
        m_platform->ShowStatus(
            WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "还没有分析描述符：先分析一个，再比较")));
        return;
    }
    m_platform->RunCompareDialog(m_analysedInput.bytes, m_analysedPath);
}

void CQuorlixDlg::OnProblems()
{
    m_platform->ShowProblems(m_platform->Findings(),
                             { [this](std::size_t index) { OnGoToFinding(index); },
                               [this](bool forward) { OnStepFinding(forward); },
                               [this](const std::string& name) { OnHostChosen(name); },
                               m_hostProfile });
    if (m_currentFinding) {
        m_platform->MarkFinding(*m_currentFinding);
    }
}

void CQuorlixDlg::OnHostChosen(const std::string& name)
{
    // A name no profile has (an older settings file) checks HID's own rules only.
    m_hostProfile = FindHostProfile(name) ? name : std::string();
    QSettings().setValue(kHostProfileKey, QString::fromStdString(m_hostProfile));
    if (!m_analysedPath.empty()) {
        m_currentFinding.reset();
        ShowAnalysis();
    }
}

void CQuorlixDlg::RestoreHostProfile(const QSettings& settings)
{
    const std::string name = settings.value(kHostProfileKey).toString().toStdString();
    m_hostProfile = FindHostProfile(name) ? name : std::string();
}

void CQuorlixDlg::OnGoToFinding(std::size_t index)
{
    const std::vector<Finding> findings = m_platform->Findings();
    if (index >= findings.size()) {
        return;
    }
    m_currentFinding = index;
    const Finding& finding = findings[index];
    m_platform->SelectItemAt(finding.offset);
    m_platform->MarkFinding(index);
    m_platform->ShowStatus(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "问题 %1/%2，%3：%4；%5"))
                               .arg(index + 1)
                               .arg(findings.size())
                               .arg(SeverityText(finding.severity), FindingMessageText(finding),
                                    FindingFixText(finding)));
}

void CQuorlixDlg::OnStepFinding(bool forward)
{
    const std::size_t count = m_platform->Findings().size();
    // The open list's order and filter, else every finding by offset.
    std::vector<std::size_t> order;
    if (std::optional<std::vector<std::size_t>> shown = m_platform->ProblemsOrder()) {
        order = std::move(*shown);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            order.push_back(i);
        }
    }
    if (order.empty()) {
        m_platform->ShowStatus(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "没有可转到的问题")));
        return;
    }
    // From the current finding on, round the ends; the first step goes to either end.
    const auto current =
        m_currentFinding ? std::find(order.begin(), order.end(), *m_currentFinding) : order.end();
    std::size_t position = 0;
    if (current == order.end()) {
        position = forward ? 0 : order.size() - 1;
    } else {
        const auto at = static_cast<std::size_t>(current - order.begin());
        position = forward ? (at + 1) % order.size() : (at + order.size() - 1) % order.size();
    }
    OnGoToFinding(order[position]);
}

void CQuorlixDlg::OnContextMenuKey()
{
    // As a right click would: the focused control shows its own menu or passes it on to the
    // window's, placed at the list's current row or the control's middle.
    QWidget* target = focusWidget() != nullptr ? focusWidget() : this;
    QPoint place = target->rect().center();
    if (target == m_itemList && m_itemList->currentIndex().isValid()) {
        const QRect row = m_itemList->visualRect(m_itemList->currentIndex());
        place = m_itemList->viewport()->mapTo(m_itemList, row.bottomLeft());
    }
    QContextMenuEvent event(QContextMenuEvent::Keyboard, place, target->mapToGlobal(place));
    QCoreApplication::sendEvent(target, &event);
}

void CQuorlixDlg::contextMenuEvent(QContextMenuEvent* event)
{
    m_contextMenu->popup(event->globalPos());
    event->accept();
}

void CQuorlixDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CQuorlixDlg::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    event->acceptProposedAction();
    // The file manager waits for the drop to end; the analysis runs after it, from the event
    // loop, so a large descriptor does not hold the drag up.
    QMetaObject::invokeMethod(
        this, [this, paths = std::move(paths)] { OnDropFiles(paths); }, Qt::QueuedConnection);
}

void CQuorlixDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Relayout();
    if (m_startupPath.empty()) {
        return;
    }
    // Run once the window is up, from the event loop, as a drop would.
    const std::string path = std::move(m_startupPath);
    m_startupPath.clear();
    QMetaObject::invokeMethod(
        this, [this, path] { OnDropFiles({ path }); }, Qt::QueuedConnection);
}

} // namespace quorlix
