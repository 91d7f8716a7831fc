#pragma once

#include "app/DialogPlatform.h"
#include "app/DialogUnits.h"
#include "app/MainDialogTemplate.h"
#include "app/QtDialogPlatform.h"
#include "app/StatusTexts.h"
#include "annotation/FillInUsageNames.h"
#include "forms/DescriptorInput.h"

#include <QDialog>
#include <QList>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QKeySequence;
class QMenu;
class QSettings;

namespace quorlix {

class ItemListView;

// The main window: the path edit with Browse, Analyse and Save, the web links, the two layout
// panes, the item list and a status line. It owns its widgets and its handlers; the handlers
// reach the widgets and the desktop only through a DialogPlatform. Qt itself paints the
// minimised window and drags it by the window icon, so there is no OnPaint or OnQueryDragIcon.
class CQuorlixDlg final : public QDialog
{
    Q_OBJECT

public:
    // A window whose handlers work on its own widgets and Qt's dialogs.
    explicit CQuorlixDlg(QWidget* parent = nullptr);
    // A window whose handlers talk to platform instead, which must outlive it.
    explicit CQuorlixDlg(DialogPlatform& platform, QWidget* parent = nullptr);
    ~CQuorlixDlg() override;

    // Where the parser's debug lines and the layout's plain copy go; nowhere by default.
    void SetDebugOutput(std::FILE* out) { m_debugOut = out; }

    // Analyses path as a drop of that one file would, once the window is on screen.
    void AnalyseOnceShown(const std::string& path);

    // The widgets the real platform reads and fills.
    const MainDialogControls& Controls() const { return m_controls; }

    // The menu a right click on the window's background or the item list shows; it ends with a
    // separator and About.
    QMenu* ContextMenu() const { return m_contextMenu; }

    // Shrinks the window where its designed size does not fit its screen's free area.
    void FitToScreen();
    // The size, place and maximised state of the last run, where settings has them, else the
    // designed size fitted to the screen; and keeping them for the next run.
    void RestoreGeometry(const QSettings& settings);
    void SaveGeometry(QSettings& settings) const;

    // Whether the list and the panes show the full usage names, as the last run left it; and
    // keeping the choice for the next run.
    void RestoreUsageNames(const QSettings& settings);
    void SaveUsageNames(QSettings& settings) const;
    UsageNames ShownUsageNames() const { return m_usageNames; }
    // The host profile whose rules the findings include ("" for HID's own rules only); the
    // choice is kept in the settings as soon as it is made.
    void RestoreHostProfile(const QSettings& settings);
    const std::string& HostProfile() const { return m_hostProfile; }

    bool OnInitDialog();
    // The About entry's command (16, whatever the low four bits) opens the About box; Qt has no
    // other window command to pass on.
    void OnSysCommand(unsigned commandId);
    void OnBrowse();
    void OnAnalyse();
    void OnSave();
    // Copies the selected rows to the clipboard as the plain saved lines, in UTF-8.
    void OnCopy();
    void OnLinkClick(const std::string& address);
    // Puts the first path into the path edit and analyses it; the others are ignored.
    void OnDropFiles(const std::vector<std::string>& paths);
    // 从设备读取…: analyses the descriptor of the device chosen from the connected ones.
    void OnReadFromDevice();
    // 解码报告…: decodes reports against the descriptor analysed last.
    void OnDecodeReport();
    void OnCompare();
    // The 完整用法名称 entry: full usage names on or off, shown at once for the last analysis.
    void OnFullUsageNames(bool on);
    // 问题列表…: lists the findings of the analysis on screen beside the window.
    void OnProblems();
    // The problems list's host choice: checks the analysis on screen again with its rules.
    void OnHostChosen(const std::string& name);
    // Selects the row of the finding with that index and makes it the current one; an index
    // beyond the findings does nothing.
    void OnGoToFinding(std::size_t index);
    // F8 and Shift+F8: the next or previous finding, in the problems' list's order and filter
    // while it is open, else by offset; past either end it starts over.
    void OnStepFinding(bool forward);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void BuildContextMenu();
    // Analyse for a USB capture: its one report descriptor, or the one chosen of several.
    void AnalyseCapture(const std::string& path);
    // Parses the last analysed bytes and fills the list and the panes with the chosen names.
    void ShowAnalysis();
    // Appends an entry to the context menu that runs handler; gives it for shortcuts and data.
    QAction* AddMenuEntry(const QString& text, std::function<void()> handler);
    // Runs handler on any of keys while the window is active.
    void AddShortcut(const QList<QKeySequence>& keys, std::function<void()> handler);
    // Places the panes, the list and the status line for the window's size and status text.
    void Relayout();
    QWidget* FindChild(ControlId id) const;
    // The path edit's text as the file to read, cleaned of what pasting brings along.
    std::string PathToRead();
    // Shift+F10: the focused control's context menu.
    void OnContextMenuKey();

    MainDialogControls m_controls;
    ItemListView* m_itemList = nullptr;
    QMenu* m_contextMenu = nullptr;
    DialogBaseUnits m_units{};
    int m_statusLineHeight = 0; // one line of the status bar, in pixels
    std::unique_ptr<QtDialogPlatform> m_ownPlatform;
    DialogPlatform* m_platform = nullptr;
    std::string m_startupPath;
    DescriptorInput m_analysedInput;             // the last descriptor read, and how it was read
    std::string m_analysedPath;                  // its file
    CapturedSource m_analysedCapture;            // where in a capture it came from, if it did
    std::optional<std::size_t> m_currentFinding; // the one F8 stepped or went to last
    QAction* m_fullUsageNamesEntry = nullptr;
    UsageNames m_usageNames = UsageNames::Classic;
    std::string m_hostProfile;
    std::FILE* m_debugOut = nullptr;
};

} // namespace quorlix
