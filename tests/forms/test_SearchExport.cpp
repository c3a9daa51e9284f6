#include <QMdiSubWindow>
#include <QTest>
#include <QTreeView>

#include "forms/TfrmData.h"
#include "tests/support/qt/LibraryFixture.h"

extern "C" int SearchRecords(const char* textUtf8, int wholeContent, long long* position);

using namespace tavik;

namespace {

// Three applications numbered "1/2026" to "3/2026", each with an agent, its four groups, a board
// member and two employees (nine nodes below it: the applications stand at 1, 10 and 19 in tree
// order); nothing else holds "/2026".
const samples::SampleShape kThree{.applications = 3,
                                  .boardMembers = 1,
                                  .employees = 2,
                                  .powersOfAttorney = 0,
                                  .policies = 0,
                                  .deletions = false};

// What a window shows selected: an application by its number, another node by its kind.
QString shown(const RecordTreeWindow& window) {
    const TreeNode* node = window.selectedNode();
    if (!node) return QStringLiteral("-");
    if (node->hasRecord() && node->kind() == KIND_WNIOSEK)
        return test::text(static_cast<const TRecWniosek*>(node->record())->NumerWniosku);
    return QStringLiteral("kind %1").arg(node->kind());
}

}  // namespace

class TestSearchExport : public QObject {
    Q_OBJECT

    long long position_ = 0;

    // One call: what it returned, the position after it and what the window shows selected.
    QString run(const RecordTreeWindow& window, const char* text, int wholeContent) {
        const int found = SearchRecords(text, wholeContent, &position_);
        return QStringLiteral("%1 %2 %3").arg(found).arg(position_).arg(shown(window));
    }

private slots:
    void init() { position_ = 0; }

    void steppingWrapsAndTheWholeContentStartsAtTheTop() {
        test::LibraryFixture library;
        TfrmData* window = library.openDocument(library.sampleFile(3, kThree));
        QVERIFY(window);
        const std::tuple<const char*, int, const char*> calls[] = {
            {"/2026", 0, "1 1 1/2026"},
            {"/2026", 0, "1 10 2/2026"},
            {"/2026", 1, "1 10 1/2026"},  // from the top; the step goes on where it was
            {"/2026", 0, "1 19 3/2026"},
            {"/2026", 0, "0 0 3/2026"},  // past the last: nothing, and the next from the top
            {"/2026", 0, "1 1 1/2026"},
            {" 2/2026 ", 1, "1 1 2/2026"},
            {"\xD0\x96", 1, "0 1 2/2026"},  // a text the code page cannot write
            {"\xD0\x96", 0, "0 1 2/2026"},
            {"   ", 0, "1 2 kind 2"},  // the empty text is in every record with a field
            {"brak", 1, "0 2 kind 2"},
            {"brak", 0, "0 0 kind 2"},
        };
        for (const auto& [text, whole, wanted] : calls)
            QCOMPARE(run(*window, text, whole), QString::fromLatin1(wanted));
    }

    // The frame keeps one position for the program: a document opened later steps on from it.
    void thePositionCarriesToAnotherDocument() {
        test::LibraryFixture library;
        TfrmData* first = library.openDocument(library.sampleFile(3, kThree));
        QCOMPARE(run(*first, "/2026", 0), "1 1 1/2026");
        QCOMPARE(run(*first, "/2026", 0), "1 10 2/2026");
        TfrmData* second = library.openDocument(library.sampleFile(3, kThree, "drugi.rpa"));
        QVERIFY(second && second != first);
        QCOMPARE(run(*second, "/2026", 0), "1 19 3/2026");
        QCOMPARE(shown(*first), "2/2026");
    }

    void nothingToSearchIn() {
        test::LibraryFixture library;
        position_ = 7;
        QCOMPARE(SearchRecords("/2026", 0, &position_), 0);
        QCOMPARE(SearchRecords("/2026", 1, &position_), 0);

        // A window without a selected node does not step; the whole content is searched.
        TfrmData* window = library.openDocument(library.sampleFile(3, kThree));
        window->findChild<QTreeView*>()->setCurrentIndex(QModelIndex());
        QCOMPARE(run(*window, "/2026", 0), "0 7 -");
        QCOMPARE(run(*window, "/2026", 1), "1 7 1/2026");

        // Another kind of window active.
        QMdiSubWindow* other = library.host.area->addSubWindow(new QWidget);
        other->show();
        library.host.area->setActiveSubWindow(other);
        QCOMPARE(run(*window, "/2026", 1), "0 7 1/2026");
        QCOMPARE(run(*window, "/2026", 0), "0 7 1/2026");
        delete other;
    }
};

QTEST_MAIN(TestSearchExport)
#include "test_SearchExport.moc"
