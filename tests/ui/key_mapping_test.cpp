#include <QKeyEvent>
#include <QTest>

#include "app/VirtualKeys.h"
#include "ui/KeyMapping.h"

using namespace quirnel;

class KeyMappingTest : public QObject {
    Q_OBJECT
private slots:
    void keysMapToStoredCodes_data();
    void keysMapToStoredCodes();
    void codesMapBackToKeys();
};

void KeyMappingTest::keysMapToStoredCodes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("xkb");
    QTest::addColumn<int>("code");
    QTest::newRow("letter") << int(Qt::Key_S) << int(Qt::ControlModifier) << "\x13" << 0 << 83;
    QTest::newRow("digit") << int(Qt::Key_1) << int(Qt::ControlModifier) << "1" << 0 << 49;
    QTest::newRow("shifted digit") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << "!" << 0 << 49;
    QTest::newRow("F5") << int(Qt::Key_F5) << 0 << "" << 0 << 116;
    QTest::newRow("F12") << int(Qt::Key_F12) << 0 << "" << 0 << 123;
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << "" << 0 << 46;
    QTest::newRow("home") << int(Qt::Key_Home) << 0 << "" << 0 << 36;
    QTest::newRow("numpad 3") << int(Qt::Key_3) << int(Qt::KeypadModifier) << "3" << 0 << 99;
    QTest::newRow("numpad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << "+" << 0 << 107;
    QTest::newRow("comma") << int(Qt::Key_Comma) << 0 << "," << 0 << 188;
    QTest::newRow("shifted comma") << int(Qt::Key_Less) << int(Qt::ShiftModifier) << "<" << 0 << 188;
    QTest::newRow("bracket") << int(Qt::Key_BracketLeft) << 0 << "[" << 0 << 219;
    QTest::newRow("no code") << int(Qt::Key_VolumeUp) << 0 << "" << 0 << 0;
    QTest::newRow("shift tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "" << 0 << 9;
    // The digit row by its place: the AZERTY 1 key types '&', its 0 key 'à'.
    QTest::newRow("azerty ctrl 1") << int(Qt::Key_Ampersand) << int(Qt::ControlModifier) << "&" << 10 << 49;
    QTest::newRow("azerty ctrl 0") << int(Qt::Key_Agrave) << int(Qt::ControlModifier) << "à" << 19 << 48;
    QTest::newRow("azerty shift 9") << int(Qt::Key_9) << int(Qt::ShiftModifier) << "9" << 18 << 57;
    QTest::newRow("keypad keeps its codes") << int(Qt::Key_1) << int(Qt::KeypadModifier) << "1" << 87 << 97;
    QTest::newRow("letters by what they type") << int(Qt::Key_A) << int(Qt::ControlModifier) << "a" << 24 << 65;
}

void KeyMappingTest::keysMapToStoredCodes() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, xkb);
    QFETCH(int, code);
    QCOMPARE(VirtualKeyOf(key, Qt::KeyboardModifiers(modifiers), text.isEmpty() ? u'\0' : text.at(0).unicode(), xkb),
             code);
    if (xkb == 0) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(VirtualKeyOf(event), code);
    }
}

void KeyMappingTest::codesMapBackToKeys() {
    for (int32_t code : {65, 90, 48, 57, 112, 123, 46, 36, 188, 219, 222}) {
        int key = QtKeyOf(code);
        QVERIFY2(key != Qt::Key_unknown, qPrintable(QString::number(code)));
        QCOMPARE(VirtualKeyOf(key, Qt::NoModifier, u'\0'), code);
    }
    QCOMPARE(QtKeyOf(255), int(Qt::Key_unknown));
}

QTEST_MAIN(KeyMappingTest)
#include "key_mapping_test.moc"
