#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDate>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <variant>

#include "cli/CliCommands.h"
#include "document/DocumentTree.h"
#include "document/PrintJob.h"
#include "interchange/TextExport.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "tests/support/RpaFileBuilder.h"
#include "tests/support/TestStreams.h"
#include "tests/support/qt/TempRegistry.h"
#include "tools/samples/SampleDocuments.h"
#include "tools/samples/SampleResponses.h"

namespace tavik {
namespace {

using test::TempDir;

const std::string kNazwa = "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA";
const std::string kDic = TAVIK_BUNDLED_DICTIONARY, kTemplates = TAVIK_TEMPLATES_DIR;

struct Result {
    int code;
    std::string out;
    std::string err;
    bool operator==(const Result&) const = default;
};
void PrintTo(const Result& r, std::ostream* os) {
    *os << "{" << r.code << ", \"" << r.out << "\", \"" << r.err << "\"}";
}
Result refused(const std::string& message) {
    return {1, "", message + "\n"};
}
const Result kWrongUndertaking = refused("Błędny KOD lub NAZWA ZAKŁADU!");

Result run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

// The built program as a script runs it, each argument quoted for the shell.
Result runProgram(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "timeout 60 " + std::string(TAVIK_CLI_PATH);
    for (const std::string& arg : args) {
        command += " '";
        for (char c : arg)
            command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "'";
    }
    command += " 2>" + dir.file("err") + " >" + dir.file("out");
    const int status = std::system(command.c_str());
    return Result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::readFile(dir.file("out")),
                  test::readFile(dir.file("err"))};
}

std::string twoApplications(const TempDir& dir, int version) {
    test::RpaFileBuilder b(version);
    b.zaklad();
    b.wniosek("WPIS", "1/2026");
    b.agent();
    b.pracownik();
    b.wniosek("WYKREŚLENIE", "2/2026");
    b.agent();
    const std::string path = dir.file("dwa" + std::to_string(version) + ".rpa");
    test::writeFile(path, b.file());
    return path;
}
Result summary(const std::string& path, char version) {
    return {0, path + ": plik wniosków w wersji " + version + ", wnioski: 2, rekordy: 6\n", ""};
}

// A record holding ESC and a byte that code page 1250 maps to a C1 control: the message shows
// them escaped, so that a crafted file cannot drive the clerk's terminal.
std::string craftedFile(const TempDir& dir) {
    test::RpaFileBuilder b(3);
    b.zaklad();
    TRecWniosek& application = b.wniosek("wpis");
    application.NumerWniosku = std::string("1/\x1B[31m2026\x81\x7F\t\r");
    b.reseal();
    const std::string path = dir.file("sprytny.rpa");
    test::writeFile(path, b.file());
    return path;
}
const Result kCraftedRefusal =
    refused("Błędny rodzaj operacji dla wniosku nr: 1/\\x1B[31m2026\\x81\\x7F\\x09\\x0D");

TEST(CliCheck, ApplicationExchangeAndDictionaryFiles) {
    TempDir dir;
    const std::string v1 = twoApplications(dir, 1), v2 = twoApplications(dir, 2),
                      v3 = twoApplications(dir, 3), upper = dir.file("DWA.RPA"),
                      cut = dir.file("ucięty.rpa"), missing = dir.file("brak.rpa"),
                      dic = dir.file("slownik.DIC"), cia = dir.file("zle.cia"),
                      coa = dir.file("zla.coa");
    test::writeFile(upper, test::readFile(v3));
    test::writeFile(cut, test::readFile(v1) + "\x01");
    std::string damaged = test::readFile(kDic);
    damaged[damaged.find("OPOLSKIE")] = 'X';
    test::writeFile(dic, damaged);
    test::writeFile(cia, "XYZ;JSK;1;\r\n");
    test::writeFile(coa, "XYZ;\r\n");
    const std::string lists =
        ": zakłady 15, województwa 16, obywatelstwa 33, działy ubezpieczeń 2, wykształcenie 8, "
        "rodzaje działalności 15, grupy działu 1: 5, grupy działu 2: 18, formy prawne 8, rodzaje "
        "dokumentów 8, rodzaje rejestrów 7; zakłady z kodem 15, w tym czynne 15\n";
    // clang-format off
    const std::pair<std::vector<std::string>, Result> cases[] = {
        {{"check", v1, "--kod", "JSK", "--nazwa", kNazwa}, summary(v1, '1')},
        {{"check", v2, "--kod", "JSK", "--nazwa", kNazwa}, summary(v2, '2')},
        {{"check", v3, "--kod", "JSK", "--nazwa", kNazwa}, summary(v3, '3')},
        // Options may come first, and the extension be in any case.
        {{"check", "--kod", "JSK", "--nazwa", kNazwa, upper}, summary(upper, '3')},
        {{"check", v1, "--kod", "JSK", "--nazwa", "INNY ZAKŁAD"}, kWrongUndertaking},
        {{"check", cut, "--kod", "JSK", "--nazwa", kNazwa},
         refused("Nieoczekiwany koniec pliku w nagłówku rekordu !")},
        {{"check", missing, "--kod", "JSK", "--nazwa", kNazwa},
         refused("Nie można otworzyć pliku " + missing + ": plik nie istnieje.")},
        {{"check", "--kod", "JSK", "--nazwa", kNazwa, craftedFile(dir)}, kCraftedRefusal},
        {{"check", kDic}, {0, kDic + lists, ""}},
        {{"check", dic}, refused("Błąd sumy kontrolnej słownika dla województw!")},
        {{"check", "--slownik", kDic, "--kod", "JSK", "--dzial", "2", cia},
         refused("Wystąpił błąd w linii 1\nBłędny typ rekordu !")},
        {{"check", "--kod", "JSK", coa}, refused("Błędny format pliku odpowiedzi")}};
    // clang-format on
    for (const auto& [args, result] : cases)
        EXPECT_EQ(run(args), result) << args[1];
}

// What is not a regular file, or is far larger than any real one, is refused before it is
// read: no reader waits on a pipe or fills the memory from /dev/zero.
TEST(CliCheck, WhatIsNotARegularFileIsRefused) {
    TempDir dir;
    ASSERT_EQ(::symlink("/dev/zero", dir.file("zero.coa").c_str()), 0);
    ASSERT_EQ(::symlink("/dev/zero", dir.file("zero.rpa").c_str()), 0);
    for (const char* name : {"potok.rpa", "potok.cia", "potok.coa", "potok.dic"})
        ASSERT_EQ(::mkfifo(dir.file(name).c_str(), 0644), 0);
    ASSERT_EQ(::mkdir(dir.file("katalog.rpa").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.file("katalog.coa").c_str(), 0755), 0);
    test::writeFile(dir.file("duzy.coa"), "");
    ASSERT_EQ(::truncate(dir.file("duzy.coa").c_str(), 256 * 1024 * 1024 + 1), 0);

    const std::string notRegular = "to nie jest zwykły plik", folder = "to jest katalog";
    // clang-format off
    const std::pair<const char*, std::string> cases[] = {
        {"zero.coa", notRegular}, {"zero.rpa", notRegular}, {"potok.rpa", notRegular},
        {"potok.cia", notRegular}, {"potok.coa", notRegular}, {"potok.dic", notRegular},
        {"katalog.rpa", folder}, {"katalog.coa", folder},
        {"duzy.coa",
         "plik jest zbyt duży (268435457 bajtów, a dopuszczalne jest najwyżej 268435456 bajtów)"}};
    // clang-format on
    for (const auto& [name, reason] : cases) {
        const std::string what = std::string_view(name).ends_with(".dic")
                                     ? "Nie można odczytać słownika "
                                     : "Nie można otworzyć pliku ";
        EXPECT_EQ(run({"check", "--kod", "JSK", "--nazwa", kNazwa, "--dzial", "2", "--slownik",
                       kDic, dir.file(name)}),
                  refused(what + dir.file(name) + ": " + reason + "."));
    }
}

TEST(CliCheck, ResponseFiles) {
    TempDir dir;
    for (int version : {1, 3}) {
        const std::string path = dir.file("odp" + std::to_string(version) + ".COA");
        samples::ResponseShape shape;
        shape.agents = 2;
        test::writeFile(path, samples::sampleResponseText(version, shape));
        const Result r = run({"check", "--kod", samples::sampleResponseCode(), path});
        EXPECT_EQ(r.code, 0) << r.err;
        const std::string expected =
            path + ": odpowiedź w wersji " + std::to_string(version) + ", rekordy: ";
        EXPECT_EQ(r.out.substr(0, expected.size()), expected);
    }
}

TEST(CliCheck, WrongUsage) {
    // clang-format off
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"sprawdz", "a.rpa"}, {"check"},
             {"check", "a.rpa", "b.rpa", "--kod", "JSK", "--nazwa", "N"},
             {"check", "a.txt", "--kod", "JSK", "--nazwa", "N"}, {"check", "a.rpa", "--kod"},
             {"check", "a.rpa", "--kod", "JSK", "--nazwa", "N", "--kolor", "x"},
             {"--version", "a.rpa"}, {"check", "a.rpa", "--version"}})
        EXPECT_EQ(run(args).code, 2) << args.size();
    // clang-format on
    const Result r = run({"check", "a.rpa", "--kod", "JSK", "--nazwa", "Muñoz"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("opcja --nazwa: Znak „ñ” (U+00F1) nie występuje w stronie kodowej 1250."),
              std::string::npos);
}

