// Draws the main window and four of its dialogs offscreen, each opened as a
// user opens it, so that two builds can be compared picture by picture: the
// window over a small folder with proposed names and folders, the input
// dialog of Replace, the preset editor, the sort dialog, and the question
// of Revert Last Apply (over a journal of those proposals, answered No). The
// language is fixed at start-up, so each language is drawn by a run of its own.
// Usage: ui_screenshots OUTDIR                    both languages, a run each
//        ui_screenshots OUTDIR english|korean     one language
// Writes OUTDIR/{main-window,replace-dialog,preset-editor,sort-dialog,revert-question}-LANGUAGE.png.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <ctime>

#include "app/StartUp.h"
#include "apply/Journal.h"
#include "base/CommandIds.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "ShotWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListView.h"
#include "platform/EntryIds.h"

using namespace quirnel;

namespace {

// The rows' folder shows in the pictures, so it is always the same one.
const QString kRoot = QStringLiteral("/tmp/quirnel-ui-screenshots");
const QString kFolder = kRoot + QStringLiteral("/Trip");

bool MakeFixture() {
    struct Entry {
        const char* name;
        qint64 size;
        const char* modified;  // UTC
    };
    const Entry entries[] = {
        {"DSC_0412.JPG", 6246000, "2024-06-12T09:41:07"},  {"DSC_0413.JPG", 5939000, "2024-06-12T09:42:10"},
        {"DSC_0431.JPG", 6553000, "2024-06-13T10:12:00"},  {"IMG_4187.jpeg", 3379000, "2024-06-13T21:08:00"},
        {"Hotel booking.PDF", 112000, "2024-06-03T12:40:00"}, {"notes (2024).txt", 640, "2024-06-14T08:00:00"},
        {"Videos/MOV_0031.MOV", 15155200, "2024-06-13T11:02:00"},
    };
    for (const Entry& e : entries) {
        const QString path = kFolder + '/' + QString::fromUtf8(e.name);
        QFile f(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !f.open(QIODevice::WriteOnly) || !f.resize(e.size)) return false;
        const QDateTime modified = QDateTime::fromString(QString::fromUtf8(e.modified) + 'Z', Qt::ISODate);
        if (!f.setFileTime(modified, QFileDevice::FileModificationTime))
            return false;
    }
    return true;
}

// The journal of a run of the rows' proposals as if it had been applied,
// named for a fixed time: the question names the run by it.
bool WriteRunJournal(const Workspace& ws, const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    JournalWriter journal;
    const std::u16string path = (folder + QStringLiteral("/20240615T093000.000000000Z-00000000.journal")).toStdU16String();
    if (!journal.create(path, JournalKind::Rename)) return false;
    for (int r = 0; r < ws.list.size(); ++r)
        journal.step(LookUpEntryId(ws.list.fullPath(r)), false, ws.list.fullPath(r),
                     ws.list.newFolder(r) + u"/" + std::u16string(ws.list.newName(r)));
    if (!journal.seal()) return false;
    for (int r = 0; r < ws.list.size(); ++r) journal.done(r);
    return static_cast<bool>(journal.end());
}

QuirnelPreset Preset(std::u16string name, std::vector<PresetTask> tasks) {
    QuirnelPreset p;
    p.Name = std::move(name);
    p.Tasks = std::move(tasks);
    return p;
}

// The log's lines start with the time of day; it is the only thing that
// differs from one run to the next, so it is written as one fixed time.
void FixLogTimes(QPlainTextEdit* log) {
    static const QRegularExpression stamp(QStringLiteral("^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\]"));
    for (QTextCursor at = log->document()->find(stamp); !at.isNull(); at = log->document()->find(stamp, at))
        at.insertText(QStringLiteral("[2024-06-15 10:00:00]"));
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
}

bool Save(QWidget* widget, const QString& file) {
    if (widget->grab().save(file)) return true;
    std::fprintf(stderr, "could not write %s\n", file.toLocal8Bit().constData());
    return false;
}

// Runs a menu command of the window and draws the dialog it opens once it
// has settled, then closes it as Esc would.
bool GrabDialog(ShotWindow& window, int command, const QString& file) {
    bool saved = false, opened = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || opened) return;
        opened = true;
        QTimer::singleShot(300, dialog, [&, dialog] {
            saved = Save(dialog, file);
            dialog->close();
        });
    });
    poll.start();
    window.runCommand(command);
    if (!opened) std::fprintf(stderr, "menu command %d opened no dialog\n", command);
    return saved;
}

