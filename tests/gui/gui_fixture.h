// What every GUI test needs: the Qt host installed, ways to find the widget of a control,
// to type into it and to let the event loop run for a while.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "gui/qt_host.h"
#include "platform/control.h"

namespace dunax::gui::test {

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

    QtHost host;
};

}  // namespace dunax::gui::test