// Two applications of a sample whose numbers agree, with a refusal and warnings planted: an
// expired policy and an employee's PESEL with a wrong check digit under the entry, a board
// member without a surname, and a register number of the wrong shape under the update.
struct PlantedSample {
    samples::SampleDocument sample{3, samples::SampleShape{2, 1, 1, 1, 1}, 11};
    const std::string badPesel = [] {
        // A man born 05.05.1985, his check digit (built by the rule) one too high.
        const std::string base = "8505051235";
        const int weights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
        int sum = 0;
        for (int i = 0; i < 10; ++i)
            sum += (base[i] - '0') * weights[i];
        return base + std::to_string(((10 - sum % 10) % 10 + 1) % 10);
    }();

    // Without the refusal, the board member keeps the surname.
    explicit PlantedSample(bool refusal = true) {
        int agents = 0, policies = 0, employees = 0, members = 0;
        for (std::size_t i = 0; i < sample.records().size(); ++i) {
            TRecord& record = *sample.records()[i];
            if (sample.kinds()[i] == KIND_AGENT) {
                auto& agent = static_cast<TRecAgenta&>(record);
                agent.NIP_AGENTA = agent.NIP_Osoby_Fizycznej = texts::EMPTY.view();
                if (agents++ == 1) {
                    agent.NazwaAgenta = "AGENCJA TESTOWA";
                    agent.RodzajRejestru = cp1250::fromUtf8OrThrow("KRAJOWY REJESTR SĄDOWY");
                    agent.Numer_z_Rejestru = "12345";
                }
            } else if (sample.kinds()[i] == KIND_PRACOWNIK || sample.kinds()[i] == KIND_ZARZAD) {
                auto& person = static_cast<TRecOsoba&>(record);
                person.NIP = texts::EMPTY.view();
                person.Plec = (person.PESEL.view()[9] - '0') % 2 ? texts::MEZCZYZNA.view()
                                                                 : texts::KOBIETA.view();
                if (sample.kinds()[i] == KIND_PRACOWNIK && employees++ == 0) {
                    person.Nazwisko = "ADAMCZYK";
                    person.Imie = "MAREK";
                    person.PESEL = badPesel;
                    person.Plec = texts::MEZCZYZNA.view();
                }
                if (sample.kinds()[i] == KIND_ZARZAD && members++ == 0 && refusal)
                    person.Nazwisko = texts::EMPTY.view();
            } else if (sample.kinds()[i] == KIND_POLISA && policies++ == 0) {
                auto& policy = static_cast<TRecPolisaOC&>(record);
                policy.ID_PolisyOC = "OC/2020/1";
                policy.WazneOd = "01.01.2020";
                policy.WazneDo = "31.12.2020";
            }
            record.CRC = test::checksumOf(record, sample.kinds()[i], 3);
        }
    }
    std::string rpa(const TempDir& dir) {
        auto document = makeDocumentOfVersion(3);
        sample.listInto(*document);
        const std::string path = dir.file("zasiane.rpa");
        EXPECT_TRUE(document->ZapiszDoPliku(path));
        return path;
    }
    // The export's lines, with a line of an unknown kind third.
    std::string cia(const TempDir& dir) {
        std::string text;
        int line = 0;
        for (std::size_t i = 0; i < sample.records().size(); ++i) {
            if (sample.kinds()[i] == KIND_ZAKLAD) continue;
            if (++line == 3) text += "XYZ;JSK;1;\r\n";
            text += exportLine(*sample.records()[i], sample.kinds()[i], {}) + "\r\n";
        }
        const std::string path = dir.file("zasiany.cia");
        test::writeFile(path, text);
        return path;
    }
};

