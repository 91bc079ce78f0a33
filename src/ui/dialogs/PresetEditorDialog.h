#pragma once
#include <QDialog>
#include <optional>

#include "presets/Preset.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QSplitter;
class QTableWidget;

namespace quirnel {

class CommandBar;
class Host;
class NameList;
class PresetPreviewPane;
struct AppSettings;

// "Preset Editor": edits the five presets in place, so every change counts at
// once and there is no Cancel; Close, Esc and the close box all keep what was
// done. The caller refreshes the Preset menu afterwards. `list`, when given,
// feeds the preview and is never changed.
class PresetEditorDialog : public QDialog {
    Q_OBJECT
public:
    PresetEditorDialog(PresetTable& presets, AppSettings& settings, Host& host, const NameList* list = nullptr,
                       QWidget* parent = nullptr);

    int shownPreset() const;
    QComboBox* presetSelector() const { return selector_; }
    QCheckBox* sortBox() const { return sortBox_; }
    QPushButton* sortButton() const { return sortButton_; }
    QCheckBox* applyBox() const { return applyBox_; }
    QComboBox* applyModes() const { return applyModes_; }
    QTableWidget* taskList() const { return tasks_; }
    CommandBar* commandBar() const { return bar_; }
    // The bar's button that adds a command, or nullptr.
    QPushButton* commandButton(int command) const;
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* nameButton() const { return name_; }
    QPushButton* closeButton() const { return close_; }
    PresetPreviewPane* preview() const { return preview_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildCommandBar();
    void showPreset(int index);
    void showTask(int row);
    void selectRow(int row);
    int selectedRow() const;
    void updateButtons();
    void presetChanged();
    QuirnelPreset& preset();

    void chooseSort();
    void addTask(int command);
    void editTask();
    void deleteTask();
    void moveTask(int step);
    void renamePreset();
    // A task of `command` as the input dialog and its check give it.
    std::optional<PresetTask> askInput(int command, const PresetTask& initial);

    void layoutControls();
    void layoutButtonRow(const QRect& area, int h);

    PresetTable& presets_;
    AppSettings& settings_;
    Host& host_;
    const NameList* list_;

    QComboBox* selector_ = nullptr;
    QCheckBox* sortBox_ = nullptr;
    QPushButton* sortButton_ = nullptr;
    QCheckBox* applyBox_ = nullptr;
    QComboBox* applyModes_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTableWidget* tasks_ = nullptr;
    PresetPreviewPane* preview_ = nullptr;
    QGroupBox* group_ = nullptr;
    CommandBar* bar_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* name_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace quirnel
