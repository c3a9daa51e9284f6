#include <QDockWidget>
#include <QTest>

#include "flatpaint/IconLibrary.h"
#include "forms/DocumentTreeModel.h"
#include "forms/PersonPage.h"
#include "forms/ProblemList.h"
#include "forms/ProblemsPanel.h"
#include "forms/TfrmData.h"
#include "interchange/Warnings.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/LibraryFixture.h"

extern "C" void CheckDocument();
extern "C" void SaveToFile();

using namespace tavik;
using test::text;

namespace {

template <class R>
R& record(TreeNode* node) {
    return static_cast<R&>(*node->record());
}

QString wrongCheckDigit(const Field& pesel) {
    return QString::fromStdString(test::wrongLast(pesel.str()));
}

// The day before today, as the pages write dates.
QString yesterday() {
    return QDate::currentDate().addDays(-1).toString(QStringLiteral("dd.MM.yyyy"));
}

QImage picture(const QVariant& decoration) {
    return decoration.value<QIcon>().pixmap(16).toImage();
}

}  // namespace

// A document of one entry application with a warning at its first employee and at its second
// policy, opened in the library's window over a frame.
class TestProblemsPanel : public QObject {
    Q_OBJECT

    std::optional<test::LibraryFixture> lib_;
    TfrmData* window_ = nullptr;
    TreeNode *employee_ = nullptr, *policy_ = nullptr;
    QString pesel_, who_, policyId_;

    TreeNode* category(DocumentTree::Category c) const {
        return DocumentTree::categoryOf(DocumentTree::agentOf(window_->tree().root()->child(0)), c);
    }
    ProblemsPanel* panel() const { return lib_->host.findChild<ProblemsPanel*>(); }

private slots:
    void init() {
        lib_.emplace();
        window_ = lib_->openDocument(lib_->sampleFile(3, 1));
        QVERIFY(window_);
        employee_ = category(DocumentTree::PRACOWNICY)->child(0);
        policy_ = category(DocumentTree::POLISY)->child(1);
        auto& person = record<TRecPracownik>(employee_);
        pesel_ = wrongCheckDigit(person.PESEL);
        person.PESEL = pesel_.toStdString();
        who_ = QStringLiteral("pracownika %1 %2").arg(text(person.Nazwisko), text(person.Imie));
        record<TRecPolisaOC>(policy_).WazneDo = yesterday().toStdString();
        policyId_ = text(record<TRecPolisaOC>(policy_).ID_PolisyOC);
    }
    void cleanup() { lib_.reset(); }

    void recordsWithWarningsAreMarked() {
        const DocumentTreeModel& model = window_->model();
        const QModelIndex employee = model.indexOf(employee_);
        const QModelIndex other = model.indexOf(category(DocumentTree::PRACOWNICY)->child(1));
        const QString warning = "PESEL " + pesel_ + " " + who_ + " ma błędną cyfrę kontrolną";
        QCOMPARE(model.data(employee, DocumentTreeModel::WarningsRole).toStringList(),
                 QStringList{warning});
        QCOMPARE(model.data(employee, Qt::ToolTipRole).toString(),
                 model.data(employee).toString() + "\n" + warning);
        QCOMPARE(picture(model.data(employee, Qt::DecorationRole)),
                 picture(icons::icon(icons::kEmployee | icons::kWarningMarked)));
        QCOMPARE(model.data(other, DocumentTreeModel::WarningsRole).toStringList(), QStringList{});
        QCOMPARE(picture(model.data(other, Qt::DecorationRole)),
                 picture(icons::icon(icons::kEmployee)));
        QVERIFY(picture(icons::icon(icons::kEmployee)) !=
                picture(icons::icon(icons::kEmployee | icons::kWarningMarked)));
    }

