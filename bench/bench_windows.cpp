// The program's start: making and showing the frame until its first paint (the library is
// not loaded at start). The document window at size: opening a 20 000-application file until its
// tree is shown, opening a 100 000-line response file until its tree is shown, importing a 100
// 000-line text file through the import window (its reading and its tree, then taking the records
// into the document, without the modal wait), and selecting a node until its page is shown. Drawn
// offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMdiSubWindow>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchSummary.h"
#include "forms/LibraryState.h"
#include "forms/TfrmData.h"
#include "forms/TfrmImport.h"
#include "forms/TfrmOdpowiedz.h"
#include "interchange/TextExport.h"
#include "shell/TfrmMain.h"
#include "tests/support/qt/LibraryFixture.h"
#include "tools/samples/SampleResponses.h"

extern "C" {
void OpenDocument(tavik::DocumentHost*, const char*, unsigned char);
void ShowForm(tavik::DocumentHost*, void*, unsigned char);
QWidget* GetActiveWnd();
}

namespace {

using namespace tavik;

constexpr int kApplications = 20000;
constexpr std::size_t kLines = 100000;

struct Fixture {
    test::LibraryFixture library;
    QString bigFile;
    QString textFile;
    QString responseFile;

    Fixture() {
        samples::SampleShape shape{kApplications, 3, 5, 2, 2, false};
        bigFile = library.sampleFile(3, shape, QStringLiteral("duzy.rpa"));
        const samples::SampleDocument sample(3, {static_cast<int>(kLines / 10 + 3), 3, 5, 2, 2},
                                             2026);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < sample.records().size() && lines.size() < kLines; ++i)
            if (sample.kinds()[i] != KIND_ZAKLAD)
                lines.push_back(exportLine(*sample.records()[i], sample.kinds()[i], {}));
        textFile = library.folder() + QStringLiteral("/duzy.cia");
        QFile file(textFile);
        file.open(QIODevice::WriteOnly);
        const std::string text = exportText(lines);
        file.write(text.data(), static_cast<qint64>(text.size()));
        // Fourteen lines an answer: the response, its agent and twelve records below it.
        samples::ResponseShape answers;
        answers.agents = static_cast<int>(kLines / 14 + 1);
        answers.deletions = false;
        responseFile = library.folder() + QStringLiteral("/duza.coa");
        QFile response(responseFile);
        response.open(QIODevice::WriteOnly);
        const std::string answerText = samples::sampleResponseText(3, answers, 2026);
        response.write(answerText.data(), static_cast<qint64>(answerText.size()));
        library.host.show();
    }
};

// Made on first use, and destroyed before the application object is.
std::unique_ptr<Fixture> theFixture;

Fixture& fixture() {
    if (!theFixture) theFixture = std::make_unique<Fixture>();
    return *theFixture;
}

void closeAll(Fixture& f) {
    f.library.host.area->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenLargeDocument(benchmark::State& state) {
    Fixture& f = fixture();
    const QByteArray path = f.bigFile.toUtf8();
    for (auto _ : state) {
        OpenDocument(&f.library.host, path.constData(), wsMaximized);
        auto* window = qobject_cast<TfrmData*>(GetActiveWnd());
        if (!window || window->applicationCount() != kApplications) std::abort();
        window->findChild<QTreeView*>(QStringLiteral("TreeView1"))->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        closeAll(f);
        state.ResumeTiming();
    }
}

void BM_OpenLargeResponse(benchmark::State& state) {
    Fixture& f = fixture();
    const QByteArray path = f.responseFile.toUtf8();
    for (auto _ : state) {
        OpenDocument(&f.library.host, path.constData(), wsMaximized);
        auto* window = qobject_cast<TfrmOdpowiedz*>(GetActiveWnd());
        if (!window || window->recordTree().nodeCount() < kLines) std::abort();
        window->findChild<QTreeView*>(QStringLiteral("TreeView1"))->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        closeAll(f);
        state.ResumeTiming();
    }
}

void BM_ImportThroughWindow(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        ShowForm(&f.library.host, nullptr, wsMaximized);
        auto* window = qobject_cast<TfrmData*>(GetActiveWnd());
        state.ResumeTiming();
        {
            TfrmImport dialog({f.textFile}, window);
            window->importRecords(dialog.takeRecords());
        }
        window->findChild<QTreeView*>(QStringLiteral("TreeView1"))->repaint();
        if (window->tree().nodeCount() < kLines) std::abort();
        state.PauseTiming();
        f.library.prompts.answer(platform::PromptAnswer::No);  // imported: closing asks
        closeAll(f);
        state.ResumeTiming();
    }
}

void BM_SelectNodeAndShowPage(benchmark::State& state) {
    Fixture& f = fixture();
    f.library.prompts.clear();
    OpenDocument(&f.library.host, f.bigFile.toUtf8().constData(), wsMaximized);
    auto* window = qobject_cast<TfrmData*>(GetActiveWnd());
    // Between an agent and an employee of an application in the middle of the tree.
    TreeNode* application = window->tree().root()->child(kApplications / 2);
    TreeNode* agent = DocumentTree::agentOf(application);
    TreeNode* employee = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->child(0);
    bool onAgent = false;
    for (auto _ : state) {
        onAgent = !onAgent;
        window->select(onAgent ? agent : employee);
        window->repaint();
    }
    if (!f.library.prompts.messages().isEmpty()) std::abort();  // no warning may interrupt
    closeAll(f);
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void BM_FrameStartUp(benchmark::State& state) {
    fixture();  // a configured user: the frame does not open its configuration
    for (auto _ : state) {
        auto frame = std::make_unique<TfrmMain>();
        PaintCounter counter;
        frame->installEventFilter(&counter);
        frame->show();
        while (counter.paints == 0)
            QCoreApplication::processEvents();
        state.PauseTiming();
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_FrameStartUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenLargeDocument)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_OpenLargeResponse)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ImportThroughWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_SelectNodeAndShowPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on what it cannot do are no figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    BenchSummary collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const auto line = [&](const char* name, const char* text) {
        const auto found = collector.time.find(name);
        if (found != collector.time.end()) std::printf(text, found->second);
    };
    std::printf("\n");
    line("BM_FrameStartUp", "Start-up: the frame made, shown and painted     %6.1f ms\n");
    line("BM_OpenLargeDocument",
         "Opening 20 000 applications until the tree shows %6.0f ms (at most 1500)\n");
    line("BM_OpenLargeResponse",
         "Opening a 100 000-line answer until it shows     %6.0f ms (at most 1000)\n");
    line("BM_ImportThroughWindow",
         "Importing 100 000 lines through the import window %6.0f ms (at most 3000)\n");
    line("BM_SelectNodeAndShowPage",
         "Selecting a node and showing its page             %6.1f ms (at most 20)\n");
    std::fflush(stdout);
    theFixture.reset();
    benchmark::Shutdown();
    return 0;
}
