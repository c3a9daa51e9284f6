#include "cli/CliCommands.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/PdfOutput.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "dictionary/SlownikZU.h"
#include "dictionary/SlownikZU3.h"
#include "document/DocumentFile.h"
#include "document/PrintJob.h"
#include "interchange/ReadCIA.h"
#include "interchange/ReadOdp3.h"
#include "interchange/Warnings.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/FileStreams.h"
#include "model/MessageText.h"
#include "model/TextLines.h"
#include "model/TextValues.h"
#include "platform/ProgramVersion.h"
#include "platform/Settings.h"

namespace tavik::cli {

namespace {

constexpr const char* kUsage =
    "użycie:\n"
    "  tavik-cli check [--kod KOD] [--nazwa NAZWA] [--wszystko] PLIK.rpa\n"
    "  tavik-cli check [--slownik SLOWNIK] [--kod KOD] [--dzial DZIAL] [--wszystko] PLIK.cia\n"
    "  tavik-cli check [--kod KOD] PLIK.coa\n"
    "  tavik-cli check PLIK.dic\n"
    "  tavik-cli export [--kod KOD] [--nazwa NAZWA] [--slownik SLOWNIK] WE.rpa WY.cia\n"
    "  tavik-cli import [--kod KOD] [--nazwa NAZWA] [--dzial DZIAL] [--slownik SLOWNIK] BAZA "
    "WE.cia …\n"
    "  tavik-cli tree [--kod KOD] [--nazwa NAZWA] PLIK.rpa|PLIK.coa\n"
    "  tavik-cli print [--kod KOD] [--nazwa NAZWA] [--dzial DZIAL] [--miejsce MIEJSCE]\n"
    "                  [--podpis OSOBA] [--szablony KATALOG] [--wniosek N] WE.rpa WY.pdf|WY.htm\n"
    "  tavik-cli --version\n"
    "  tavik-cli --help\n"
    "Pominięta opcja przyjmuje wartość z ustawień programu: kod i nazwę zakładu, dział\n"
    "ubezpieczeń oraz słownik z katalogu słowników (export: tylko gdy ten plik istnieje).\n"
    "DZIAL: nazwa działu ubezpieczeń ze słownika albo jego kod (1, 2).\n"
    "--wszystko: każdy błąd i każde ostrzeżenie pliku, wiersz po wierszu, z numerem wniosku\n"
    "(.rpa) albo linii (.cia); kod wyjścia 1, gdy jest choć jeden błąd.\n";

const std::initializer_list<const char*> kOptions = {"kod", "nazwa", "dzial", "slownik"};

std::string readText(const std::string& path) {
    std::string text, reason;
    if (!readWholeFile(path, text, &reason))
        throw Exception("Nie można otworzyć pliku " + path + ": " + reason + ".");
    return text;
}

struct Dictionary {
    DictionaryFile file;
    const Slownik& slownik;
    const SlownikZU& zaklady;

    explicit Dictionary(const std::string& path)
        : file(readDictionaryFile(path)), slownik(*file.dictionary), zaklady(*file.undertakings) {}
};

// A division given by its code stands for its name.
std::string divisionName(const Slownik& dictionary, const std::string& given) {
    for (const auto& division : dictionary.RodzajeUbezpieczen)
        if (division->Kod == given) return division->Nazwa;
    return given;
}

// "wnioski 2, agenci 2, …" for the records read.
std::string recordCounts(const std::vector<ReadRecord>& records) {
    static constexpr std::array<const char*, 7> kNames = {
        "zakłady",        "wnioski",           "agenci", "pracownicy", "polisy",
        "pełnomocnictwa", "członkowie zarządu"};
    std::array<int, 7> counts{};
    for (const ReadRecord& r : records)
        if (r.kind < counts.size()) ++counts[r.kind];
    std::string text;
    for (std::size_t kind = 1; kind < kNames.size(); ++kind)
        text +=
            (kind > 1 ? ", " : "") + std::string(kNames[kind]) + " " + std::to_string(counts[kind]);
    return text;
}

// The records of a file read as the document window reads them.
std::unique_ptr<DocumentTree> openTree(const std::string& path, const TRecZU& configured) {
    std::unique_ptr<DataRecord> document = readApplicationFile(path, configured);
    auto tree = std::make_unique<DocumentTree>(document->version());
    // Nothing is left out silently: a record the tree has no place for refuses the command.
    const std::vector<UserMessage> failures = tree->buildFromFile(document->TakeRecords());
    if (!failures.empty()) throw Exception(failures.front().text);
    if (!tree->root()) tree->setRoot(std::make_unique<TRecZU>(configured));
    return tree;
}

int checkApplicationFile(const CommandLine& line, const std::string& path, std::ostream& out) {
    const TRecZU configured(line.required("kod"), line.required("nazwa"));
    std::unique_ptr<DataRecord> document = readApplicationFile(path, configured);
    out << path << ": plik wniosków w wersji " << document->version()
        << ", wnioski: " << document->GetRecordCountWn()
        << ", rekordy: " << document->PobierzListe().size() << '\n';
    return 0;
}

int checkImportFile(const CommandLine& line, const std::string& path, std::ostream& out) {
    const Dictionary dictionary(line.path("slownik"));
    ReadCIA reader(dictionary.slownik, line.required("kod"),
                   divisionName(dictionary.slownik, line.required("dzial")));
    reader.DodajPlik(path, splitLines(readText(path)));
    reader.CzytajWszystko();
    out << path << ": plik wymiany, " << recordCounts(reader.files()[0].records) << '\n';
    return 0;
}

// A response file read by the reader of its version.
std::unique_ptr<ReadOdp> readResponse(const CommandLine& line, const std::string& path) {
    const std::string text = readText(path);
    std::unique_ptr<ReadOdp> reader = responseReaderFor(text, line.required("kod"));
    if (!reader) throw Exception("Błędny format pliku odpowiedzi");
    reader->Czytaj(text);
    return reader;
}

int checkResponseFile(const CommandLine& line, const std::string& path, std::ostream& out) {
    const std::unique_ptr<ReadOdp> reader = readResponse(line, path);
    const int version = dynamic_cast<const ReadOdp3*>(reader.get()) ? 3 : 1;
    out << path << ": odpowiedź w wersji " << version << ", rekordy: " << reader->entries().size()
        << '\n';
    return 0;
}

// ---- check --wszystko ----------------------------------------------------------------------

struct Listing {
    std::ostream& out;
    int refusals = 0, warnings = 0;

