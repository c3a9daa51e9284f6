#include <QTest>
#include <new>
#include <stdexcept>

#include "platform/MessageText.h"
#include "platform/Prompts.h"
#include "tests/support/qt/ScriptedPrompts.h"

using namespace tavik::platform;

class MessageTextTest : public QObject {
    Q_OBJECT

private slots:
    void controlCharactersAreEscaped() {
        const std::pair<std::string, std::string> cases[] = {
            {"Plik\nzostał rozdzielony", "Plik\nzostał rozdzielony"},  // the messages' own
            {"WNIOSEK NR: \x1B[31m1", "WNIOSEK NR: \\x1B[31m1"},
            {std::string("A\0B", 3), "A\\x00B"},
            {"a\tb\rc\x7F", "a\\x09b\\x0Dc\\x7F"},
            {"\xC2\x80|\xC2\x81|\xC2\x9B|\xC2\x9F", "\\x80|\\x81|\\x9B|\\x9F"},  // C1
            {"\xC2\xA0ąśżŁ€„”\\", "\xC2\xA0ąśżŁ€„”\\"},  // no-break space, letters, backslash
            {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},    // outside the basic plane
            // Bytes that are not UTF-8, each shown by its value.
            {"\xFF\x80", "\\xFF\\x80"},
            {"\xC0\x80", "\\xC0\\x80"},           // overlong
            {"\xED\xA0\x80", "\\xED\\xA0\\x80"},  // a surrogate
            {"x\xC4", "x\\xC4"},                  // cut short
            {"\xC4\x85\xC4", "ą\\xC4"},
        };
        for (const auto& [given, shown] : cases) {
            QCOMPARE(showableText(given), shown);
            // A QString holds valid text only: the same for those.
            if (QString::fromStdString(given).toStdString() == given)
                QCOMPARE(showableText(QString::fromStdString(given)).toStdString(), shown);
        }
        const QString clean = QStringLiteral("Bez zmian: ąę\n");
        QCOMPARE(showableText(clean), clean);
        QCOMPARE(showableText(QString(QChar(0x85)) + QChar(0x1B)), QStringLiteral("\\x85\\x1B"));
    }

    void unexpectedFailures() {
        const auto text = [](auto thrown) {
            try {
                throw thrown;
            } catch (...) {
                return unexpectedFailureText();
            }
        };
        QCOMPARE(text(std::runtime_error("awaria dysku")),
                 std::string("Nieoczekiwany błąd: awaria dysku"));
        QCOMPARE(text(std::bad_alloc()), std::string("Brak pamięci do wykonania polecenia."));
        QCOMPARE(text(42), std::string("Nieoczekiwany błąd nieznanego rodzaju."));
    }

    // Every box goes through showMessage or ask: what the box gets is escaped.
    void boxesShowEscapedText() {
        tavik::test::ScriptedPrompts prompts;
        showMessage(nullptr, QStringLiteral("Błąd w pliku\nNR: ") + QChar(0x1B) + "[2J",
                    QStringLiteral("Błąd"), PromptIcon::Error);
        ask(nullptr, QStringLiteral("Plik a") + QChar(0x9B) + "b.rpa już istnieje.",
            QStringLiteral("Komunikat\t"), PromptIcon::Warning, PromptButtons::YesNo);
        QCOMPARE(prompts.messages(),
                 (QStringList{QStringLiteral("Błąd w pliku\nNR: \\x1B[2J"),
                              QStringLiteral("Plik a\\x9Bb.rpa już istnieje.")}));
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts.shown[1].caption, QStringLiteral("Komunikat\\x09"));
    }
};

QTEST_GUILESS_MAIN(MessageTextTest)
#include "test_MessageText.moc"
