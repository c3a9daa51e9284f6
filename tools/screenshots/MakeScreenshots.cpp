// Renders the pictures of the README offscreen: the frame with a document open on each of its
// six pages, the list of a document's problems with a marked record, the import window listing
// a spoilt file's lines, a response of the register on its header and agent pages, the search
// window, the About box, the "Plik" menu in both looks and the three pages of the configuration
// dialog. The program's own settings are not touched: the registry is a temporary file.
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

#include "flatpaint/FlatPainterManager.h"
#include "interchange/TextExport.h"
#include "model/Cp1250.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "shell/TAboutBox.h"
#include "shell/TfrmKonfig.h"
#include "shell/TfrmMain.h"
#include "tools/samples/SampleDocuments.h"
#include "tools/samples/SampleResponses.h"

namespace {

using namespace tavik;

// Answers the open dialog with the sample file, every question "Nie" (nothing edited here is
// saved) and every other box with its button.
class FixedPrompts : public platform::Prompts {
public:
    explicit FixedPrompts(QString file) : file(std::move(file)) {}
    platform::PromptAnswer message(QWidget*, const QString& text, const QString&,
                                   platform::PromptIcon, platform::PromptButtons buttons) override {
        std::fprintf(stderr, "komunikat: %s\n", qPrintable(text));
        const bool question = buttons == platform::PromptButtons::YesNo ||
                              buttons == platform::PromptButtons::YesNoCancel;
        return question ? platform::PromptAnswer::No : platform::PromptAnswer::Ok;
    }
    QStringList openFiles(QWidget*, const platform::FileDialogOptions&, bool) override {
        return {file};
    }
    QString saveFile(QWidget*, const platform::FileDialogOptions&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return {}; }

