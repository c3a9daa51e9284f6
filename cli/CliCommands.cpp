#include "cli/CliCommands.h"

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>

#include "dictionary/Slownik.h"
#include "dictionary/SlownikZU.h"
#include "dictionary/SlownikZU3.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "model/Exception.h"

namespace tavik::cli {

namespace {

constexpr const char* kUsage =
    "użycie:\n"
    "  tavik-cli check --kod KOD --nazwa NAZWA PLIK.rpa\n"
    "  tavik-cli check PLIK.dic\n";

struct UsageError {
    std::string text;
};

// Options ("--name value") anywhere among the positional arguments.
struct CommandLine {
    std::string command;
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;

    static CommandLine parse(const std::vector<std::string>& args) {
        if (args.empty()) throw UsageError{"brak polecenia"};
        CommandLine line;
        line.command = args[0];
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
                if (i + 1 >= args.size()) throw UsageError{"brak wartości opcji " + arg};
                line.options[arg.substr(2)] = args[++i];
            } else {
                line.positional.push_back(arg);
            }
        }
        return line;
    }

    // An option's value in code page 1250.
    std::string required(const std::string& name) const {
        const auto found = options.find(name);
        if (found == options.end()) throw UsageError{"brak opcji --" + name};
        std::string converted, error;
        if (!cp1250::fromUtf8(found->second, converted, &error))
            throw UsageError{"opcja --" + name + ": " + error};
        return converted;
    }

    void allowOnly(std::initializer_list<const char*> names) const {
        for (const auto& option : options) {
            const std::string& name = option.first;
            if (std::none_of(names.begin(), names.end(), [&](const char* n) { return name == n; }))
                throw UsageError{"nieznana opcja --" + name};
        }
    }
};

std::string lowerExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

int checkApplicationFile(const CommandLine& line, const std::string& path, std::ostream& out) {
    line.allowOnly({"kod", "nazwa", "dzial", "slownik"});
    const TRecZU configured(line.required("kod"), line.required("nazwa"));
    std::unique_ptr<DataRecord> document = readApplicationFile(path, configured);
    const std::size_t records = document->PobierzListe().size();
    out << path << ": plik wniosków w wersji " << document->version()
        << ", wnioski: " << document->GetRecordCountWn() << ", rekordy: " << records << '\n';
    return 0;
}

int checkDictionary(const CommandLine& line, const std::string& path, std::ostream& out) {
    line.allowOnly({"kod", "nazwa", "dzial", "slownik"});
    const std::vector<std::string> lines = loadDictionaryLines(path);
    Slownik dictionary(lines);
    dictionary.Czytaj();
    SlownikZU undertakings(lines);
    undertakings.Czytaj();
    SlownikZU3 active(lines);
    active.Czytaj();
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
    if (line.positional.size() != 1) throw UsageError{"polecenie check wymaga jednego pliku"};
    const std::string& path = line.positional[0];
    const std::string extension = lowerExtension(path);
    if (extension == ".rpa") return checkApplicationFile(line, path, out);
    if (extension == ".dic") return checkDictionary(line, path, out);
    throw UsageError{"nieobsługiwany rodzaj pliku: " + path};
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const CommandLine line = CommandLine::parse(args);
        if (line.command == "check") return check(line, out);
        throw UsageError{"nieznane polecenie: " + line.command};
    } catch (const UsageError& usage) {
        err << "tavik-cli: " << usage.text << '\n' << kUsage;
        return 2;
    } catch (const Exception& refusal) {
        err << refusal.message() << '\n';
        return 1;
    }
}

}  // namespace tavik::cli
