#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Acts on the next modal dialog once it is open, as its user would; the
// dialog's own loop runs meanwhile, so call this before the command opens it.
template <class Dialog = QDialog>
void OnModalDialog(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}