TEST(CliCheck, EveryRefusalAndWarningOfAFile) {
    TempDir dir;
    PlantedSample planted;
    const std::string rpa = planted.rpa(dir), cia = planted.cia(dir);
    const std::string expired = "ostrzeżenie: Polisa nr OC/2020/1 wygasła 31.12.2020\n",
                      pesel = "ostrzeżenie: PESEL " + planted.badPesel +
                              " pracownika ADAMCZYK MAREK ma błędną cyfrę kontrolną\n",
                      surname =
                          "Pole NAZWISKO jest puste; maksymalna długość pola: 28; Pole jest "
                          "obowiązkowe!; Typ rekordu: CZŁONEK ZARZĄDU; Rodzaj: NOWY\n",
                      krs =
                          "ostrzeżenie: KRS 12345 agenta AGENCJA TESTOWA nie składa się z 10 "
                          "cyfr\n";
    EXPECT_EQ(run({"check", "--wszystko", "--kod", "JSK", "--nazwa", kNazwa, rpa}),
              (Result{1,
                      "Wniosek nr 1/2026: " + expired + "Wniosek nr 1/2026: " + pesel +
                          "Wniosek nr 1/2026: błąd: " + surname + "Wniosek nr 2/2026: " + krs +
                          rpa + ": błędy 1, ostrzeżenia 3\n",
                      ""}));
    EXPECT_EQ(run({"check", "--slownik", kDic, "--kod", "JSK", "--dzial", "2", cia, "--wszystko"}),
              (Result{1,
                      "Linia 3: błąd: Błędny typ rekordu !\nLinia 4: " + expired + "Linia 6: " +
                          pesel + "Linia 7: błąd: Wystąpił błąd walidacji rekordu CZŁ. ZARZĄDU; " +
                          surname + "Linia 9: " + krs + cia + ": błędy 2, ostrzeżenia 3\n",
                      ""}));
    // Without --wszystko nothing changes: the reader's summary, or its first refusal.
    EXPECT_EQ(run({"check", "--kod", "JSK", "--nazwa", kNazwa, rpa}),
              (Result{0, rpa + ": plik wniosków w wersji 3, wnioski: 2, rekordy: 13\n", ""}));
    EXPECT_EQ(run({"check", "--slownik", kDic, "--kod", "JSK", "--dzial", "2", cia}),
              refused("Wystąpił błąd w linii 3\nBłędny typ rekordu !"));

    // Warnings alone leave the exit code 0; a file refused as a whole is refused as before.
    PlantedSample warningsOnly(false);
    TempDir other;
    const std::string clean = warningsOnly.rpa(other);
    const Result r = run({"check", "--wszystko", "--kod", "JSK", "--nazwa", kNazwa, clean});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.ends_with(clean + ": błędy 0, ostrzeżenia 3\n")) << r.out;
    EXPECT_EQ(run({"check", "--wszystko", "--kod", "LZR", "--nazwa", kNazwa, clean}),
              kWrongUndertaking);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"check", "--wszystko", "--kod", "JSK", "a.coa"},
             {"check", "--wszystko", kDic},
             {"tree", "--wszystko", "--kod", "JSK", "--nazwa", kNazwa, clean}})
        EXPECT_EQ(run(args).code, 2) << args[1];
    const Result help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(
        help.out.find("  tavik-cli check [--kod KOD] [--nazwa NAZWA] [--wszystko] PLIK.rpa\n"),
        std::string::npos)
        << help.out;
}

