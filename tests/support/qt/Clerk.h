#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/support/qt/ScriptedPrompts.h"

namespace tavik::test {

// What a clerk does and sees in the windows: keys typed, message boxes read.

// Types a text key by key where the cursor stands, Polish letters included (which keyClicks
// cannot type).
inline void type(QWidget* control, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
// Types over an edit's text: the old text selected and deleted first.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->setCursorPosition(0);
    type(edit, text);
}

// Runs `inside` in the modal window of the class that the next command opens, once it is up. No
// such window fails, as does one that `inside` left open; either is closed, so that nothing hangs.
template <class Window>
void inModal(const std::function<void(Window&)>& inside) {
    QTimer::singleShot(0, [inside] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* window = qobject_cast<Window*>(modal);
        if (!window) {
            if (modal) modal->close();
            QFAIL(qPrintable(
                QStringLiteral("no %1 opened").arg(Window::staticMetaObject.className())));
        }
        inside(*window);
        if (window->isVisible()) {
            window->close();
            QFAIL("the window stayed open");
        }
    });
}

// A message box in one line, so that its caption, icon, buttons and text are compared at once:
// "Błąd [Error]: text", or "Ostrzeżenie [Warning YesNo]: text" when it asks.
inline QString box(const ScriptedPrompts::Shown& s) {
    static const char* const icons[] = {"None", "Information", "Warning", "Error", "Question"};
    static const char* const buttons[] = {"", " OkCancel", " YesNo", " YesNoCancel"};
    return QStringLiteral("%1 [%2%3]: %4")
        .arg(s.caption, QLatin1String(icons[int(s.icon)]), QLatin1String(buttons[int(s.buttons)]),
             s.text);
}
inline QString lastBox(const ScriptedPrompts& prompts) {
    return prompts.shown.isEmpty() ? QStringLiteral("(none)") : box(prompts.last());
}
// Every message box shown, in order.
inline QStringList boxes(const ScriptedPrompts& prompts) {
    QStringList out;
    for (const auto& s : prompts.shown)
        if (s.kind == ScriptedPrompts::Kind::Message) out << box(s);
    return out;
}

}  // namespace tavik::test
