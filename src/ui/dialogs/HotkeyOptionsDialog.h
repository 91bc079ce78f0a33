#pragma once
#include <QDialog>
#include <QString>
#include <map>

#include "app/Hotkeys.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quirnel {

class Host;

// The main window's menu texts by command id.
using MenuTexts = std::map<int32_t, QString>;

// "Hotkeys": every hotkey record with its command's menu text. Edits change
// the table at once and stay; Close only ends the dialog. A key that another
// command also holds is marked with that command's name, since only the
// lower command id ever runs by it.
class HotkeyOptionsDialog : public QDialog {
    Q_OBJECT
public:
    HotkeyOptionsDialog(HotkeyTable& table, MenuTexts menuTexts, Host& host, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* resetButton() const { return reset_; }
    QPushButton* closeButton() const { return close_; }

private:
    void fill();
    void showHotkeys();
    QString commandText(int32_t commandId) const;
    QTreeWidgetItem* selectedRow() const;
    HotkeyRecord& recordOf(const QTreeWidgetItem* row);
    void editRow(QTreeWidgetItem* row);
    void clearRow();
    void resetAll();

    HotkeyTable& table_;
    MenuTexts menuTexts_;
    Host& host_;
    QTreeWidget* list_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace quirnel