// The user's settings, in a registry of the test's own while it lives.
struct UserSettings : test::TempRegistry {
    void set(const char* name, const std::variant<std::string, int>& value) {
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        const QString n = QString::fromUtf8(name);
        ASSERT_TRUE(key && (value.index()
                                ? key->writeInteger(n, std::get<int>(value))
                                : key->writeString(n, QString::fromStdString(std::get<0>(value)))));
    }
};

// A sample document written as an application file of the version.
std::string sampleFile(const TempDir& dir, int version, int applications) {
    samples::SampleShape shape;
    shape.applications = applications;
    samples::SampleDocument sample(version, shape, 5);
    auto document = makeDocumentOfVersion(version);
    sample.listInto(*document);
    const std::string path = dir.file("dane" + std::to_string(version) + ".rpa");
    EXPECT_TRUE(document->ZapiszDoPliku(path));
    return path;
}

const std::string kExchangeSummary =
    ": plik wymiany, wnioski 3, agenci 3, pracownicy 10, polisy 4, pełnomocnictwa 4, członkowie "
    "zarządu 6\n";
std::vector<std::string> threeParts(const TempDir& dir, const std::string& prefix) {
    return {dir.file(prefix + "_1.rpa"), dir.file(prefix + "_2.rpa"), dir.file(prefix + "_3.rpa")};
}
Result listed(const std::vector<std::string>& paths) {
    std::string out;
    for (const std::string& path : paths)
        out += path + "\n";
    return {0, out, ""};
}

