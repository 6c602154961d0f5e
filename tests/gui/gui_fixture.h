// What every GUI test needs: the Qt host installed, ways to find the widget of a control,
// to type into it, to let the event loop run for a while, to answer message boxes and to
// save pictures of windows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "gui/qt_host.h"
#include "platform/control.h"

namespace dunax::gui::test {

// Saves a picture of w in the build tree for a person to look at; the test checks that it was
// drawn and saved.
inline void shoot(QWidget* w, const std::string& name) {
    ASSERT_NE(w, nullptr) << name;
    QDir().mkpath(DUNAX_GUI_SHOTS_DIR);
    const QPixmap pic = w->grab();
    ASSERT_FALSE(pic.isNull()) << name;
    EXPECT_TRUE(
        pic.save(QString(DUNAX_GUI_SHOTS_DIR) + "/" + QString::fromStdString(name) + ".png"))
        << name;
}

class GuiTest : public ::testing::Test {
  protected:
    template <class W>
    W* widget(const platform::Control& c) {
        return qobject_cast<W*>(host.widgetOf(c));
    }

    // Runs the event loop for ms milliseconds, as the program does between events.
    static void idle(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // Types text into w key by key, as the user does.
    static void type(QWidget* w, const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
    }
    static void key(QWidget* w, int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }

    // Answers every message box that comes up with its default button, keeping its text in
    // messages; also runs on every round, for other windows the test expects.
    void answerMessageBoxes(std::function<void()> also = nullptr) {
        auto* t = new QTimer(&host);
        QObject::connect(t, &QTimer::timeout, [this, also] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && box->isVisible()) {
                    messages.push_back(box->text().toStdString());
                    box->accept();
                }
            }
            if (also) also();
        });
        t->start(20);
    }

    QtHost host;
    std::vector<std::string> messages;  // the texts of the message boxes answered
};

}  // namespace dunax::gui::test
