#include "ui/mainwindow/MainWindow.h"

#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include "apply/ApplyWorker.h"
#include "apply/RowStatus.h"
#include "namelist/MediaFill.h"
#include "base/ActivityLog.h"
#include "platform/LocalTime.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/widgets/CommandPanel.h"
#include "ui/mainwindow/KeyFilter.h"
#include "ui/dialogs/MessageDialog.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"
#include "ui/AccessLetters.h"
#include "ui/QtText.h"
#include "ui/ScreenRect.h"
#include "ui/widgets/SplitterBar.h"
#include "ui/widgets/ColorButton.h"
#include "ui/UiIconProvider.h"

namespace quirnel {
namespace {

const std::vector<int> kLeftCommands = {menu::ApplyChanges, menu::Replace,     menu::AddPrefix, menu::AddSuffix,
                                        menu::EmptyName,   menu::Remove,      menu::NumbersOnly, menu::DelNumbers,
                                        menu::MatchDigits,  menu::AddNumbers};
const std::vector<int> kRightCommands = {menu::UndoChanges, menu::ClearOrFilterList, menu::SortList, menu::EditName,
                                         menu::MoveUp,      menu::MoveDown,      menu::ChangeFolder, menu::EmptyExt,
                                         menu::AddExt,      menu::ReplaceExt};

}  // namespace

MainWindow::MainWindow(AppState& app, QWidget* parent)
    : QMainWindow(parent), app_(app), ws_(app.settings, app.flags, *this), icons_(std::make_unique<UiIconProvider>()) {
    setWindowTitle(QStringLiteral("Quirnel"));
    setMinimumSize(400, 300);
    ws_.icons.setProvider(icons_.get());
    buildControls();
    buildMenus();
    qApp->installEventFilter(new AccessLetterFilter(this));
    keys_ = new KeyFilter(this, [this](QWidget* target, QKeyEvent* e) { return handleKey(target, e); });
    placeFirstTime();
    openWindowState();
    AppendLog(LoadText(text::Ready));
    list_->setFocus();  // arrows and Page Down move through the rows at once
}

MainWindow::~MainWindow() {
    // A run still going when the window goes (the close path waits for it, so
    // only a window destroyed without closing gets here): stop it and let its
    // last updates land without opening a dialog on a window being torn down.
    tearingDown_ = true;
    statusTask_.reset();
    fill_.reset();
    if (worker_) {
        ws_.flags.stopFlag = 1;
        worker_.reset();
    }
    ws_.icons.setProvider(nullptr);
}

void MainWindow::buildControls() {
    client_ = new QWidget(this);
    client_->installEventFilter(this);
    setCentralWidget(client_);
    setAcceptDrops(true);

    model_ = new NameListModel(ws_, *icons_, this);
    statusDelay_ = new QTimer(this);
    statusDelay_->setSingleShot(true);
    statusDelay_->setInterval(150);
    connect(statusDelay_, &QTimer::timeout, this, &MainWindow::startRowStatuses);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (status_) showStatus();
    });
    list_ = new NameListView(ws_, model_, client_);
    connect(list_, &QAbstractItemView::doubleClicked, this, [this] { runCommand(menu::EditName); });
    connect(list_, &QWidget::customContextMenuRequested, this, &MainWindow::showContextMenu);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &MainWindow::updateCommandState);
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::onHeaderClicked);

    bar_ = new SplitterBar(client_);
    connect(bar_, &SplitterBar::dragged, this, &MainWindow::onSplitterDragged);
    log_ = new QPlainTextEdit(client_);
    log_->setReadOnly(true);
    log_->setUndoRedoEnabled(false);
    // Read-only, yet its lines can be selected with the keys as well as the mouse.
    log_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    leftPanel_ = new CommandPanel(kLeftCommands, client_);
    rightPanel_ = new CommandPanel(kRightCommands, client_);
    for (CommandPanel* panel : {leftPanel_, rightPanel_})
        connect(panel, &CommandPanel::commandClicked, this, [this](int command) {
            runCommand(command, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
        });

    status_ = new QLabel(client_);
    status_->setAlignment(Qt::AlignCenter);
    stop_ = new QPushButton(T(text::StopButton), client_);
    stop_->setFocusPolicy(Qt::NoFocus);
    stop_->hide();
    connect(stop_, &QPushButton::clicked, this, &MainWindow::askStop);
}

// Without a stored rectangle: 1000 by 640 where the screen has room.
void MainWindow::placeFirstTime() {
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1000, 680);
    const QRect first = FirstWindowRect(screen, QSize(1000, 640), minimumSize());
    setGeometry(first);
}

