#pragma once
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "run/CommandCatalogue.h"
#include "run/CommandInputCheck.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace quirnel {

class ArgumentField;
class Host;
class NameList;
class PresetPreviewPane;
class PreviewSample;
struct AppSettings;

// Asks for a command's sub-command and its two arguments. Text that cannot be
// used keeps the dialog open with a message; after Accepted the results are
// cleaned. Whatever the command, the dialog reopens where it was last closed.
// Below its fields it can show what the input would make of the list's first
// rows; closed, that pane takes no room and the dialog is as it always was.
class CommandInputDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 8;

    CommandInputDialog(int command, AppSettings& settings, Host& host, QWidget* parent = nullptr);
    ~CommandInputDialog() override;

    // Before exec(): offers the preview of a command that runs on the list.
    // The rows it shows are copied now; the list is never changed or read again.
    void setPreviewList(const NameList& list);

    // Before exec(): the item with this sub-command (0 or no match keeps the
    // current one) and texts that replace the item's defaults unless empty.
    void setInitialInput(int subCommand, const std::u16string& arg1, const std::u16string& arg2);

    int subCommand() const { return subCommand_; }
    std::u16string arg1() const { return arg1_; }
    std::u16string arg2() const { return arg2_; }

    QComboBox* selector() const { return selector_; }
    ArgumentField* field1() const { return field1_; }
    ArgumentField* field2() const { return field2_; }
    QLabel* label1() const { return label1_; }
    QLabel* label2() const { return label2_; }
    QPushButton* folderButton() const { return folder_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QCheckBox* previewBox() const { return previewBox_; }
    PresetPreviewPane* previewPane() const { return pane_; }
    // How often the pane was recomputed: a keystroke's update is done when this grows.
    int previewRuns() const { return previewRuns_; }

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    QSize firstSize() const;
    void restoreRect();
    void applyItem(int index);
    void focusFirstShown();
    bool chooseByKey(const QKeyEvent& event);
    void pickFolder();
    void layoutControls();
    void layoutPane(const QRect& area);
    int layoutMargin() const;
    const InputItem* currentItem() const;
    std::u16string shownText(const ArgumentField& field) const;
    void setPreviewOpen(bool open);
    int previewBlock() const;  // the height the open pane adds, with its margin
    QRect closedGeometry() const;
    void updatePreview();

    int command_;
    AppSettings& settings_;
    Host& host_;
    InputItems items_;
    int subCommand_ = 0;
    std::u16string arg1_, arg2_;
    QSize firstSize_;
    std::unique_ptr<PreviewSample> sample_;
    bool previewOpen_ = false;
    int previewRuns_ = 0;

    QString startFolder_;  // where the folder picker opens

    QLabel* prompt_ = nullptr;
    QComboBox* selector_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* folder_ = nullptr;
    ArgumentField* field1_ = nullptr;
    QLabel* label2_ = nullptr;
    ArgumentField* field2_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QCheckBox* previewBox_ = nullptr;
    PresetPreviewPane* pane_ = nullptr;
    QTimer* previewDelay_ = nullptr;
};

// What a command's input came to: the chosen item's sub-command and both arguments.
struct CommandInput {
    int32_t subCommand = 0;
    std::u16string arg1, arg2;
};

// The dialog for a command (or the preset-name request), opened on `initial`
// as setInitialInput takes it, and the check every caller makes after it.
// Nothing when cancelled, when the command offered no item to choose, or when
// the check refused (its message, if any, already shown). With previewRows,
// the dialog offers its preview of those rows.
std::optional<CommandInput> AskCommandInput(int command, AppSettings& settings, Host& host, QWidget* parent,
                                            const CommandInput& initial = {}, const NameList* previewRows = nullptr);

// The text a refusal of CheckCommandInput shows, or empty for a silent one.
QString CheckMessage(const InputCheck& check);

}  // namespace quirnel