    void add(const std::string& place, bool refusal, const std::string& text) {
        ++(refusal ? refusals : warnings);
        out << place << (refusal ? "błąd: " : "ostrzeżenie: ") << text << '\n';
    }
    int end(const std::string& path) {
        out << path << ": błędy " << refusals << ", ostrzeżenia " << warnings << '\n';
        return refusals ? 1 : 0;
    }
};

// Every refusal of the record checks and every warning, in file order. A file the reader
// refuses as a whole is refused as without --wszystko.
int checkApplicationFileFully(const CommandLine& line, const std::string& path, std::ostream& out) {
    const TRecZU configured(line.required("kod"), line.required("nazwa"));
    const std::unique_ptr<DataRecord> document = readApplicationFile(path, configured);
    const std::vector<ReadRecord> records = document->TakeRecords();
    Listing listing{out};
    for (const Finding& f : findingsOf(records, localToday()))
        listing.add(f.placement.empty() ? "" : "Wniosek nr " + f.placement + ": ", f.refusal,
                    f.text);
    return listing.end(path);
}

// Every line the import refuses and every warning of the lines it takes, in line order.
int checkImportFileFully(const CommandLine& line, const std::string& path, std::ostream& out) {
    const Dictionary dictionary(line.path("slownik"));
    ReadCIA reader(dictionary.slownik, line.required("kod"),
                   divisionName(dictionary.slownik, line.required("dzial")));
    Listing listing{out};
    for (const LineFinding& f : lineFindingsOf(reader, splitLines(readText(path)), localToday()))
        listing.add("Linia " + std::to_string(f.line) + ": ", f.refusal, f.text);
    return listing.end(path);
}

int checkDictionary(const std::string& path, std::ostream& out) {
    const DictionaryFile file = readDictionaryFile(path);
    const Slownik& dictionary = *file.dictionary;
    const SlownikZU& undertakings = *file.undertakings;
    const SlownikZU3& active = *file.activeUndertakings;
    out << path << ": zakłady " << dictionary.Zaklady.size() << ", województwa "
        << dictionary.Wojewodztwa.size() << ", obywatelstwa " << dictionary.Obywatelstwa.size()
        << ", działy ubezpieczeń " << dictionary.RodzajeUbezpieczen.size() << ", wykształcenie "
        << dictionary.Wyksztalcenie.size() << ", rodzaje działalności "
        << dictionary.RodzajeDzialalnosci.size()
        << ", grupy działu 1: " << dictionary.GrupyDzial1.size()
        << ", grupy działu 2: " << dictionary.GrupyDzial2.size() << ", formy prawne "
        << dictionary.FormyPrawne.size() << ", rodzaje dokumentów "
        << dictionary.RodzajeDokumentow.size() << ", rodzaje rejestrów "
        << dictionary.RodzajeRejestrow.size() << "; zakłady z kodem "
        << undertakings.entries().size() << ", w tym czynne " << active.entries().size() << '\n';
    return 0;
}

int check(const CommandLine& line, std::ostream& out) {
    line.allowOnly({"kod", "nazwa", "dzial", "slownik", "wszystko"});
    if (line.positional.size() != 1) throw UsageError{"polecenie check wymaga jednego pliku"};
    const std::string& path = line.positional[0];
    const std::string extension = lowerExtension(path);
    if (line.flag("wszystko")) {
        if (extension == ".rpa") return checkApplicationFileFully(line, path, out);
        if (extension == ".cia") return checkImportFileFully(line, path, out);
        throw UsageError{"--wszystko dotyczy tylko plików .rpa i .cia"};
    }
    if (extension == ".rpa") return checkApplicationFile(line, path, out);
    if (extension == ".cia") return checkImportFile(line, path, out);
    if (extension == ".coa") return checkResponseFile(line, path, out);
    if (extension == ".dic") return checkDictionary(path, out);
    throw UsageError{"nieobsługiwany rodzaj pliku: " + path};
}

int exportFile(const CommandLine& line, std::ostream& out) {
    line.allowOnly(kOptions);
    if (line.positional.size() != 2)
        throw UsageError{"polecenie export wymaga plików WE.rpa i WY.cia"};
    const TRecZU configured(line.required("kod"), line.required("nazwa"));
    const std::unique_ptr<DocumentTree> tree = openTree(line.positional[0], configured);
    // Policies of older files know their insurer by name; the dictionary gives its code. The
    // user's dictionary is taken only when it is there: most documents do not need one.
    InsurerDirectory insurers;
    if (line.options.count("slownik") || std::filesystem::is_regular_file(line.path("slownik")))
        insurers = InsurerDirectory(Dictionary(line.path("slownik")).zaklady);
    const std::size_t lines = exportLines(*tree, insurers).size();
    if (auto failure = exportDocument(*tree, line.positional[1], insurers))
        throw Exception(failure->text);
    out << line.positional[1] << ": wiersze " << lines << '\n';
    return 0;
}

int importFiles(const CommandLine& line, std::ostream& out) {
    line.allowOnly(kOptions);
    if (line.positional.size() < 2) throw UsageError{"polecenie import wymaga BAZY i plików .cia"};
    const Dictionary dictionary(line.path("slownik"));
    ReadCIA reader(dictionary.slownik, line.required("kod"),
                   divisionName(dictionary.slownik, line.required("dzial")));
    for (std::size_t i = 1; i < line.positional.size(); ++i)
        reader.DodajPlik(line.positional[i], splitLines(readText(line.positional[i])));
    reader.CzytajWszystko();

    DocumentTree tree(3);
    tree.setRoot(std::make_unique<TRecZU>(line.required("kod"), line.required("nazwa")));
    for (std::size_t file = 0; file < reader.files().size(); ++file) {
        const std::vector<UserMessage> failures = tree.importRecords(reader.TakeRecords(file));
        if (!failures.empty()) throw Exception(failures.front().text);
    }
    std::string base = line.positional[0];
    if (base.size() < 4 || base.compare(base.size() - 4, 4, ".rpa") != 0) base += ".rpa";
    const auto slash = base.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : base.substr(0, slash);
    const std::string name = slash == std::string::npos ? base : base.substr(slash + 1);
    const DocumentOutcome outcome = splitDocument(
        tree, folder, name, InsurerDirectory(dictionary.zaklady), {}, line.positional[1]);
    if (!outcome.ok) {
        std::string text;
        for (const UserMessage& m : outcome.messages)
            text += (text.empty() ? "" : "\n") + m.text;
        throw Exception(text);
    }
    for (const std::string& file : outcome.files)
        out << file << '\n';
    return 0;
}

// The tree of an application file or a response file as its window shows it, fully expanded:
// a node a line, two blanks a level below the root.
int printTree(const CommandLine& line, std::ostream& out) {
    line.allowOnly({"kod", "nazwa"});
    if (line.positional.size() != 1) throw UsageError{"polecenie tree wymaga jednego pliku"};
    const std::string& path = line.positional[0];
    const std::string extension = lowerExtension(path);
    std::unique_ptr<DocumentTree> tree = std::make_unique<DocumentTree>();
    std::string rootLine;
    if (extension == ".rpa") {
        tree = openTree(path, TRecZU(line.required("kod"), line.required("nazwa")));
        tree->sortRecords(DocumentTree::sortOrderOf(ReadSortOrder()));
        rootLine = cp1250::toUtf8(tree->root()->text());
    } else if (extension == ".coa") {
        const std::vector<UserMessage> failures =
            tree->buildFromResponse(path, readResponse(line, path)->TakeRecords());
        if (!failures.empty()) throw Exception(failures.front().text);
        rootLine = path;  // as given
    } else {
        throw UsageError{"nieobsługiwany rodzaj pliku: " + path};
    }
    out << rootLine << '\n';
    tree->forEach([&](TreeNode& node) {
        if (&node != tree->root())
            out << std::string(2 * node.level(), ' ') << cp1250::toUtf8(node.text()) << '\n';
    });
    return 0;
}

// The templates installed with the program: beside it, or in "../share/tavik/"; in the build
// tree the program's folder is "bin" beside the command line's.
std::string defaultTemplatesFolder() {
    std::error_code ignored;
    const std::filesystem::path self =
        std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
    for (const char* place :
         {"htmlTemplates", "../share/tavik/htmlTemplates", "../bin/htmlTemplates"})
        if (std::filesystem::is_directory(self / place, ignored))
            return (self / place).lexically_normal().string();
    return (self / "htmlTemplates").string();
}

// The N-th application of a file filled into the template of its kind: the page as the print
// command writes it, or its printed pages as PDF.
int printApplication(const CommandLine& line, std::ostream& out) {
    line.allowOnly({"kod", "nazwa", "dzial", "miejsce", "podpis", "szablony", "wniosek"});
    if (line.positional.size() != 2)
        throw UsageError{"polecenie print wymaga pliku wniosków i pliku wyniku"};
    int number = 1;
    if (const auto given = line.optional("wniosek")) {
        const std::optional<std::int32_t> n = decimalInteger(*given);
        if (!n || *n < 1) throw UsageError{"--wniosek wymaga numeru wniosku od 1"};
        number = *n;
    }
    const PrintSettings settings{line.utf8("miejsce"), line.utf8("podpis"), line.utf8("dzial"),
                                 QDate::currentDate().toString(Qt::ISODate).toStdString()};
    if (std::string_view(trimmed(settings.signer)).empty())
        throw Exception("Brak informacji o osobie składającej wniosek");
    const std::string& in = line.positional[0];
    const std::unique_ptr<DocumentTree> tree =
        openTree(in, TRecZU(line.required("kod"), line.required("nazwa")));
    tree->sortRecords(DocumentTree::sortOrderOf(ReadSortOrder()));
    const TreeNode* application = applicationNumber(*tree, number);
    if (!application)
        throw Exception("Plik " + in + " nie ma wniosku nr " + std::to_string(number) + ".");
    if (const auto refusal = printRefusal(*application)) throw Exception(*refusal);
    const std::string templates =
        line.options.count("szablony") ? line.path("szablony") : defaultTemplatesFolder();
    const std::string page = printedApplication(templates, *application, settings);
    const std::string& target = line.positional[1];
    std::string reason;
    if (lowerExtension(target) == ".pdf") {
        if (!writePdf(page, target, templates, reason))
            throw Exception("Nie można zapisać pliku " + target + ": " + reason + ".");
    } else if (!writeWholeFile(target, page, &reason)) {
        throw Exception("Nie można zapisać pliku " + target + ": " + reason + ".");
    }
    out << target << '\n';
    return 0;
}

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        // Alone: with anything else it is an option of a command, and wrong usage there.
        if (args.size() == 1 && args[0] == "--version") {
            out << "tavik-cli " << platform::kProgramVersion << '\n';
            return 0;
        }
        if (args.size() == 1 && args[0] == "--help") {
            out << kUsage;
            return 0;
        }
        CommandLine line = CommandLine::parse(args);
        const Settings settings;
        line.settings = {
            {"kod", settings.UndertakingCode().toStdString()},
            {"nazwa", settings.UndertakingName().toStdString()},
            {"dzial", settings.InsuranceDivision().toStdString()},
            {"slownik", QFile::encodeName(settings.dictionaryPath()).toStdString()},
            {"miejsce", settings.PlaceOfIssue().toStdString()},
            // The settings' text for a missing signer is no signer.
            {"podpis", settings.Signer() == Settings::kNoSigner ? std::string()
                                                                : settings.Signer().toStdString()}};
        if (line.command == "check") return check(line, out);
        if (line.command == "export") return exportFile(line, out);
        if (line.command == "import") return importFiles(line, out);
        if (line.command == "tree") return printTree(line, out);
        if (line.command == "print") return printApplication(line, out);
        throw UsageError{"nieznane polecenie: " + line.command};
    } catch (const UsageError& usage) {
        err << "tavik-cli: " << usage.text << '\n' << kUsage;
        return 2;
    } catch (const Exception& refusal) {
        err << refusal.message() << '\n';
        return 1;
    } catch (...) {
        // Whatever else goes wrong is a refusal too, never an abort.
        err << unexpectedFailureText() << '\n';
        return 1;
    }
}

}  // namespace

// What the commands print reaches the terminal only through showableText: a control
// character of a file (ESC of a crafted record) is shown escaped.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::ostringstream printed, errors;
    const int code = runCommand(args, printed, errors);
    out << showableText(printed.str());
    err << showableText(errors.str());
    return code;
}

}  // namespace tavik::cli
