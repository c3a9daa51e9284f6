#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "document/DocumentTree.h"
#include "document/PrintPage.h"
#include "tests/support/RpaBytes.h"

namespace tavik {
namespace {

using test::u8;
using Values = std::initializer_list<std::pair<std::string_view, const char*>>;

// Every text field holds its own name (code page 1250), so each value shows where it came from;
// `values` (field name, UTF-8 text) replace some.
template <class R>
std::unique_ptr<R> named(Values values = {}) {
    auto r = std::make_unique<R>();
    for (FieldRef f : r->fields()) {
        if (f.field == &r->TypRekordu) continue;
        *f.field = u8(f.name);
        for (const auto& [name, value] : values)
            if (name == f.name) *f.field = u8(value);
    }
    return r;
}

TreeNode* application(DocumentTree& tree, const char* kind) {
    auto w = named<TRecWniosek>({{"TypWniosku", kind}});
    w->RodzajWniosku = std::string_view(kind) == "WPIS" ? 0 : 2;
    return tree.addApplication(std::move(w));
}

const PrintSettings kSettings{"Kraków", "JAN NOWAK", "DZIAŁ I – ŻYCIE", "2024-05-06"};
const std::string kPageBreak =
    "<br clear=all style='page-break-before:always;mso-break-type:section-break'>";

// An entry whose agent has two board members, two employees, three powers and two policies,
// each category added against its tree order.
struct PrintPage : ::testing::Test {
    void SetUp() override {
        tree.setRoot(std::make_unique<TRecZU>("JSK", u8("TOWARZYSTWO JASKÓŁKA")));
        app = application(tree, "WPIS");
        auto a = named<TRecAgenta3>({{"Nazwisko", "ŻÓŁĆ"}});
        agent = a.get();
        agentNode = tree.addAgent(app, std::move(a));
        person(KIND_ZARZAD, "ZAWADA", "BOGDAN", "PASZPORT", "AB123456", "RA/2");
        person(KIND_ZARZAD, "ADAMIAK", "ANNA", "DOWÓD OSOBISTY", "80010112345", "<E>");
        person(KIND_PRACOWNIK, "BORSUK", "ŁUKASZ", "PASZPORT", "<E>", "<E>");
        person(KIND_PRACOWNIK, "ADAMSKA", "EWA", "DOWÓD OSOBISTY", "90020254321", "<E>");
        power("01.01.2024", "<E>", "GRUPA 1");
        power("01.02.2024", "31.12.2025", "GRUPA 2");
        power("01.03.2024", "<E>", "GRUPA 3");
        policy("OC/2", "01.02.2024", "31.12.2025");
        policy("OC/1", "01.01.2024", "<E>");
    }
    void person(RecordKind kind, const char* surname, const char* name, const char* document,
                const char* number, const char* ra) {
        const Values v = {{"Nazwisko", surname},
                          {"Imie", name},
                          {"Typ Dokumentu", document},
                          {"PESEL/SERIA/NR", number},
                          {"Numer w RA", ra}};
        add(kind, kind == KIND_ZARZAD ? std::unique_ptr<TRecord>(named<TRecZarzad>(v))
                                      : named<TRecPracownik>(v));
    }
    void power(const char* from, const char* to, const char* group) {
        add(KIND_PELNOMOCNICTWO,
            named<TRecPelnomocnictwo>({{"WazneOd", from}, {"WazneDo", to}, {"NazwaGrupy", group}}));
    }
    void policy(const char* id, const char* from, const char* to) {
        add(KIND_POLISA,
            named<TRecPolisaOC>({{"ID_PolisyOC", id}, {"WazneOd", from}, {"WazneDo", to}}));
    }
    void add(RecordKind kind, std::unique_ptr<TRecord> r) {
        ASSERT_NE(tree.addRecord(agentNode, std::move(r), kind), nullptr);
    }
    std::string tag(std::string_view name) const { return tagText(name, *app, kSettings); }