// Exported and imported again, a document splits into one file per application; the options
// left out are the user's settings, a given one comes before its setting. The policies of a
// version-2 file take their insurers' codes from the dictionary.
TEST(CliExportImport, ExportImportWithOptionsOrWithTheUsersSettings) {
    TempDir dir;
    const std::string rpa = sampleFile(dir, 2, 3);
    const std::string given = dir.file("podane.cia"), cia = dir.file("wymiana.cia");
    EXPECT_EQ(run({"export", "--kod", "JSK", "--nazwa", kNazwa, "--slownik", kDic, rpa, given}),
              (Result{0, given + ": wiersze 30\n", ""}));
    EXPECT_EQ(run({"check", "--slownik", kDic, "--kod", "JSK", "--dzial", "2", given}),
              (Result{0, given + kExchangeSummary, ""}));
    EXPECT_EQ(run({"import", "--kod", "JSK", "--nazwa", kNazwa, "--dzial", "2", "--slownik", kDic,
                   dir.file("czesc"), given}),
              listed(threeParts(dir, "czesc")));
    for (const std::string& part : threeParts(dir, "czesc"))
        EXPECT_EQ(run({"check", "--kod", "JSK", "--nazwa", kNazwa, part}).code, 0);

    UserSettings settings;
    settings.set("Kod ZU", "JSK");
    settings.set("Nazwa ZU", kNazwa);
    settings.set("Dział ubezpieczeń",
                 "POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE");
    settings.set("Katalog słowników", std::filesystem::path(kDic).parent_path().string());
    EXPECT_EQ(run({"export", rpa, cia}), (Result{0, cia + ": wiersze 30\n", ""}));
    EXPECT_EQ(test::readFile(cia), test::readFile(given));
    EXPECT_EQ(run({"check", cia}), (Result{0, cia + kExchangeSummary, ""}));
    EXPECT_EQ(run({"import", dir.file("ustawienia"), cia}), listed(threeParts(dir, "ustawienia")));
    EXPECT_EQ(run({"check", dir.file("ustawienia_2.rpa")}).code, 0);

    settings.set("Kod ZU", "KRM");
    EXPECT_EQ(run({"check", rpa}), kWrongUndertaking);
    EXPECT_EQ(run({"check", "--kod", "JSK", rpa}).code, 0);
    settings.set("Nazwa ZU", "Muñoz");
    const Result r = run({"check", "--kod", "JSK", rpa});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("opcja --nazwa (z ustawień programu): Znak „ñ” (U+00F1) nie występuje "
                         "w stronie kodowej 1250."),
              std::string::npos);
}

TEST(CliExportImport, RefusalsGiveTheReadersMessage) {
    TempDir dir;
    EXPECT_EQ(run({"import", "--kod", "JSK", dir.file("baza")}).code, 2);
    EXPECT_EQ(
        run({"export", "--kod", "KRM", "--nazwa", "X", sampleFile(dir, 3, 1), dir.file("x.cia")}),
        kWrongUndertaking);

    // A document without applications is not exported, and the file it names is kept.
    test::RpaFileBuilder b(3);
    b.zaklad();
    test::writeFile(dir.file("pusty.rpa"), b.file());
    test::writeFile(dir.file("stary.cia"), "WNI;JSK;1/2026;WPIS;01.01.2026;<E>;\r\n");
    EXPECT_EQ(run({"export", "--kod", "JSK", "--nazwa", kNazwa, dir.file("pusty.rpa"),
                   dir.file("stary.cia")}),
              refused("Brak danych do odczytu/zapisu w pliku!"));
    EXPECT_EQ(test::readFile(dir.file("stary.cia")), "WNI;JSK;1/2026;WPIS;01.01.2026;<E>;\r\n");
}

// The import splits all or nothing: a full disk at the second part leaves no part behind and
// says which file and why.
TEST(CliExportImport, ImportFailingHalfWayWritesNoPart) {
    TempDir dir;
    const std::string cia = dir.file("wymiana.cia");
    ASSERT_EQ(run({"export", "--kod", "JSK", "--nazwa", kNazwa, "--slownik", kDic,
                   sampleFile(dir, 3, 3), cia})
                  .code,
              0);
    test::FaultyFileSystem system;
    system.failWritesToFile = 2;
    EXPECT_EQ(run({"import", "--kod", "JSK", "--nazwa", kNazwa, "--dzial", "2", "--slownik", kDic,
                   dir.file("czesc"), cia}),
              refused("Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.\nPlik: " +
                      dir.file("czesc_2.rpa") + "\nPrzyczyna: brak miejsca na dysku"));
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"dane3.rpa", "wymiana.cia"}));
}

