#include <QAbstractItemModelTester>
#include <QFont>
#include <QTest>

#include "forms/DocumentTreeModel.h"
#include "interchange/ReadOdp3.h"
#include "tests/support/TreeBuilder.h"
#include "tools/samples/SampleResponses.h"

using namespace tavik;

// The model of the document tree checked by Qt's own model tester through every kind of change
// the tree makes: inserts at sorted rows, renaming and sorting, marks, removals and resets.
class TestDocumentTreeModel : public QObject {
    Q_OBJECT
private slots:
    void followsEveryChangeOfTheTree();
    void textsColoursAndMarks();
    void followsTheTreeOfAResponse();
};

void TestDocumentTreeModel::followsEveryChangeOfTheTree() {
    test::TreeBuilder b;
    DocumentTreeModel model(b.tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // A persistent index must follow its node through the reorders.
    TreeNode* second = b.application("B");
    QPersistentModelIndex kept(model.indexOf(second));
    b.application("C");
    TreeNode* first = b.application("A");
    QCOMPARE(kept.row(), 1);
    TreeNode* agent = b.agent(first, "AGENT");
    b.person(agent, KIND_PRACOWNIK, "NOWAK");
    b.person(agent, KIND_PRACOWNIK, "ADAMSKI");
    b.power(agent);
    b.policy(agent, "OC/1");
    QCOMPARE(model.rowCount(model.indexOf(agent)), 4);

    static_cast<TRecWniosek*>(second->record())->NumerWniosku = "Z";
    b.tree.renewText(second);
    QCOMPARE(kept.row(), 2);
    QCOMPARE(model.node(kept), second);
    b.tree.sortRecords(DocumentTree::SortOrder::Descending);
    b.tree.sortByText();
    QCOMPARE(model.node(kept), second);

    b.tree.toggleStrike(agent);
    b.tree.removeBelow(agent);
    QCOMPARE(model.rowCount(model.indexOf(agent)), 0);
    b.tree.addCategories(agent);
    QCOMPARE(model.rowCount(model.indexOf(agent)), 4);
    b.tree.importRecords({});
    b.tree.clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!kept.isValid());
}

void TestDocumentTreeModel::textsColoursAndMarks() {
    test::TreeBuilder b;
    DocumentTreeModel model(b.tree);
    TreeNode* update = b.application("A", "AKTUALIZACJA");
    TreeNode* agent = b.agent(update, "AGENT");
    const QModelIndex root = model.index(0, 0);
    QCOMPARE(model.data(root).toString(), QStringLiteral("JASKÓŁKA"));
    const QModelIndex application = model.index(0, 0, root);
    QCOMPARE(model.node(application), update);
    QCOMPARE(model.data(application, Qt::ForegroundRole).value<QBrush>().color(),
             QColor(0, 0, 128));
    QVERIFY(!model.data(application, Qt::DecorationRole).isNull());
    QVERIFY(model.data(root, Qt::DecorationRole).isNull());  // the undertaking has no picture
    const QModelIndex agentIndex = model.indexOf(agent);
    QCOMPARE(model.data(model.index(2, 0, agentIndex)).toString(),
             QStringLiteral("Pełnomocnictwa"));
    QVERIFY(!model.data(agentIndex, DocumentTreeModel::StruckRole).toBool());
    b.tree.toggleStrike(agent);
    QVERIFY(model.data(agentIndex, DocumentTreeModel::StruckRole).toBool());
    QVERIFY(model.data(application, Qt::FontRole).value<QFont>().strikeOut());
}

QTEST_MAIN(TestDocumentTreeModel)
void TestDocumentTreeModel::followsTheTreeOfAResponse() {
    test::TreeBuilder b;
    DocumentTreeModel model(b.tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ReadOdp3 reader(samples::sampleResponseCode());
    reader.Czytaj(samples::sampleResponseText(3, {.agents = 3}, 4));
    QVERIFY(b.tree.buildFromResponse("/x/odp.coa", reader.TakeRecords()).empty());
    const QModelIndex root = model.index(0, 0);
    QCOMPARE(model.data(root).toString(), QStringLiteral("/x/odp.coa"));
    QCOMPARE(model.rowCount(root), 3);
    const QModelIndex response = model.index(0, 0, root);
    QVERIFY(model.data(response).toString().startsWith(QStringLiteral("Odpowiedź-")));
    QCOMPARE(model.rowCount(model.index(0, 0, response)), 4);  // the agent's categories
}

#include "test_DocumentTreeModel.moc"