int DrawLanguage(int argc, char** argv, const QString& outDir, const std::u16string& language) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quirnel"));
    qt.styleHints()->setCursorFlashTime(0);  // a blinking text cursor would be caught on or off
    AppState app;
    if (StartUp(app, u"", ConfigurationFile::MayBeMissing, [&](AppState& a) {
            a.settings.UILanguage = language;
            a.settings.LoadType = 1;   // a folder adds the files in it
            a.settings.UseThread = 0;  // the run is over when the command returns
            a.settings.IconType = 1;
            // Every column but Created, which shows when the fixture was made.
            a.settings.ShowColumnFlag = 0xFF & ~(1 << ColCreated);
            return true;
        }) != StartUpResult::Ready)
        return 1;
    // The toolkit's own buttons in the same language, as the program loads them.
    QTranslator toolkitTexts;
    if (CurrentUiLanguage() == UiLanguage::Korean &&
        toolkitTexts.load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitTexts);
    app.presets[0] = Preset(u"Trip photos", {{CmdReplace, sub::ReplaceString, u"DSC_", u"Lisbon "},
                                             {CmdReplaceExt, sub::ToLower, u"", u""},
                                             {CmdAddPrefix, sub::AddModifiedDate, u"%Y-%m-%d ", u""},
                                             {CmdChangeFolder, sub::FolderFromExtension, u"", u""}});
    app.presets[1] = Preset(u"Numbered", {{CmdAddNumbers, sub::NumberHeadInOrder, u"3", u"1"}});

    app.flags.journal.folder = (kRoot + QStringLiteral("/journal")).toStdU16String();
    ShotWindow window(app);
    window.resize(1100, 650);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    window.dropPaths({kFolder.toStdU16String()});
    window.runCommand(menu::ApplyPreset1);
    window.listView()->setCurrentIndex({});  // no focus frame on a row
    // The rows' tints come from a look-up off the window's thread.
    for (int waited = 0; window.rowStatusesPending() && waited < 5000; waited += 20) QTest::qWait(20);
    QTest::qWait(100);
    FixLogTimes(window.logPane());
    QTest::qWait(50);

    const QString suffix = '-' + QString::fromStdU16String(language) + QStringLiteral(".png");
    bool ok = Save(&window, outDir + QStringLiteral("/main-window") + suffix);
    ok = GrabDialog(window, menu::Replace, outDir + QStringLiteral("/replace-dialog") + suffix) && ok;
    window.listView()->selectAll();  // the editor previews the selected rows
    ok = GrabDialog(window, menu::PresetSettings, outDir + QStringLiteral("/preset-editor") + suffix) && ok;
    ok = GrabDialog(window, menu::SortList, outDir + QStringLiteral("/sort-dialog") + suffix) && ok;
    window.drawnQuestion = Question::RevertRun;
    ok = WriteRunJournal(window.workspace(), kRoot + QStringLiteral("/journal")) &&
         GrabDialog(window, menu::RevertLastApply, outDir + QStringLiteral("/revert-question") + suffix) && ok;
    return ok && !window.failed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "english" && std::string(argv[2]) != "korean")) {
        std::fprintf(stderr, "usage: %s OUTDIR [english|korean]\n", argv[0]);
        return 2;
    }
    const QString outDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (argc == 2) {
        QCoreApplication self(argc, argv);
        const QString program = QCoreApplication::applicationFilePath();
        for (const char* language : {"english", "korean"})
            if (QProcess::execute(program, {outDir, QString::fromLatin1(language)}) != 0) return 1;
        return 0;
    }
    if (QFileInfo::exists(kRoot)) {
        std::fprintf(stderr, "%s exists already; move it away first\n", kRoot.toLocal8Bit().constData());
        return 1;
    }
    // Times in the list are shown in UTC, on the offscreen platform.
    qputenv("TZ", "UTC");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QDir().mkpath(outDir) || !MakeFixture()) {
        std::fprintf(stderr, "could not make %s or %s\n", outDir.toLocal8Bit().constData(),
                     kFolder.toLocal8Bit().constData());
        QDir(kRoot).removeRecursively();
        return 1;
    }
    const int status = DrawLanguage(argc, argv, outDir, QString::fromLocal8Bit(argv[2]).toStdU16String());
    QDir(kRoot).removeRecursively();
    return status;
}