// Whatever else goes wrong inside a command is a message and exit code 1, never an abort:
// here the file system's own exception for a dictionary that is a loop of links.
TEST(CliSettings, AnyOtherFailureIsAMessage) {
    TempDir dir;
    UserSettings settings;
    ::mkdir(dir.file("Slowniki").c_str(), 0755);
    ASSERT_EQ(::symlink("slownik.dic", dir.file("Slowniki/slownik.dic").c_str()), 0);
    settings.set("Katalog słowników", dir.file("Slowniki"));
    const Result r = run(
        {"export", "--kod", "JSK", "--nazwa", kNazwa, sampleFile(dir, 3, 1), dir.file("x.cia")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("Nieoczekiwany błąd: filesystem error: ", 0), 0u) << r.err;
    EXPECT_EQ(r.err.back(), '\n');
}

TEST(CliSettings, WithoutSettingsTheProgramsDefaults) {
    TempDir dir;
    UserSettings settings;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string rpa = sampleFile(dir, 2, 1);

    // No undertaking is configured: its placeholder name is no document's.
    EXPECT_EQ(run({"check", "--kod", "JSK", twoApplications(dir, 1)}), kWrongUndertaking);
    test::writeFile(dir.file("x.cia"), "");
    EXPECT_EQ(run({"check", "--kod", "JSK", "--dzial", "2", dir.file("x.cia")}),
              refused("Nie można odczytać słownika " + dir.path() +
                      "/Slowniki/slownik.dic: plik nie istnieje."));
    // The export needs no dictionary where the user has none.
    const Result r = run({"export", "--kod", "JSK", "--nazwa", kNazwa, rpa, dir.file("x.cia")});
    EXPECT_EQ(r.code, 0) << r.err;
    std::filesystem::current_path(previous);
}

// The installed program, as a script calls it: exit codes and the two streams. Its refusals of
// what is not a regular file and of a crafted record are those of the commands above.
TEST(CliProgram, ExitCodesAndStreams) {
    TempDir dir;
    const std::string path = twoApplications(dir, 2), pipe = dir.file("x.rpa");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    // The version of the build, in four parts.
    EXPECT_TRUE(std::regex_match(TAVIK_PROJECT_VERSION, std::regex(R"(\d+\.\d+\.\d+\.\d+)")));
    // clang-format off
    const std::pair<std::vector<std::string>, Result> cases[] = {
        {{"check", path, "--kod", "JSK", "--nazwa", kNazwa}, summary(path, '2')},
        {{"check", path, "--kod", "KRM", "--nazwa", kNazwa}, kWrongUndertaking},
        {{"check"}, {2, "", ""}},
        {{"--version"}, {0, "tavik-cli " + std::string(TAVIK_PROJECT_VERSION) + "\n", ""}},
        // A pipe must not make it wait; a crafted record's control characters never reach the
        // terminal raw.
        {{"check", "--kod", "JSK", "--nazwa", "N", pipe},
         refused("Nie można otworzyć pliku " + pipe + ": to nie jest zwykły plik.")},
        {{"check", "--kod", "JSK", "--nazwa", kNazwa, craftedFile(dir)}, kCraftedRefusal}};
    // clang-format on
    for (const auto& [args, result] : cases) {
        const Result r = runProgram(dir, args);
        EXPECT_EQ((result.code == 2 ? Result{r.code, r.out, ""} : r), result) << args[0];
    }
}

TEST(CliTree, TheTreeOfADocumentAndOfAResponseAsTheirWindowsShowThem) {
    TempDir dir;
    const std::string rpa = twoApplications(dir, 3);
    EXPECT_EQ(run({"tree", "--kod", "JSK", "--nazwa", kNazwa, rpa}),
              (Result{0,
                      kNazwa + "\n  1/2026\n    NazwaAgenta_18\n      Zarząd\n      Pracownicy\n"
                               "        Nazwisko_39\n      Pełnomocnictwa\n      Polisy\n"
                               "  2/2026\n    NazwaAgenta_76\n",  // a deletion: nothing below
                      ""}));

    samples::ResponseShape shape;
    shape.agents = 2;
    shape.powersOfAttorney = 3;
    const std::string coa = dir.file("ODP.COA");
    test::writeFile(coa, samples::sampleResponseText(3, shape, 2));
    const Result response = run({"tree", coa, "--kod", samples::sampleResponseCode()});
    ASSERT_EQ(response.code, 0) << response.err;
    std::istringstream lines(response.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, coa);  // the root: the file's name as given
    for (std::size_t previous = 0; std::getline(lines, line);) {
        const std::size_t indent = line.find_first_not_of(' ');
        EXPECT_TRUE(indent % 2 == 0 && indent >= 2 && indent <= previous + 2) << line;
        previous = indent;
    }
    EXPECT_NE(response.out.find("\n  Odpowiedź-"), std::string::npos);
    EXPECT_NE(response.out.find("\n        Pelnomocnictwo LP - 000003\n"), std::string::npos);

    const std::string bad = dir.file("zly.coa");
    test::writeFile(bad, "XYZ;1\r\n");
    EXPECT_EQ(run({"tree", "--kod", "JSK", bad}), refused("Błędny format pliku odpowiedzi"));
    EXPECT_EQ(run({"tree", "--kod", "JSK", dir.file("a.cia")}).code, 2);
    EXPECT_EQ(run({"tree", "--kod", "JSK"}).code, 2);
    EXPECT_EQ(run({"tree", "--dzial", "2", coa}).code, 2);
}

const std::string kSigner = "JÓZEF ŻÓŁĆ", kPlace = "Gdańsk", kDivision = "DZIAŁ II";

// The text of a PDF as laid out on its pages.
std::string pdfText(const std::string& path) {
    std::string text;
    FILE* pipe = ::popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r");
    if (!pipe) return text;
    std::array<char, 4096> buffer;
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        text.append(buffer.data(), n);
    EXPECT_EQ(::pclose(pipe), 0) << "pdftotext " << path;
    return text;
}

std::string today() {
    return QDate::currentDate().toString(Qt::ISODate).toStdString();
}

// What the page of each application of a sample shows, in the order the sample made them:
// its agent (a natural person by surname; a deletion's agent keeps only its name) and its
// board members' surnames, from the sample's own records.
std::vector<std::vector<std::string>> shownOf(const samples::SampleDocument& sample) {
    std::vector<std::vector<std::string>> shown;
    for (std::size_t i = 0; i < sample.records().size(); ++i) {
        const TRecord& record = *sample.records()[i];
        if (sample.kinds()[i] == KIND_WNIOSEK) shown.emplace_back();
        if (sample.kinds()[i] == KIND_AGENT) {
            const auto& agent = static_cast<const TRecAgenta&>(record);
            shown.back().push_back(cp1250::toUtf8(
                (agent.Nazwisko.isEmpty() ? agent.NazwaAgenta : agent.Nazwisko).view()));
        }
        if (sample.kinds()[i] == KIND_ZARZAD)
            shown.back().push_back(
                cp1250::toUtf8(static_cast<const TRecZarzad&>(record).Nazwisko.view()));
    }
    return shown;
}

// An entry, an update and a deletion (seed 23: the entry's agent a natural person, the update's
// a company, the deletion's a person), in the user's settings of the test's own.
class CliPrint : public ::testing::Test {
protected:
    static constexpr samples::SampleShape kShape{
        .applications = 3, .boardMembers = 2, .employees = 3, .powersOfAttorney = 3, .policies = 2};
    TempDir dir;
    UserSettings settings;
    samples::SampleDocument sample{3, kShape, 23};
    std::string rpa = dir.file("wnioski.rpa");

    void SetUp() override { test::writeFile(rpa, samples::sampleFileBytes(3, kShape, 23)); }

    static std::vector<std::string> printArgs(std::vector<std::string> options) {
        options.insert(options.begin(), {"print", "--kod", "JSK", "--nazwa", kNazwa});
        return options;
    }
};

TEST_F(CliPrint, EachKindToPdfAndToItsPage) {
    // Sorted descending the deletion comes first and the entry last.
    settings.set("Sortowanie", 2);
    const auto shown = shownOf(sample);
    ASSERT_EQ(shown.size(), 3u);
    const char* titles[] = {"o wykreślenie agenta", "o zmianę danych agenta", "o wpis agenta"};

    // The tree the command prints from, built here from the same bytes.
    DocumentTree tree(3);
    ASSERT_TRUE(
        tree.buildFromFile(readApplicationFile(rpa, samples::sampleUndertaking())->TakeRecords())
            .empty());
    tree.sortRecords(DocumentTree::sortOrderOf(ReadSortOrder()));

    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("wniosek " + std::to_string(n));
        // The agent, then the board: a deletion names no board.
        const std::vector<std::string>& expected = shown[3 - n];
        EXPECT_EQ(expected.size(), n == 1 ? 1u : 3u);
        const std::vector<std::string> options = {
            "--miejsce", kPlace,       "--podpis", kSigner,     "--dzial",
            kDivision,   "--szablony", kTemplates, "--wniosek", std::to_string(n)};

        // The extension is recognised in any case.
        const std::string pdf =
            dir.file("wniosek" + std::to_string(n) + (n == 2 ? ".PDF" : ".pdf"));
        auto args = printArgs(options);
        args.insert(args.end(), {rpa, pdf});
        ASSERT_EQ(runProgram(dir, args), (Result{0, pdf + "\n", ""}));
        EXPECT_EQ(test::readFile(pdf).substr(0, 5), "%PDF-");
        const std::string text = pdfText(pdf);
        std::vector<std::string> wanted = {titles[n - 1], kSigner, kPlace + ", " + today()};
        wanted.insert(wanted.end(), expected.begin(), expected.end());
        for (const std::string& piece : wanted)
            EXPECT_NE(text.find(piece), std::string::npos) << piece << " in\n" << text;

        const std::string page = dir.file("wniosek.htm");
        args.back() = page;
        ASSERT_EQ(run(args), (Result{0, page + "\n", ""}));
        EXPECT_EQ(test::readFile(page), printedApplication(kTemplates, *applicationNumber(tree, n),
                                                           {kPlace, kSigner, kDivision, today()}));
    }

    // Left out, the place, the signer and the division are the user's settings.
    settings.set("MiejsceWystawienia", "Łódź");
    settings.set("OsobaPodpis", "ANNA ŚLĄSKA");
    settings.set("Dział ubezpieczeń", "DZIAŁ I");
    const std::string page = dir.file("z ustawien.htm");
    ASSERT_EQ(run(printArgs({"--szablony", kTemplates, rpa, page})), (Result{0, page + "\n", ""}));
    EXPECT_EQ(test::readFile(page),
              printedApplication(kTemplates, *applicationNumber(tree, 1),
                                 {"Łódź", "ANNA ŚLĄSKA", "DZIAŁ I", today()}));
}