    DocumentTree tree{3};
    TreeNode *app = nullptr, *agentNode = nullptr;
    TRecAgenta3* agent = nullptr;
};

struct TagCase {
    const char* tag;
    const char* expected;
};

// The first five come from the application, the undertaking and the settings.
// clang-format off
const TagCase kTags[] = {
    {"TMiejsce", "Kraków, 2024-05-06"}, {"TOsobaWniosek", "JAN NOWAK"}, {"TData", "DataWniosku"},
    {"TNazwaZakladu", "TOWARZYSTWO JASKÓŁKA"}, {"TDzialUbezpieczenia", "DZIAŁ I – ŻYCIE"},
    {"TNrRaAG", "NUMER_W_RA"}, {"TNrAgenta", "NUMER_W_RA"}, {"TNrWpisu", "NUMER_W_RA"},
    {"TNazwiskoAgenta", "ŻÓŁĆ"}, {"TNazwisko2Agenta", "Nazwisko2"}, {"TImieAgenta", "Imie"},
    {"TDrugieImieAgenta", "Imie2"}, {"TAdresAgenta", "Ulica NrDomu NrLokalu"},
    {"TKodPocztowyAgenta", "KodPocztowy"}, {"TPocztaAgenta", "Poczta"},
    {"TMiastoAgenta", "Miejscowosc"}, {"TNazwaAgenta", "NazwaAgenta"},
    {"TFormaPrawnaAgenta", "FormaPrawna"}, {"TNazwaRDG", "RodzajRejestru"},
    {"TNumerRej", "Numer_z_Rejestru"}, {"TNumerwRejestrze", "Numer_z_Rejestru"},
    {"TObywatelstwoAgenta", "Obywatelstwo"},
    {"TAdresSiedzibyAgenta", "Ulica_SiedzibaAgenta NrDomu_SiedzibaAgenta NrLokalu_SiedzibaAgenta"},
    {"TKodSiedzibyAgenta", "KodPocztowy_SiedzibaAgenta"},
    {"TMiastoSiedzibyAgenta", "Miejscowosc_SiedzibaAgenta"},
    {"TPocztaSiedzibyAgenta", "Poczta_SiedzibaAgenta"}, {"TGminaAgenta", ""}, {"TPowiatAgenta", ""},
    {"TWojewodztwoAgenta", ""}, {"TKrajAgenta", ""}, {"TDataWykreslenia", "DATA_ROZW_UM_AGENCYJNEJ"},
    {"TBankSkok", ""}, {"TDzialalnoscPodstawowaAgenta", "DzialalnoscPodstawowa"},
    {"TypDokumentu", "5. Seria i nr"}, {"TPeselAgenta", "PESEL/Seria/NR"}, {"TPrzyczyny", ""},
    {"TNieznany", ""}, {"tdata", ""},
    // Persons in tree order, whatever order they were added in.
    {"TPracownicy", "<p>1. EWA ADAMSKA, 90020254321</p><p>2. ŁUKASZ BORSUK, <E></p>"},
    {"TOsobaFizyczna", "<p>1. EWA ADAMSKA, 90020254321</p><p>2. ŁUKASZ BORSUK, <E></p>"},
    {"TZarzadSkr", "<p>1. ANNA ADAMIAK, 80010112345</p><p>2. BOGDAN ZAWADA, AB123456</p>"}};
// clang-format on

TEST_F(PrintPage, TagsTakeTheirFieldsAndTheSettings) {
    for (const TagCase& c : kTags)
        EXPECT_EQ(tag(c.tag), c.expected) << c.tag;
}

TEST_F(PrintPage, AgentValuesChooseTheText) {
    const std::string r1 = "<p>prowadzenie działalności z naruszeniem przepisów prawa </p>",
                      r2 = "<p>prowadzenie działalności z naruszeniem umowy agencyjnej </p>",
                      r3 = "<p>prowadzenie działalności z naruszeniem staranności </p>",
                      r4 = "<p>prowadzenie działalności z naruszeniem dobrych obyczajów </p>";
    using A = TRecAgenta3;
    const struct {
        Field A::*field;
        const char* value;
        const char* tag;
        std::string expected;
    } cases[] = {
        // clang-format off
        {&A::ZWOLNIONY, "1", "TBankSkok", ""}, {&A::ZWOLNIONY, "2", "TBankSkok", " Bank"},
        {&A::ZWOLNIONY, "3", "TBankSkok", " Skok"}, {&A::ZWOLNIONY, "3 ", "TBankSkok", ""},
        {&A::DzialalnoscPodstawowa, "<E>", "TDzialalnoscPodstawowaAgenta", ""},
        {&A::DzialalnoscPodstawowa, "INNE", "TDzialalnoscPodstawowaAgenta", "InnaDzialalnosc"},
        {&A::RodzajDokumentuOsFizAgenta, "DOWÓD OSOBISTY", "TypDokumentu", "5. PESEL"},
        {&A::PESEL, "<E>", "TPeselAgenta", ""},
        {&A::Przyczyny, "FF00FF", "TPrzyczyny", r1 + r3}, {&A::Przyczyny, "ff000000", "TPrzyczyny", r4},
        {&A::Przyczyny, "FFFFFFFF", "TPrzyczyny", r1 + r2 + r3 + r4},
        {&A::Przyczyny, "00FF00FE", "TPrzyczyny", r3}, {&A::Przyczyny, "1FFFFFFFF", "TPrzyczyny", ""},
        {&A::Przyczyny, "0xFF", "TPrzyczyny", ""}};
    // clang-format on
    for (const auto& c : cases) {
        const Field saved = agent->*c.field;
        agent->*c.field = u8(c.value);
        EXPECT_EQ(tag(c.tag), c.expected) << c.tag << " " << c.value;
        agent->*c.field = saved;
    }
}

// A board member's table row of label and value cells, "" for an empty one.
std::string row(std::initializer_list<std::string_view> cells) {
    std::string out = "<TR vAlign=top>";
    for (std::string_view c : cells)
        out += "<TD width=170><FONT face=Arial size=4>" + std::string(c) + "</FONT></TD>";
    return out + "</TR>";
}

// A member's block: the identity card's number, or the other document with its number; the
// register number only when there is one. Members in tree order, page breaks between them.
TEST_F(PrintPage, BoardMemberBlocks) {
    const auto block = [](const char* surname, const char* name, const char* document,
                          const char* number, const char* ra) {
        const std::string identity =
            document == std::string_view("DOWÓD OSOBISTY")
                ? row({"5. Pesel", number, "", ""})
                : "<TR vAlign=top><TD width=170><FONT face=Arial size=4>6. Rodzaj dokumentu "
                  "tożsamości</FONT><SUP><FONT face=Arial size=4>1)</FONT></SUP></P></TD>"
                  "<TD width=170><FONT face=Arial size=4>" +
                      std::string(document) +
                      "</FONT></TD><TD width=180><FONT face=Arial size=4>7. Nr dokumentu "
                      "tożsamości</FONT><SUP><FONT face=Arial size=4>1)</FONT></SUP></TD>"
                      "<TD width=170><FONT face=Arial size=4>" +
                      number + "</FONT></TD></TR>";
        return "<DIV align=right><B><FONT face=Arial size=6>/C</FONT></B></DIV><BR>"
               "<DIV align=center><B><FONT face=Arial size=4>przedsiębiorca prowadzący "
               "działalność agencyjną, bądź wspólnik spółki nie posiadający osobowści prawnej, "
               "bądź członek zarządu osoby prawnej</FONT></B><FONT face=Arial size=4></FONT>"
               "</DIV><BR><TABLE border=0><TBODY>" +
               row({"1. Nazwisko", surname, "2. Drugie nazwisko", "Nazwisko drugi człon"}) +
               row({"3. Imię ", name, "4. Imię drugie", "Imie2"}) + identity +
               row({"8. Adres", "Ulica NumerDomu NumerLokalu", "", ""}) +
               row({"9. Kod", "KodPocztowy", "10. Poczta", "POCZTA"}) +
               row({"11. Miasto", "Miejscowosc", "", ""}) + row({"", "", "", ""}) +
               row({"12. Obywatelstwo ", "Obywatelstwo", "", ""}) +
               row({"13. Imię ojca", "ImieOjca", "14. Imię matki", "ImieMatki"}) +
               row({"15. Wykształcenie", "WYKSZTAŁCENIE", "", ""}) +
               row({"16. Nr zezwolenia na wykonywanie czynności agenta ubezpieczeniowego",
                    "Nr zezwolenia", "", ""}) +
               (*ra ? row({"17. Numer w Rejestrze Agentów dla pracownika", ra, "", ""}) : "") +
               "<TR vAlign=top></TBODY></TABLE><BR>";
    };
    const std::string adamiak = block("ADAMIAK", "ANNA", "DOWÓD OSOBISTY", "80010112345", ""),
                      zawada = block("ZAWADA", "BOGDAN", "PASZPORT", "AB123456", "RA/2");
    EXPECT_EQ(tag("TZarzad"), adamiak + kPageBreak + zawada);
    person(KIND_ZARZAD, "CICHY", "CEZARY", "PASZPORT", "C1", "<E>");
    EXPECT_EQ(tag("TZarzad"), adamiak + kPageBreak +
                                  block("CICHY", "CEZARY", "PASZPORT", "C1", "") + kPageBreak +
                                  zawada);
}

TEST_F(PrintPage, PolicyBlocks) {
    auto policy = [](std::string_view id, std::string_view validity) {
        return "<TABLE border=0><TBODY><TR vAlign=top><TD width=342><FONT face=Arial size=4>20. "
               "Nr polisy OC<BR>" +
               std::string(id) +
               "</FONT></TD><TD width=342><FONT face=Arial size=4>21. Nazwa Zakładu Ubezpieczeń "
               "wystawiającego polisę OC<BR>Nazwa zakładu</FONT></P></TD></TR></TBODY></TABLE>"
               "<P><TABLE border=0><TBODY><TR vAlign=top><TD width=342><FONT face=Arial size=4>" +
               std::string(validity) +
               "</FONT></P></TD><TD width=209><FONT face=Arial size=4>22. Suma "
               "gwarancyjna<BR>Suma ubezpieczenia PLN</FONT></TD></TR></TBODY></TABLE><BR>";
    };
    EXPECT_EQ(
        tag("TPolisa"),
        policy("OC/1", "22. Termin ważności polisy (od - do)<BR>01.01.2024 - bezterminowo") +
            policy("OC/2", "23. Termin ważności polisy (od - do)<BR>01.02.2024 - 31.12.2025"));
}

TEST_F(PrintPage, PowerOfAttorneyBlock) {
    const std::string head =
        "<DIV align=right><BR><I><FONT face=Arial size=4>Część IV</FONT></I></DIV>"
        "<DIV align=left><FONT face=Arial size=4><B>Dane dotyczące pełnomocnictwa udzielonego "
        "Agentowi przez Zakład Ubezpieczeń </B></FONT></DIV>"
        "<TABLE border=0><TBODY><TR vAlign=top><TD width=150><FONT face=Arial size=4>Dział "
        "ubezpieczenia: </FONT></TD><TD width=450><FONT face=\"Times New Roman\" size=4>DZIAŁ I "
        "– ŻYCIE</FONT></TD></TR></TBODY></TABLE>";
    const std::string open = "<TABLE border=0><TBODY><BR><DIV align=left><FONT face=Arial size=4>";
    auto rows = [](std::string_view group) {
        std::string out;
        for (auto [label, value] :
             {std::pair{"1. Grupa ubezpieczenia", group},
              {"2. Rodzaj ubezpieczenia", "RodzajUbezpieczenia"},
              {"3. Max. wysokość ubezpieczenia", "MaksKwotaUbezpieczenia Waluta"},
              {"4. Obszar obowiązywania pełnomocnictwa", "ObszarDzialalnosci"}})
            out += "<TR vAlign=top><TD width=268><FONT face=Arial size=4>" + std::string(label) +
                   "</FONT></TD><TD width=226><FONT face=Arial size=4>" + std::string(value) +
                   "</FONT></TD></TR>";
        return out;
    };
    auto unbounded = [&](std::string_view from) {
        return open + "<B>Okres obowiązywania pełnomocnictwa (od – do): </B></FONT><FONT " +
               "face=Arial size=4>" + std::string(from) + " - bezterminowo</FONT></DIV>";
    };
    const std::string bounded = open +
                                "Okres obowiązywania pełnomocnictwa od – do): </FONT></TD><TD "
                                "width=226><FONT face=Arial size=4>01.02.2024 - "
                                "31.12.2025</FONT></DIV>";
    const std::string note =
        "</TBODY></TABLE><P><FONT face=Arial>Uwaga:</FONT><P><FONT face=Arial>Jeśli "
        "pełnomocnictwo obejmuje kilka grup i rodzajów ubezpieczeń każde z nich należy wpisać "
        "osobno. </FONT>";
    // The second power closes its table without the note: the third stands beside it, not in it.
    EXPECT_EQ(tag("TPelnomocnictwo"), head + unbounded("01.01.2024") + rows("GRUPA 1") + note +
                                          kPageBreak + bounded + rows("GRUPA 2") +
                                          "</TBODY></TABLE>" + unbounded("01.03.2024") +
                                          rows("GRUPA 3") + note);
}

TEST(PrintPageWithout, AgentOrCategoriesGivesNothingOfThem) {
    DocumentTree tree;
    tree.setRoot(std::make_unique<TRecZU>("JSK", u8("TOWARZYSTWO JASKÓŁKA")));
    TreeNode* deletion = application(tree, "WYKREŚLENIE");
    ASSERT_NE(tree.addAgent(deletion, named<TRecAgenta2>()), nullptr);
    TreeNode* bare = application(tree, "WPIS");
    // The agent is there, but before version 3 it has no deletion data.
    std::string shown;
    for (const char* name : {"TNazwaAgenta", "TDataWykreslenia", "TPrzyczyny", "TZarzad", "TPolisa",
                             "TPelnomocnictwo", "TZarzadSkr", "TOsobaFizyczna", "TPracownicy"})
        shown += tagText(name, *deletion, kSettings) + "|";
    EXPECT_EQ(shown, "NazwaAgenta|||||||||");
    for (std::size_t i = 0; i < std::size(kTags); ++i)
        EXPECT_EQ(tagText(kTags[i].tag, *bare, kSettings), i < 5 ? kTags[i].expected : "")
            << kTags[i].tag;
    EXPECT_EQ(
        fillTemplate("<#TZarzad><#TPracownicy><#TPolisa><#TPelnomocnictwo>", *bare, kSettings), "");
}

TEST(PrintPageTemplate, NameFollowsTheApplicationKind) {
    const TagCase cases[] = {{"WPIS", "wniosek o wpis.htm"},
                             {"AKTUALIZACJA", "wniosek o zmiane danych.htm"},
                             {"WYKREŚLENIE", "wniosek o wykreslenie.htm"},
                             {"WYKRESLENIE", ""},
                             {"wpis", ""},
                             {"WPIS ", ""},
                             {"NOWY", ""}};
    for (const TagCase& c : cases) {
        TRecWniosek w;
        w.TypWniosku = u8(c.tag);
        EXPECT_EQ(templateNameFor(w), c.expected) << c.tag;
    }
}

TEST_F(PrintPage, TemplateTextStaysByteForByte) {
    using namespace std::string_literals;
    const std::string plain = "<html>Zażółć \xFF\x00 <# <#> <#-x> <#TData-x> a<b #> <#TData a=b"s;
    EXPECT_EQ(fillTemplate(plain, *app, kSettings), plain);
    const TagCase cases[] = {
        {"<p>Łódź <#TData>|<#TNieznany>|<#TData a=b>|<#TData\tx=\"1\">|<#TData\ny>.",
         "<p>Łódź DataWniosku||DataWniosku|DataWniosku|DataWniosku."},
        {"<#<#TImieAgenta><#", "<#Imie<#"},
        {"<#TImieAgenta a <#TData>>", "Imie>"},
        {"<#TNazwiskoAgenta> <#TData", "ŻÓŁĆ <#TData"},
        {"", ""}};
    for (const TagCase& c : cases)
        EXPECT_EQ(fillTemplate(c.tag, *app, kSettings), c.expected) << c.tag;
}

TEST_F(PrintPage, LargeApplicationFillsEveryTag) {
    for (int i = 0; i < 48; ++i)
        person(KIND_PRACOWNIK, "PRACOWNIK", "P", "PASZPORT", "X", "<E>");
    for (int i = 0; i < 8; ++i)
        person(KIND_ZARZAD, "CZŁONEK", "C", "PASZPORT", "Y", "R");
    for (int i = 0; i < 17; ++i)
        power("01.01.2024", "<E>", "G");
    for (int i = 0; i < 18; ++i)
        policy("OC", "01.01.2024", "<E>");
    std::string page = "<#TZarzad><#TPelnomocnictwo>";
    for (const TagCase& c : kTags)
        page += std::string("<td>Pole: <#") + c.tag + " x=1></td>\n";
    page += "<#TPolisa>";

    const std::string filled = fillTemplate(page, *app, kSettings);
    EXPECT_NE(filled.find("<p>50. P PRACOWNIK, X</p>"), std::string::npos);
    EXPECT_EQ(filled.find("<#"), std::string::npos);
}

}  // namespace
}  // namespace tavik
