#include "forms/TfrmImport.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "flatpaint/IconLibrary.h"
#include "forms/FieldControls.h"
#include "forms/KindColours.h"
#include "forms/ProblemList.h"
#include "forms/TreeNodeDelegate.h"
#include "interchange/ReadCIA.h"
#include "interchange/Warnings.h"
#include "model/Exception.h"
#include "model/FileStreams.h"
#include "model/TextLines.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"

namespace tavik {

namespace {

constexpr int kRecordIndexRole = Qt::UserRole + 1;

void refuse(const QString& text) {
    throw Exception(text.toStdString());
}

}  // namespace

TfrmImport::TfrmImport(const QStringList& files, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Importowanie danych zewnętrznych"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    tvImport = new QTreeWidget(this);
    tvImport->setObjectName(QStringLiteral("tvImport"));
    tvImport->setHeaderHidden(true);
    tvImport->setUniformRowHeights(true);
    tvImport->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvImport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvImport->setItemDelegate(new TreeNodeDelegate(tvImport));
    tvImport->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* remove = new QAction(icons::icon(icons::kDelete), QStringLiteral("&Usuń"), tvImport);
    remove->setObjectName(QStringLiteral("Usu1"));
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    connect(remove, &QAction::triggered, this, &TfrmImport::Usu1Click);
    tvImport->addAction(remove);

    auto* importButton = new QPushButton(QStringLiteral("Importuj"), this);
    importButton->setObjectName(QStringLiteral("btnImportuj"));
    importButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Anuluj"), this);
    cancelButton->setObjectName(QStringLiteral("btnAnuluj"));
    connect(importButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(importButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    auto* records = new QHBoxLayout;
    records->addWidget(tvImport, 1);
    records->addLayout(buttons);

    lblProblemy = new QLabel(this);
    lblProblemy->setObjectName(QStringLiteral("lblProblemy"));
    lvProblemy = new ProblemList(
        {QStringLiteral("Plik"), QStringLiteral("Linia"), QStringLiteral("Opis")}, this);
    lvProblemy->setObjectName(QStringLiteral("lvProblemy"));
    lblProblemy->setBuddy(lvProblemy);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(records, 3);
    layout->addWidget(lblProblemy);
    layout->addWidget(lvProblemy, 2);

    read(files);
    const bool problems = lvProblemy->topLevelItemCount() > 0;
    lvProblemy->fitColumns();
    lblProblemy->setVisible(problems);
    lvProblemy->setVisible(problems);
    lblProblemy->setText(QStringLiteral("Błędy i ostrzeżenia plików (%1). Nic nie zostało "
                                        "jeszcze zaimportowane.")
                             .arg(lvProblemy->counts()));
    setFixedSize(problems ? QSize(720, 600) : QSize(560, 420));
}

TfrmImport::~TfrmImport() = default;

void TfrmImport::read(const QStringList& files) {
    const Settings settings;
    std::unique_ptr<ReadCIA> reader;
    std::shared_ptr<const Slownik> dictionary;
    try {
        dictionary = readDictionaryFile(settings.dictionaryPath().toStdString()).dictionary;
        reader = std::make_unique<ReadCIA>(*dictionary, forms::cp1250Of(settings.UndertakingCode()),
                                           forms::cp1250Of(settings.InsuranceDivision()));
        for (const QString& file : files) {
            std::string text, reason;
            if (!readWholeFile(file.toStdString(), text, &reason))
                refuse(QStringLiteral("Nie można otworzyć pliku ") + file + QStringLiteral(": ") +
                       QString::fromStdString(reason) + QStringLiteral("."));
            reader->DodajPlik(file.toStdString(), splitLines(text));
        }
        reader->CzytajWszystko();
    } catch (const Exception& e) {
        platform::showMessage(this, QString::fromStdString(e.message()), QStringLiteral("Błąd"),
                              platform::PromptIcon::Error);
    }
    if (!reader) return;
    listProblems(*reader, *dictionary);
    tvImport->setUpdatesEnabled(false);
    for (std::size_t i = 0; i < reader->files().size(); ++i) {
        std::vector<ReadRecord> records = reader->TakeRecords(i);
        if (!records.empty())
            build(QString::fromStdString(reader->files()[i].name), std::move(records));
    }
    tvImport->setUpdatesEnabled(true);
    tvImport->expandToDepth(1);
}

void TfrmImport::listProblems(const ReadCIA& files, const Slownik& dictionary) {
    const Settings settings;
    const CalendarDate today = localToday();
    for (const ReadCIA::File& file : files.files()) {
        // A reader of its own for each file: the listing reads past the refused lines.
        ReadCIA reader(dictionary, forms::cp1250Of(settings.UndertakingCode()),
                       forms::cp1250Of(settings.InsuranceDivision()));
        const QString name = QFileInfo(QString::fromStdString(file.name)).fileName();
        for (const LineFinding& f : lineFindingsOf(reader, file.lines, today))
            lvProblemy->addProblem(f.refusal,
                                   {name, QString::number(f.line), QString::fromStdString(f.text)});
    }
}

void TfrmImport::build(const QString& fileName, std::vector<ReadRecord> records) {
    auto* file = new QTreeWidgetItem(tvImport, {QStringLiteral("Plik - ") + fileName});
    file->setIcon(0, icons::icon(icons::kTextFile));
    QTreeWidgetItem* application = nullptr;
    QTreeWidgetItem* agentItem = nullptr;
    TRecAgenta* agent = nullptr;
    int powers = 0;
    for (ReadRecord& entry : records) {
        TRecord* record = entry.record.get();
        QString text;
        int icon = 0;
        QTreeWidgetItem* parent = agentItem ? agentItem : (application ? application : file);
        switch (entry.kind) {
            case KIND_WNIOSEK:
                text = forms::qt(static_cast<TRecWniosek*>(record)->NumerWniosku.view());
                icon = icons::kApplication;
                parent = file;
                break;
            case KIND_AGENT:
                agent = static_cast<TRecAgenta*>(record);
                text = forms::qt(agent->NazwaAgenta.view());
                icon = icons::kAgent;
                parent = application ? application : file;
                powers = 0;
                break;
            case KIND_ZARZAD:
            case KIND_PRACOWNIK: {
                auto* person = static_cast<TRecOsoba*>(record);
                person->Agent = agent;
                const bool employee = entry.kind == KIND_PRACOWNIK;
                text = forms::qt(
                    (employee && person->Nazwisko.isEmpty() ? person->Numer_w_RA : person->Nazwisko)
                        .view());
                icon = employee ? icons::kEmployee : icons::kPerson;
                break;
            }
            case KIND_PELNOMOCNICTWO:
                static_cast<TRecPelnomocnictwo*>(record)->Agent = agent;
                text = QStringLiteral("Pelnomocnictwo LP - ") + QString::number(++powers);
                icon = icons::kPowerOfAttorney;
                break;
            case KIND_POLISA: {
                auto* policy = static_cast<TRecPolisaOC*>(record);
                policy->Agent = agent;
                text = QStringLiteral("Polisa - ") + forms::qt(policy->ID_PolisyOC.view());
                icon = icons::kPolicy;
                break;
            }
            default: continue;  // an undertaking has no node
        }
        auto* item = new QTreeWidgetItem(parent, {text});
        item->setIcon(0, icons::icon(icon));
        item->setData(0, kRecordIndexRole, static_cast<qulonglong>(records_.size()));
        if (entry.kind == KIND_WNIOSEK) {
            item->setForeground(0, kindColour(static_cast<TRecWniosek*>(record)->RodzajWniosku));
            application = item;
            agentItem = nullptr;
            agent = nullptr;
        } else if (entry.kind == KIND_AGENT) {
            agentItem = item;
        }
        records_.push_back(std::move(entry));
    }
}

void TfrmImport::release(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        release(item->child(i));
    const QVariant index = item->data(0, kRecordIndexRole);
    if (index.isValid()) records_[index.toULongLong()].record.reset();
}

void TfrmImport::Usu1Click() {
    QTreeWidgetItem* item = tvImport->currentItem();
    if (!item) return;
    release(item);
    delete item;
}

std::vector<ReadRecord> TfrmImport::takeRecords() {
    std::vector<ReadRecord> taken;
    for (QTreeWidgetItemIterator it(tvImport); *it; ++it) {
        const QVariant index = (*it)->data(0, kRecordIndexRole);
        if (!index.isValid()) continue;
        ReadRecord& entry = records_[index.toULongLong()];
        if (entry.record) taken.push_back(std::move(entry));
    }
    records_.clear();
    tvImport->clear();
    return taken;
}

}  // namespace tavik
