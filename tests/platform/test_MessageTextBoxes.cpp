#include <QTest>

#include "platform/MessageText.h"
#include "platform/Prompts.h"
#include "tests/support/qt/ScriptedPrompts.h"

using namespace tavik::platform;

class MessageTextTest : public QObject {
    Q_OBJECT

private slots:
    // Every box goes through showMessage or ask: what the box gets is escaped.
    void boxesShowEscapedText() {
        const QString clean = QStringLiteral("Bez zmian: ąę\n\\");
        QCOMPARE(showableText(clean), clean);
        tavik::test::ScriptedPrompts prompts;
        showMessage(nullptr, QStringLiteral("Błąd w pliku\nNR: ") + QChar(0x1B) + "[2J",
                    QStringLiteral("Błąd"), PromptIcon::Error);
        ask(nullptr, QStringLiteral("Plik a") + QChar(0x9B) + "b" + QChar(0x7F) + ".rpa",
            QStringLiteral("Komunikat\t"), PromptIcon::Warning, PromptButtons::YesNo);
        QCOMPARE(prompts.messages(), (QStringList{QStringLiteral("Błąd w pliku\nNR: \\x1B[2J"),
                                                  QStringLiteral("Plik a\\x9Bb\\x7F.rpa")}));
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts.shown[1].caption, QStringLiteral("Komunikat\\x09"));
    }
};

QTEST_GUILESS_MAIN(MessageTextTest)
#include "test_MessageTextBoxes.moc"
