#pragma once

#include <QLineEdit>
#include <QStringList>
#include <QTest>

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