    QString file;  // what the open dialog answers
};

QString utf8(const Field& field) {
    return QString::fromStdString(cp1250::toUtf8(field.view()));
}

void configure(const QString& folder) {
    platform::Registry registry;
    auto key = registry.openKey(Settings::kKeyPath, true);
    const TRecZU undertaking = samples::sampleUndertaking();
    key->writeString(QStringLiteral("Katalog słowników"), QStringLiteral(TAVIK_DICTIONARY_DIR));
    key->writeString(QStringLiteral("Kod ZU"), utf8(undertaking.KodZU));
    key->writeString(QStringLiteral("Nazwa ZU"), utf8(undertaking.NazwaZU));
    key->writeString(
        QStringLiteral("Dział ubezpieczeń"),
        QStringLiteral("POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE"));
    key->writeString(QStringLiteral("Wnioski"), folder);
    key->writeString(QStringLiteral("ODPOWIEDZI"), folder);
    key->writeString(QStringLiteral("MiejsceWystawienia"), QStringLiteral("Kraków"));
    key->writeString(QStringLiteral("OsobaPodpis"), QStringLiteral("ANNA KOWALSKA"));
}

QString written(const QString& path, const std::string& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

QString sampleFile(const QString& folder) {
    samples::SampleShape shape;
    shape.applications = 1;
    return written(folder + QStringLiteral("/wniosek-wpis.rpa"),
                   samples::sampleFileBytes(3, shape, 2026));
}

// An answer of the register about an entry, an update and a deletion.
QString responseFile(const QString& folder) {
    samples::ResponseShape shape;
    shape.agents = 3;
    return written(folder + QStringLiteral("/odpowiedz.coa"),
                   samples::sampleResponseText(3, shape, 2026));
}

// A text file for the import of one application whose records hold a refused line (an unknown
// tag) and two warnings (a PESEL and a NIP whose check digits are one off).
QString spoiltImportFile(const QString& folder) {
    samples::SampleShape shape;
    shape.applications = 1;
    const samples::SampleDocument sample(3, shape, 2027);
    std::vector<std::string> lines;
    int employees = 0;
    for (std::size_t i = 0; i < sample.records().size(); ++i) {
        const RecordKind kind = sample.kinds()[i];
        if (kind == KIND_ZAKLAD) continue;
        if (kind == KIND_PRACOWNIK) {
            auto& employee = static_cast<TRecPracownik&>(*sample.records()[i]);
            std::string digits = employee.PESEL.str();
            if (++employees == 2) digits[10] = static_cast<char>('0' + (digits[10] - '0' + 1) % 10);
            employee.PESEL = digits;
            if (employees == 4) employee.NIP = "123-456-78-90";
        }
        std::string line = exportLine(*sample.records()[i], kind, {});
        if (kind == KIND_PRACOWNIK && employees == 3) line.replace(0, 3, "PRX");
        lines.push_back(std::move(line));
    }
    return written(folder + QStringLiteral("/kadry-grudzien.cia"), exportText(lines));
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The clerk types into a control of the document window and accepts its page.
void acceptWith(QMdiSubWindow* document, const char* control, const QString& text,
                const char* accept) {
    auto* edit = document->findChild<QLineEdit*>(QString::fromLatin1(control));
    edit->setText(text);
    Q_EMIT edit->textEdited(text);
    document->findChild<QAction*>(QString::fromLatin1(accept))->trigger();
    settle();
}

bool save(const QPixmap& picture, const QString& path) {
    const bool ok = picture.save(path);
    std::printf("%s%s\n", qPrintable(path), ok ? "" : ": nie zapisano");
    return ok;
}

bool save(QWidget* widget, const QString& path) {
    settle();
    return save(widget->grab(), path);
}

// A window of its own (a dialog, an open menu) laid over the frame's picture where it stands.
QPixmap withWindowOver(QWidget* frame, QWidget* window) {
    settle();
    QPixmap picture = frame->grab();
    QPainter painter(&picture);
    const QRect place(frame->mapFromGlobal(window->frameGeometry().topLeft()), window->size());
    painter.drawPixmap(place.topLeft(), window->grab());
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(place.adjusted(-1, -1, 0, 0));
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "użycie: tavik-screenshots KATALOG\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    qputenv("TAVIK_REGISTRY", work.filePath(QStringLiteral("registry.json")).toUtf8());
    QApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    configure(work.path());
    FixedPrompts prompts(sampleFile(work.path()));
    platform::Prompts::install(&prompts);
    bool ok = true;

    {
        TfrmKonfig dialog;
        dialog.show();
        for (int page = 0; page < dialog.PageCtrlKonfiguracja->count(); ++page) {
            dialog.PageCtrlKonfiguracja->setCurrentIndex(page);
            ok &= save(&dialog, out + QStringLiteral("/konfiguracja-%1.png").arg(page + 1));
        }
    }

    FrameEnvironment environment = FrameEnvironment::standard();
    environment.libraryPath = QStringLiteral(TAVIK_PROGRAM_DIR "/libmorvel.so");
    TfrmMain frame(environment);
    frame.resize(1180, 820);
    frame.show();
    frame.findChild<QAction*>(QStringLiteral("OpenDoc"))->trigger();
    settle();
    QMdiSubWindow* document = frame.documentArea()->currentSubWindow();
    if (!document) {
        std::fprintf(stderr, "dokument nie został otwarty\n");
        return 1;
    }
    document->showMaximized();
    auto* tree = document->findChild<QTreeView*>(QStringLiteral("TreeView1"));
    QAbstractItemModel* model = tree->model();
    const QModelIndex application = model->index(0, 0, model->index(0, 0));
    const QModelIndex agent = model->index(0, 0, application);
    const struct {
        const char* name;
        QModelIndex node;
    } pages[] = {{"wniosek", application},
                 {"agent", agent},
                 {"zarzad", model->index(0, 0, model->index(0, 0, agent))},
                 {"pracownik", model->index(0, 0, model->index(1, 0, agent))},
                 {"pelnomocnictwo", model->index(0, 0, model->index(2, 0, agent))},
                 {"polisa", model->index(0, 0, model->index(3, 0, agent))}};
    for (const auto& page : pages) {
        tree->setCurrentIndex(page.node);
        ok &=
            save(&frame, out + QStringLiteral("/tavik-%1.png").arg(QString::fromLatin1(page.name)));
    }

    // A typo in an employee's PESEL and a policy that has ended, accepted with their warnings,
    // then the whole document checked: the list docked below, the employee's mark in the tree.
    const QModelIndex spoilt = model->index(0, 0, model->index(1, 0, agent));
    tree->setCurrentIndex(spoilt);
    settle();
    auto* pesel = document->findChild<QLineEdit*>(QStringLiteral("edPeselPR"));
    QString typo = pesel->text();
    typo[10] = QChar('0' + (typo[10].digitValue() + 1) % 10);
    acceptWith(document, "edPeselPR", typo, "AddPracownik");
    tree->setCurrentIndex(model->index(1, 0, model->index(3, 0, agent)));
    settle();
    acceptWith(document, "meWaznyDo",
               QDate::currentDate().addDays(-7).toString(QStringLiteral("dd.MM.yyyy")),
               "AddPolisa");
    frame.findChild<QAction*>(QStringLiteral("CheckDocument"))->trigger();
    tree->setCurrentIndex(spoilt);
    ok &= save(&frame, out + QStringLiteral("/tavik-sprawdz-dokument.png"));
    {
        // The marked node at twice its size, with the nodes around it; not selected, as the
        // selection's colours would cover the mark.
        tree->setCurrentIndex(application);
        settle();
        const QRect node = tree->visualRect(spoilt);
        const QRect around(0, node.top() - 2 * node.height(), 260, 5 * node.height());
        const QPixmap part = tree->viewport()->grab(around);
        ok &= save(part.scaled(part.size() * 2, Qt::KeepAspectRatio, Qt::FastTransformation),
                   out + QStringLiteral("/tavik-znacznik-ostrzezenia.png"));
    }
    frame.findChild<QDockWidget*>(QStringLiteral("ProblemsPanel"))->close();

    // The import window over a spoilt file: every refused line and warning before importing.
    prompts.file = spoiltImportFile(work.path());
    QTimer::singleShot(0, [&] {
        auto* import = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!import) return;
        ok &= save(withWindowOver(&frame, import),
                   out + QStringLiteral("/tavik-import-problemy.png"));
        import->reject();
    });
    frame.findChild<QAction*>(QStringLiteral("Import"))->trigger();
    settle();

    prompts.file = responseFile(work.path());
    frame.findChild<QAction*>(QStringLiteral("OpenDoc"))->trigger();
    settle();
    QMdiSubWindow* response = frame.documentArea()->currentSubWindow();
    if (!response || response == document) {
        std::fprintf(stderr, "odpowiedź nie została otwarta\n");
        return 1;
    }
    response->showMaximized();
    auto* responseTree = response->findChild<QTreeView*>(QStringLiteral("TreeView1"));
    QAbstractItemModel* answers = responseTree->model();
    // The last response answers the deletion: its agent shows the status the register gave.
    const QModelIndex root = answers->index(0, 0);
    const QModelIndex deletion = answers->index(answers->rowCount(root) - 1, 0, root);
    responseTree->setCurrentIndex(deletion);
    ok &= save(&frame, out + QStringLiteral("/tavik-odpowiedz.png"));
    responseTree->setCurrentIndex(answers->index(0, 0, answers->index(0, 0, root)));
    ok &= save(&frame, out + QStringLiteral("/tavik-odpowiedz-agent.png"));

    // The search window over the answer, having found the first employee by a part of his name.
    const QModelIndex firstAgent = answers->index(0, 0, answers->index(0, 0, root));
    const QString employee =
        answers->index(0, 0, answers->index(1, 0, firstAgent)).data().toString();
    QTimer::singleShot(0, [&] {
        auto* search = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!search) return;
        search->findChild<QLineEdit*>(QStringLiteral("edSearchStr"))->setText(employee.left(5));
        search->findChild<QCheckBox*>(QStringLiteral("chkAll"))->setChecked(true);
        search->findChild<QPushButton*>(QStringLiteral("btnSearch"))->click();
        ok &= save(withWindowOver(&frame, search), out + QStringLiteral("/tavik-wyszukiwanie.png"));
        search->reject();
    });
    frame.findChild<QAction*>(QStringLiteral("Search"))->trigger();

    // The About box of the frame, with the figures of the computer it is rendered on.
    auto* about = frame.findChild<TAboutBox*>();
    about->show();
    ok &= save(about, out + QStringLiteral("/tavik-o-programie.png"));
    about->hide();

    // The "Plik" menu open over the document, in the standard look and in the flat one.
    frame.documentArea()->setActiveSubWindow(document);
    auto* menuPlik = frame.findChild<QMenu*>(QStringLiteral("Plik"));
    for (const auto& [flat, name] : {std::pair{false, "klasyczny"}, std::pair{true, "xp"}}) {
        flatpaint::applyFlatLook(flat);
        settle();
        frame.menuBar()->setActiveAction(menuPlik->menuAction());
        menuPlik->setActiveAction(frame.findChild<QAction*>(QStringLiteral("miOtworz")));
        ok &= save(withWindowOver(&frame, menuPlik),
                   out + QStringLiteral("/tavik-menu-%1.png").arg(QString::fromLatin1(name)));
        menuPlik->hide();
    }
    flatpaint::applyFlatLook(false);

    frame.close();
    platform::Prompts::install(nullptr);
    return ok ? 0 : 1;
}