    void theListIsDockedInTheFrameAndLeadsToTheRecord() {
        lib_->host.show();
        CheckDocument();
        ProblemsPanel* p = panel();
        QVERIFY(p);
        QCOMPARE(lib_->host.dockWidgetArea(p), Qt::BottomDockWidgetArea);
        QVERIFY(!p->isHidden());
        const QStringList rows = {
            "Ostrzeżenie | 1/2026 | " +
                window_->model().data(window_->model().indexOf(employee_)).toString() +
                " | PESEL " + pesel_ + " " + who_ + " ma błędną cyfrę kontrolną",
            "Ostrzeżenie | 1/2026 | Polisa - " + policyId_ + " | Polisa nr " + policyId_ +
                " wygasła " + yesterday()};
        QCOMPARE(p->list()->rowTexts(), rows);
        QCOMPARE(p->windowTitle(), "Sprawdzenie dokumentu wnioski3.rpa (błędy: 0, ostrzeżenia: 2)");

        // A double click selects the node and shows its page.
        QTreeWidget* list = p->list();
        const QRect row = list->visualItemRect(list->topLevelItem(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(window_->selectedNode(), policy_);
        QCOMPARE(window_->currentPage(), int(PAGE_POLISA));
        p->activate(0);
        QCOMPARE(window_->selectedNode(), employee_);
        QCOMPARE(window_->currentPage(), int(PAGE_PRACOWNIK));

        // Once the tree changes the rows lead nowhere until the list is made again.
        window_->tree().sortByText();
        TreeNode* selected = window_->selectedNode();
        p->activate(1);
        QCOMPARE(window_->selectedNode(), selected);
        QCoreApplication::processEvents();
        QCOMPARE(p->list()->rowTexts(), rows);
        p->activate(1);
        QCOMPARE(window_->selectedNode(), policy_);

        // Checked again, the same panel is shown; it goes with its window.
        CheckDocument();
        QCOMPARE(lib_->host.findChildren<ProblemsPanel*>().size(), 1);
        QPointer<ProblemsPanel> gone = p;
        delete window_->parentWidget();
        QVERIFY(gone.isNull());
    }

    void anAcceptShowsTheWarningsAndTheListFollows() {
        CheckDocument();
        window_->select(category(DocumentTree::PRACOWNICY)->child(1));
        PersonPage* page = window_->pages().pracownik;
        const QString pesel = wrongCheckDigit(record<TRecPracownik>(window_->selectedNode()).PESEL);
        const QString who = "pracownika " + page->nazwisko->text() + " " + page->imie->text();
        test::retype(page->pesel, pesel);
        lib_->prompts.clear();
        test::action(window_, "AddPracownik")->trigger();
        const QString warning = "PESEL " + pesel + " " + who + " ma błędną cyfrę kontrolną";
        QCOMPARE(test::boxes(lib_->prompts),
                 (QStringList{"Informacja [Information]: Rekord pracownika został zmodyfikowany",
                              "Ostrzeżenie [Warning]: " + warning}));
        QCOMPARE(text(record<TRecPracownik>(window_->selectedNode()).PESEL), pesel);
        QTRY_COMPARE(panel()->list()->refusals() + panel()->list()->warnings(), 3);
        QCOMPARE(panel()->list()->rowTexts().at(1).section(" | ", 3), warning);
    }

    void aRefusedSaveListsEveryProblem() {
        record<TRecWniosek>(window_->tree().root()->child(0)).NumerWniosku = "<E>";
        SaveToFile();
        const QString refusal =
            "Walidacja [Error]: Pole NUMERWNIOSKU jest puste\nmaksymalna "
            "długość pola: 20\nPole jest obowiązkowe!";
        // The refusal, the save's, and the selected application's own.
        QCOMPARE(test::boxes(lib_->prompts),
                 (QStringList{refusal, "Komunikat [Error]: Nie można zapisać struktury do pliku!",
                              refusal}));
        QVERIFY(panel() && !panel()->isHidden());
        QCOMPARE(std::pair(panel()->list()->refusals(), panel()->list()->warnings()),
                 std::pair(1, 2));
    }

    void aCleanDocumentSaysSo() {
        window_ = lib_->openDocument(lib_->sampleFile(3, 1, "czysty.rpa"));
        CheckDocument();
        QCOMPARE(panel()->list()->rowTexts(),
                 QStringList{" |  |  | Dokument nie zawiera błędów ani ostrzeżeń."});
        QCOMPARE(panel()->windowTitle(),
                 "Sprawdzenie dokumentu czysty.rpa (błędy: 0, ostrzeżenia: 0)");
    }
};

QTEST_MAIN(TestProblemsPanel)
#include "test_ProblemsPanel.moc"