TEST_F(CliPrint, RefusalsAndWrongUsage) {
    test::RpaFileBuilder b(3);
    b.zaklad();
    b.wniosek("WPIS", "1/2026");
    const std::string noAgent = dir.file("bez agenta.rpa");
    test::writeFile(noAgent, b.file());
    const std::string empty = dir.file("puste");
    ASSERT_EQ(::mkdir(empty.c_str(), 0755), 0);
    const std::string out = dir.file("wynik.htm"), usage = "tavik-cli: ";
    const std::string signerMissing = "Brak informacji o osobie składającej wniosek\n",
                      wrongNumber = usage + "--wniosek wymaga numeru wniosku od 1\n",
                      twoFiles = usage + "polecenie print wymaga pliku wniosków i pliku wyniku\n";

    struct Case {
        std::vector<std::string> args;  // after the undertaking's options
        int code;
        std::string err;  // exact; for wrong usage, how it begins
    };
    // clang-format off
    const Case cases[] = {
        {{rpa, out}, 1, signerMissing},  // the user's settings name no signer either
        {{"--podpis", " \t ", rpa, out}, 1, signerMissing},
        {{"--podpis", kSigner, "--wniosek", "4", rpa, out}, 1,
         "Plik " + rpa + " nie ma wniosku nr 4.\n"},
        {{"--podpis", kSigner, "--szablony", empty, rpa, out}, 1,
         "Nie można odczytać szablonu " + empty + "/wniosek o wpis.htm: plik nie istnieje.\n"},
        {{"--podpis", kSigner, noAgent, out}, 1, "Wniosek nr 1/2026 nie ma agenta.\n"},
        {{"--podpis", kSigner, "--wniosek", "0", rpa, out}, 2, wrongNumber},
        {{"--podpis", kSigner, "--wniosek", "1x", rpa, out}, 2, wrongNumber},
        {{"--podpis", kSigner, "--slownik", kDic, rpa, out}, 2,
         usage + "nieznana opcja --slownik\n"},
        {{"--podpis", kSigner, rpa}, 2, twoFiles},
        {{"--podpis", kSigner, rpa, out, dir.file("drugi.htm")}, 2, twoFiles}};
    // clang-format on
    for (const Case& c : cases) {
        const Result r = run(printArgs(c.args));
        EXPECT_EQ((Result{r.code, r.out, c.code == 2 ? r.err.substr(0, c.err.size()) : r.err}),
                  (Result{c.code, "", c.err}));
        EXPECT_FALSE(test::fileExists(out)) << c.err;
    }
}

}  // namespace
}  // namespace tavik
