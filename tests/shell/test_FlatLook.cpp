#include <QAction>
#include <QApplication>
#include <QTest>

#include "flatpaint/FlatPainterManager.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "shell/TfrmMain.h"
#include "tests/support/qt/TempRegistry.h"

extern "C" int ChangeUI();

using namespace tavik;

// "Interfejs" 1 is the flat look, anything else the standard one: read at start, after the
// configuration dialog was accepted, and by the library's ChangeUI.
class FlatLookTest : public QObject {
    Q_OBJECT

    std::optional<test::TempRegistry> registry_;
    int nextInterface_ = 0;  // what the stand-in dialog writes
    bool accept_ = true;

    static void setInterface(int value) {
        QVERIFY(platform::Registry()
                    .openKey(Settings::kKeyPath, true)
                    ->writeInteger("Interfejs", value));
    }
    std::unique_ptr<TfrmMain> frame() {
        FrameEnvironment e;
        e.libraryPath = QStringLiteral("/brak/libmorvel.so");
        e.showKonfig = [this](QWidget*) {
            setInterface(nextInterface_);
            return accept_;
        };
        return std::make_unique<TfrmMain>(e);
    }

private slots:
    void init() {
        registry_.emplace();
        flatpaint::applyFlatLook(false);
    }

    void atStart() {
        const struct {
            const char* name;  // the configured undertaking; none: the dialog opens instead
            int interface;
            bool flat;
        } cases[] = {{"TU JASKÓŁKA SA", 1, true},
                     {"TU JASKÓŁKA SA", 0, false},
                     {"TU JASKÓŁKA SA", 2, false},
                     {nullptr, 1, false}};
        for (const auto& c : cases) {
            init();
            setInterface(c.interface);
            if (c.name)
                QVERIFY(platform::Registry()
                            .openKey(Settings::kKeyPath, true)
                            ->writeString("Nazwa ZU", c.name));
            accept_ = false;
            const auto window = frame();
            QCOMPARE(flatpaint::flatLookOn(), c.flat);
        }
    }

    void afterTheDialog() {
        QVERIFY(
            platform::Registry().openKey(Settings::kKeyPath, true)->writeString("Nazwa ZU", "TU"));
        const auto window = frame();
        QAction* konfig = window->findChild<QAction*>(QStringLiteral("ShowKonfig"));
        const struct {
            int interface;
            bool accepted, flat;
        } steps[] = {{1, true, true}, {0, false, true}, {0, true, false}, {1, false, false}};
        for (const auto& step : steps) {
            nextInterface_ = step.interface;
            accept_ = step.accepted;
            konfig->trigger();
            QCOMPARE(flatpaint::flatLookOn(), step.flat);
        }
    }

    void changeUiFollowsTheSetting() {
        for (const auto& [interface, flat] : {std::pair{1, true}, std::pair{0, false}}) {
            setInterface(interface);
            QCOMPARE(ChangeUI(), 1);
            QCOMPARE(flatpaint::flatLookOn(), flat);
        }
    }
};

QTEST_MAIN(FlatLookTest)
#include "test_FlatLook.moc"
