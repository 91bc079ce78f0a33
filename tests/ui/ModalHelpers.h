#pragma once
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace quirnel::test {

// Acts on the next modal dialog of type T as soon as its event loop runs:
// start it, then call the code that opens the dialog and waits for it.
template <typename T>
void WhenModalOpens(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

// Gives an open file dialog a path and presses OK. A shown dialog leaves its
// name field alone while that field has the focus, so the focus goes first.
inline void AcceptFileDialog(QFileDialog* dialog, const QString& path) {
    if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as OK does
}

// Answers every plain message box while it lives, keeping their texts.
class MessageBoxCatcher {
public:
    MessageBoxCatcher() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer_.start();
    }
    QStringList texts;

private:
    QTimer timer_;
};

// Closes whatever modal window a command opens, keeping its class name.
class ModalCatcher {
public:
    ModalCatcher() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                opened << w->metaObject()->className();
                w->close();
            }
        });
        timer_.start();
    }
    QStringList opened;

private:
    QTimer timer_;
};

}  // namespace quirnel::test
