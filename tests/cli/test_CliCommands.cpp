#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/CliCommands.h"
#include "model/ApplicationFile.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "tests/support/RpaFileBuilder.h"
#include "tests/support/TestStreams.h"
#include "tools/samples/SampleDocuments.h"
#include "tools/samples/SampleResponses.h"

namespace tavik {
namespace {

using test::TempDir;

const std::string kNazwa = "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA";

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

std::string twoApplications(const TempDir& dir, int version) {
    test::RpaFileBuilder b(version);
    b.zaklad();
    b.wniosek("WPIS", "1/2026");
    b.agent();
    b.pracownik();
    b.wniosek("WYKREŚLENIE", "2/2026");
    b.agent();
    const std::string path = dir.file("dwa.rpa");
    test::writeFile(path, b.file());
    return path;
}

TEST(CliCheck, AcceptedFileGivesItsSummary) {
    TempDir dir;
    for (int version = 1; version <= 3; ++version) {
        const std::string path = twoApplications(dir, version);
        const Result r = run({"check", path, "--kod", "JSK", "--nazwa", kNazwa});
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, path + ": plik wniosków w wersji " + std::to_string(version) +
                             ", wnioski: 2, rekordy: 6\n");
        EXPECT_EQ(r.err, "");
    }
}

TEST(CliCheck, OptionsMayComeFirstAndTheExtensionInAnyCase) {
    TempDir dir;
    const std::string path = dir.file("DWA.RPA");
    test::writeFile(path, test::readFile(twoApplications(dir, 3)));
    EXPECT_EQ(run({"check", "--kod", "JSK", "--nazwa", kNazwa, path}).code, 0);
}

TEST(CliCheck, RefusedFileGivesTheReadersMessage) {
    TempDir dir;
    const std::string path = twoApplications(dir, 1);
    Result r = run({"check", path, "--kod", "JSK", "--nazwa", "INNY ZAKŁAD"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Błędny KOD lub NAZWA ZAKŁADU!\n");

    test::writeFile(path, test::readFile(path) + "\x01");
    r = run({"check", path, "--kod", "JSK", "--nazwa", kNazwa});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Nieoczekiwany koniec pliku w nagłówku rekordu !\n");

    r = run({"check", dir.file("brak.rpa"), "--kod", "JSK", "--nazwa", kNazwa});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Nie można otworzyć pliku " + dir.file("brak.rpa") + ": plik nie istnieje.\n");
}

TEST(CliCheck, Dictionary) {
    const Result good = run({"check", TAVIK_BUNDLED_DICTIONARY});
    EXPECT_EQ(good.code, 0);
    EXPECT_EQ(good.out, std::string(TAVIK_BUNDLED_DICTIONARY) +
                            ": zakłady 15, województwa 16, obywatelstwa 33, działy ubezpieczeń 2, "
                            "wykształcenie 8, rodzaje działalności 15, grupy działu 1: 5, grupy "
                            "działu 2: 18, formy prawne 8, rodzaje dokumentów 8, rodzaje "
                            "rejestrów 7; zakłady z kodem 15, w tym czynne 15\n");
    TempDir dir;
    std::string damaged = test::readFile(TAVIK_BUNDLED_DICTIONARY);
    damaged[damaged.find("OPOLSKIE")] = 'X';
    test::writeFile(dir.file("slownik.DIC"), damaged);
    const Result bad = run({"check", dir.file("slownik.DIC")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "Błąd sumy kontrolnej słownika dla województw!\n");
}

// A version-3 sample of entries and updates written as an application file of one application
// per file would be; here: the whole document, to export it.
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

TEST(CliExportImport, ExportedFileImportsAndSplitsIntoOneFilePerApplication) {
    TempDir dir;
    const std::string rpa = sampleFile(dir, 2, 3);
    const std::string cia = dir.file("wymiana.cia");
    Result r = run({"export", "--kod", "JSK", "--nazwa", kNazwa, "--slownik",
                    TAVIK_BUNDLED_DICTIONARY, rpa, cia});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, cia + ": wiersze 30\n");

    r = run({"check", "--slownik", TAVIK_BUNDLED_DICTIONARY, "--kod", "JSK", "--dzial", "2", cia});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, cia +
                         ": plik wymiany, wnioski 3, agenci 3, pracownicy 10, polisy 4, "
                         "pełnomocnictwa 4, członkowie zarządu 6\n");

    r = run({"import", "--kod", "JSK", "--nazwa", kNazwa, "--dzial", "2", "--slownik",
             TAVIK_BUNDLED_DICTIONARY, dir.file("czesc"), cia});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("czesc_1.rpa") + "\n" + dir.file("czesc_2.rpa") + "\n" +
                         dir.file("czesc_3.rpa") + "\n");
    for (int part = 1; part <= 3; ++part)
        EXPECT_EQ(run({"check", "--kod", "JSK", "--nazwa", kNazwa,
                       dir.file("czesc_" + std::to_string(part) + ".rpa")})
                      .code,
                  0);
}

TEST(CliExportImport, RefusalsGiveTheReadersMessage) {
    TempDir dir;
    test::writeFile(dir.file("zle.cia"), "XYZ;JSK;1;\r\n");
    Result r = run({"check", "--slownik", TAVIK_BUNDLED_DICTIONARY, "--kod", "JSK", "--dzial", "2",
                    dir.file("zle.cia")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Wystąpił błąd w linii 1\nBłędny typ rekordu !\n");

    test::writeFile(dir.file("zla.coa"), "XYZ;\r\n");
    r = run({"check", "--kod", "JSK", dir.file("zla.coa")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Błędny format pliku odpowiedzi\n");

    EXPECT_EQ(run({"import", "--kod", "JSK", dir.file("baza")}).code, 2);
    r = run({"export", "--kod", "KRM", "--nazwa", "X", sampleFile(dir, 3, 1), dir.file("x.cia")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Błędny KOD lub NAZWA ZAKŁADU!\n");
}

TEST(CliExportImport, ExportOfADocumentWithoutApplicationsIsRefusedAndTheFileKept) {
    TempDir dir;
    test::RpaFileBuilder b(3);
    b.zaklad();
    test::writeFile(dir.file("pusty.rpa"), b.file());
    test::writeFile(dir.file("stary.cia"), "WNI;JSK;1/2026;WPIS;01.01.2026;<E>;\r\n");
    const Result r = run({"export", "--kod", "JSK", "--nazwa", kNazwa, dir.file("pusty.rpa"),
                          dir.file("stary.cia")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Brak danych do odczytu/zapisu w pliku!\n");
    EXPECT_EQ(test::readFile(dir.file("stary.cia")), "WNI;JSK;1/2026;WPIS;01.01.2026;<E>;\r\n");
}

// The import splits all or nothing: a full disk at the second part leaves no part behind and
// says which file and why.
TEST(CliExportImport, ImportFailingHalfWayWritesNoPart) {
    TempDir dir;
    const std::string cia = dir.file("wymiana.cia");
    ASSERT_EQ(run({"export", "--kod", "JSK", "--nazwa", kNazwa, "--slownik",
                   TAVIK_BUNDLED_DICTIONARY, sampleFile(dir, 3, 3), cia})
                  .code,
              0);
    test::FaultyFileSystem system;
    system.failWritesToFile = 2;
    const Result r = run({"import", "--kod", "JSK", "--nazwa", kNazwa, "--dzial", "2", "--slownik",
                          TAVIK_BUNDLED_DICTIONARY, dir.file("czesc"), cia});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.\nPlik: " +
                         dir.file("czesc_2.rpa") + "\nPrzyczyna: brak miejsca na dysku\n");
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"dane3.rpa", "wymiana.cia"}));
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

    const auto refused = [&](const std::string& name, const std::string& reason) {
        SCOPED_TRACE(name);
        const Result r = run({"check", "--kod", "JSK", "--nazwa", kNazwa, "--dzial", "2",
                              "--slownik", TAVIK_BUNDLED_DICTIONARY, dir.file(name)});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        const std::string what =
            name.ends_with(".dic") ? "Nie można odczytać słownika " : "Nie można otworzyć pliku ";
        EXPECT_EQ(r.err, what + dir.file(name) + ": " + reason + ".\n");
    };
    refused("zero.coa", "to nie jest zwykły plik");
    refused("zero.rpa", "to nie jest zwykły plik");
    refused("potok.rpa", "to nie jest zwykły plik");
    refused("potok.cia", "to nie jest zwykły plik");
    refused("potok.coa", "to nie jest zwykły plik");
    refused("potok.dic", "to nie jest zwykły plik");
    refused("katalog.rpa", "to jest katalog");
    refused("katalog.coa", "to jest katalog");
    refused("duzy.coa",
            "plik jest zbyt duży (268435457 bajtów, a dopuszczalne jest najwyżej 268435456 "
            "bajtów)");
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

TEST(CliCheck, ControlCharactersOfAFileAreShownEscaped) {
    TempDir dir;
    const Result r = run({"check", "--kod", "JSK", "--nazwa", kNazwa, craftedFile(dir)});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              "Błędny rodzaj operacji dla wniosku nr: 1/\\x1B[31m2026\\x81\\x7F\\x09\\x0D\n");
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
    EXPECT_EQ(run({}).code, 2);
    EXPECT_EQ(run({"sprawdz", "a.rpa"}).code, 2);
    EXPECT_EQ(run({"check"}).code, 2);
    EXPECT_EQ(run({"check", "a.rpa", "b.rpa", "--kod", "JSK", "--nazwa", "N"}).code, 2);
    EXPECT_EQ(run({"check", "a.txt", "--kod", "JSK", "--nazwa", "N"}).code, 2);
    EXPECT_EQ(run({"check", "a.rpa", "--kod"}).code, 2);
    EXPECT_EQ(run({"check", "a.rpa", "--kod", "JSK", "--nazwa", "N", "--kolor", "x"}).code, 2);
    const Result r = run({"check", "a.rpa", "--kod", "JSK", "--nazwa", "Muñoz"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("opcja --nazwa: Znak „ñ” (U+00F1) nie występuje w stronie kodowej 1250."),
              std::string::npos);
}

// The user's settings while it lives: TAVIK_REGISTRY names a file of the test's own.
class UserSettings {
public:
    explicit UserSettings(const TempDir& dir) {
        if (const char* previous = std::getenv("TAVIK_REGISTRY")) previous_ = previous;
        ::setenv("TAVIK_REGISTRY", dir.file("registry.json").c_str(), 1);
    }
    ~UserSettings() {
        if (previous_)
            ::setenv("TAVIK_REGISTRY", previous_->c_str(), 1);
        else
            ::unsetenv("TAVIK_REGISTRY");
    }
    void set(const char* name, const std::string& utf8) {
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        ASSERT_TRUE(key && key->writeString(QString::fromUtf8(name), QString::fromStdString(utf8)));
    }

private:
    std::optional<std::string> previous_;
};

TEST(CliSettings, OptionsLeftOutTakeTheUsersSettings) {
    TempDir dir;
    UserSettings settings(dir);
    settings.set("Kod ZU", "JSK");
    settings.set("Nazwa ZU", kNazwa);
    settings.set("Dział ubezpieczeń",
                 "POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE");
    settings.set("Katalog słowników",
                 std::filesystem::path(TAVIK_BUNDLED_DICTIONARY).parent_path().string());

    // The policies of a version-2 file take their insurers' codes from the user's dictionary.
    const std::string rpa = sampleFile(dir, 2, 3);
    const std::string cia = dir.file("wymiana.cia");
    Result r = run({"export", rpa, cia});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, cia + ": wiersze 30\n");
    ASSERT_EQ(run({"export", "--kod", "JSK", "--nazwa", kNazwa, "--slownik",
                   TAVIK_BUNDLED_DICTIONARY, rpa, dir.file("podane.cia")})
                  .code,
              0);
    EXPECT_EQ(test::readFile(cia), test::readFile(dir.file("podane.cia")));

    r = run({"check", cia});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, cia +
                         ": plik wymiany, wnioski 3, agenci 3, pracownicy 10, polisy 4, "
                         "pełnomocnictwa 4, członkowie zarządu 6\n");
    r = run({"import", dir.file("czesc"), cia});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("czesc_1.rpa") + "\n" + dir.file("czesc_2.rpa") + "\n" +
                         dir.file("czesc_3.rpa") + "\n");
    EXPECT_EQ(run({"check", dir.file("czesc_2.rpa")}).code, 0);

    // A given option comes before the setting.
    settings.set("Kod ZU", "KRM");
    r = run({"check", rpa});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Błędny KOD lub NAZWA ZAKŁADU!\n");
    EXPECT_EQ(run({"check", "--kod", "JSK", rpa}).code, 0);

    settings.set("Nazwa ZU", "Muñoz");
    r = run({"check", "--kod", "JSK", rpa});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("opcja --nazwa (z ustawień programu): Znak „ñ” (U+00F1) nie występuje "
                         "w stronie kodowej 1250."),
              std::string::npos);
}

// Whatever else goes wrong inside a command is a message and exit code 1, never an abort:
// here the file system's own exception for a dictionary that is a loop of links.
TEST(CliSettings, AnyOtherFailureIsAMessage) {
    TempDir dir;
    UserSettings settings(dir);
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
    UserSettings settings(dir);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string rpa = sampleFile(dir, 2, 1);

    // No undertaking is configured: its placeholder name is no document's.
    Result r = run({"check", "--kod", "JSK", twoApplications(dir, 1)});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Błędny KOD lub NAZWA ZAKŁADU!\n");
    test::writeFile(dir.file("x.cia"), "");
    r = run({"check", "--kod", "JSK", "--dzial", "2", dir.file("x.cia")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Nie można odczytać słownika " + dir.path() +
                         "/Slowniki/slownik.dic: plik nie istnieje.\n");
    // The export needs no dictionary where the user has none.
    r = run({"export", "--kod", "JSK", "--nazwa", kNazwa, rpa, dir.file("x.cia")});
    EXPECT_EQ(r.code, 0) << r.err;
    std::filesystem::current_path(previous);
}

// The installed program, as a script calls it: exit codes and the two streams.
TEST(CliProgram, ExitCodesAndStreams) {
    TempDir dir;
    const std::string path = twoApplications(dir, 2);
    const auto shell = [&](const std::string& args) {
        const std::string command = "timeout 60 " + std::string(TAVIK_CLI_PATH) + " " + args +
                                    " 2>" + dir.file("err") + " >" + dir.file("out");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(shell("check '" + path + "' --kod JSK --nazwa '" + kNazwa + "'"), 0);
    EXPECT_EQ(test::readFile(dir.file("out")),
              path + ": plik wniosków w wersji 2, wnioski: 2, rekordy: 6\n");
    EXPECT_EQ(shell("check '" + path + "' --kod KRM --nazwa '" + kNazwa + "'"), 1);
    EXPECT_EQ(test::readFile(dir.file("err")), "Błędny KOD lub NAZWA ZAKŁADU!\n");
    EXPECT_EQ(shell("check"), 2);

    // Files that are not regular files: refused at once (a pipe must not make it wait).
    ASSERT_EQ(::symlink("/dev/zero", dir.file("x.coa").c_str()), 0);
    EXPECT_EQ(shell("check --kod JSK '" + dir.file("x.coa") + "'"), 1);
    EXPECT_EQ(test::readFile(dir.file("err")),
              "Nie można otworzyć pliku " + dir.file("x.coa") + ": to nie jest zwykły plik.\n");
    ASSERT_EQ(::mkfifo(dir.file("x.rpa").c_str(), 0644), 0);
    EXPECT_EQ(shell("check --kod JSK --nazwa N '" + dir.file("x.rpa") + "'"), 1);
    EXPECT_EQ(test::readFile(dir.file("err")),
              "Nie można otworzyć pliku " + dir.file("x.rpa") + ": to nie jest zwykły plik.\n");

    // A crafted record's control characters never reach the terminal raw.
    EXPECT_EQ(shell("check --kod JSK --nazwa '" + kNazwa + "' '" + craftedFile(dir) + "'"), 1);
    EXPECT_EQ(test::readFile(dir.file("err")),
              "Błędny rodzaj operacji dla wniosku nr: 1/\\x1B[31m2026\\x81\\x7F\\x09\\x0D\n");
}

}  // namespace
}  // namespace tavik