// The opening steps that read the settings, in their order.
void MainWindow::openWindowState() {
    applyIconSize();
    systemBase_ = list_->palette().color(QPalette::Base);
    systemText_ = list_->palette().color(QPalette::Text);
    fontPoints_ = std::max(1, QFontInfo(font()).pointSize());
    defaultListFont_ = font();
    customListFont_ = defaultListFont_;
    if (app_.settings.FontName.empty()) {
        app_.settings.FontSize = fontPoints_;
    } else {
        customListFont_ = QFont(Q(app_.settings.FontName));
        if (app_.settings.FontSize > 0) customListFont_.setPointSize(app_.settings.FontSize);
        customListFont_.setWeight(QFont::Weight(std::clamp(app_.settings.FontWeight, 100, 900)));
        customListFont_.setItalic(app_.settings.FontItalic != 0);
    }
    applyListFont();
    applyListColors();

    int nameMinimum = 4 * fontPoints_ + (IconPixels(app_.settings.IconType) > 0 ? IconPixels(app_.settings.IconType) : 16);
    // Widths the user left as they came share the list's width.
    const bool sharedWidths = app_.settings.ColWidths.size() != ColumnCount;
    ColumnWidths widths = OpeningColumnWidths(app_.settings, fontPoints_, IconPixels(app_.settings.IconType), nameMinimum);
    for (int c = 0; c < ViewColumnCount; ++c) list_->setColumnWidthOrHide(c, widths[c]);
    list_->setNameColumnMinimum(nameMinimum);
    list_->setSharedWidths(sharedWidths);
    showSortIndicator();
    StoreColumnState(app_.settings, currentColumnWidths(), ws_.sortColumn, ws_.sortAscending, fontPoints_);
    refreshMenuTexts();
    UpdateItemCount(ws_);

    if (ShowsOnScreens(app_.settings.RectMain)) setGeometry(ToQRect(app_.settings.RectMain));
    layoutWindow();
}

void MainWindow::applyIconSize() {
    // A value that names no size keeps the icons the list has.
    if (int pixels = IconPixels(app_.settings.IconType)) list_->setListIconSize(pixels);
}

void MainWindow::applyListFont() {
    list_->setFont(IsOn(app_.settings.UseDefaultFont) ? defaultListFont_ : customListFont_);
}

void MainWindow::applyListColors() {
    QPalette p = list_->palette();
    bool system = IsOn(app_.settings.UseDefaultColor);
    p.setColor(QPalette::Base, system ? systemBase_ : ColorFromStored(app_.settings.ColorBk));
    p.setColor(QPalette::Text, system ? systemText_ : ColorFromStored(app_.settings.ColorText));
    list_->setPalette(p);
    model_->setStatusBase(p.color(QPalette::Base));
}

QAction* MainWindow::action(int command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::AppendLog(const std::u16string& message) { appendLogLines({{NowUtcSeconds(), message}}); }

void MainWindow::appendLogLines(const std::vector<TimedLine>& lines) {
    if (lines.empty()) return;
    // A paragraph per line, appended together: the pane lays out a batch of
    // lines many times faster than the same lines one by one.
    QString text;
    for (const TimedLine& line : lines) {
        if (!text.isEmpty()) text += u'\n';
        text += Q(LogLineAt(line.utcSeconds, line.text));
    }
    log_->appendPlainText(text);
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void MainWindow::SetStatusText(const std::u16string& text) {
    statusText_ = Q(text);
    showStatus();
    status_->repaint();
}

void MainWindow::showStatus() {
    const int hidden = model_->hiddenRows();
    status_->setText(hidden > 0 ? statusText_ + QStringLiteral("  ") + Q(FormatText(LoadText(text::RowsHiddenStatus), {hidden}))
                                : statusText_);
}

void MainWindow::ShowMessageDialog(const std::u16string& text, const std::u16string& title) {
    if (tearingDown_) return;
    model_->textsChanged();  // a run's report shows over rows as they are now
    MessageDialog dlg(Q(text), Q(title), this);
    dlg.exec();
}

bool MainWindow::askYesNo(Question /*question*/, const std::u16string& text) {
    return QMessageBox::question(this, QApplication::applicationName(), Q(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MainWindow::setProgress(int percent) {
    setWindowTitle(QStringLiteral("%1% - Quirnel").arg(percent));
}

void MainWindow::commandStateChanged() { updateCommandState(); }

void MainWindow::rowsRemoved() {
    model_->rowsReset();
    list_->syncSelectionFromList();
}

}  // namespace quirnel
