#include "document/PrintPage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "document/DocumentTree.h"
#include "document/ResponseView.h"
#include "model/Cp1250.h"
#include "model/TextValues.h"

namespace tavik {

namespace {

// The records a page is filled from.
struct Sources {
    const TRecWniosek* application = nullptr;
    const TRecZU* undertaking = nullptr;
    const TreeNode* agentNode = nullptr;
    const TRecAgenta* agent = nullptr;
};

Sources sourcesOf(const TreeNode& application) {
    Sources s;
    s.application = dynamic_cast<const TRecWniosek*>(application.record());
    if (application.parent())
        s.undertaking = dynamic_cast<const TRecZU*>(application.parent()->record());
    if (const TreeNode* agent = DocumentTree::agentOf(&application)) {
        s.agent = dynamic_cast<const TRecAgenta*>(agent->record());
        if (s.agent) s.agentNode = agent;
    }
    return s;
}

// The page as it grows, in UTF-8: record fields (code page 1250) are converted, fixed texts and
// the settings go in as they are, so a setting with a character the code page lacks still prints.
class Page {
public:
    explicit Page(std::string& out) : out_(out) {}
    Page& operator<<(std::string_view utf8) {
        out_ += utf8;
        return *this;
    }
    Page& operator<<(const Field& field) {
        out_ += cp1250::toUtf8(field.view());
        return *this;
    }
    Page& operator<<(std::size_t number) {
        out_ += std::to_string(number);
        return *this;
    }

private:
    std::string& out_;
};

// The records of one of the agent's categories, in tree order; none when the agent has no
// categories (an agent of a deletion) or there is no agent.
template <class Record>
std::vector<const Record*> recordsOf(const Sources& s, DocumentTree::Category category) {
    std::vector<const Record*> out;
    const TreeNode* node = DocumentTree::categoryOf(s.agentNode, category);
    if (!node) return out;
    out.reserve(node->childCount());
    for (const auto& child : node->children())
        if (const auto* record = dynamic_cast<const Record*>(child->record()))
            out.push_back(record);
    return out;
}

constexpr std::string_view kPageBreak =
    "<br clear=all style='page-break-before:always;mso-break-type:section-break'>";

using Writer = void (*)(Page&, const Sources&, const PrintSettings&);

void nothing(Page&, const Sources&, const PrintSettings&) {}

template <Field TRecAgenta::*F>
void agentField(Page& p, const Sources& s, const PrintSettings&) {
    if (s.agent) p << s.agent->*F;
}

template <Field TRecAgenta::*Street, Field TRecAgenta::*House, Field TRecAgenta::*Flat>
void agentAddress(Page& p, const Sources& s, const PrintSettings&) {
    if (s.agent) p << s.agent->*Street << " " << s.agent->*House << " " << s.agent->*Flat;
}

void place(Page& p, const Sources&, const PrintSettings& settings) {
    p << settings.place << ", " << settings.today;
}

void signer(Page& p, const Sources&, const PrintSettings& settings) {
    p << settings.signer;
}

void division(Page& p, const Sources&, const PrintSettings& settings) {
    p << settings.division;
}

void applicationDate(Page& p, const Sources& s, const PrintSettings&) {
    if (s.application) p << s.application->DataWniosku;
}

void undertakingName(Page& p, const Sources& s, const PrintSettings&) {
    if (s.undertaking) p << s.undertaking->NazwaZU;
}

void deletionDate(Page& p, const Sources& s, const PrintSettings&) {
    if (const auto* agent = dynamic_cast<const TRecAgenta3*>(s.agent))
        p << agent->DATA_ROZW_UM_AGENCYJNEJ;
}

void bankOrCooperative(Page& p, const Sources& s, const PrintSettings&) {
    if (!s.agent) return;
    const int item = activityItem(s.agent->ZWOLNIONY);
    if (item == 2) p << " Bank";
    if (item == 3) p << " Skok";
}

void mainActivity(Page& p, const Sources& s, const PrintSettings&) {
    if (!s.agent || s.agent->DzialalnoscPodstawowa.isEmpty()) return;
    p << (s.agent->DzialalnoscPodstawowa == texts::INNE.view() ? s.agent->InnaDzialalnosc
                                                               : s.agent->DzialalnoscPodstawowa);
}

void documentLabel(Page& p, const Sources& s, const PrintSettings&) {
    if (!s.agent) return;
    p << (s.agent->RodzajDokumentuOsFizAgenta == texts::DOWOD_OSOBISTY.view() ? "5. PESEL"
                                                                              : "5. Seria i nr");
}

void agentPesel(Page& p, const Sources& s, const PrintSettings&) {
    if (s.agent && !s.agent->PESEL.isEmpty()) p << s.agent->PESEL;
}

void deletionReasons(Page& p, const Sources& s, const PrintSettings&) {
    static constexpr std::string_view kReasons[] = {
        "<p>prowadzenie działalności z naruszeniem przepisów prawa </p>",
        "<p>prowadzenie działalności z naruszeniem umowy agencyjnej </p>",
        "<p>prowadzenie działalności z naruszeniem staranności </p>",
        "<p>prowadzenie działalności z naruszeniem dobrych obyczajów </p>",
    };
    const auto* agent = dynamic_cast<const TRecAgenta3*>(s.agent);
    if (!agent) return;
    const std::uint32_t reasons = hexadecimal32(agent->Przyczyny.view());
    for (std::size_t i = 0; i < std::size(kReasons); ++i)
        if ((reasons >> (8 * i) & 0xFFu) == 0xFFu) p << kReasons[i];
}

template <DocumentTree::Category C>
void personList(Page& p, const Sources& s, const PrintSettings&) {
    const auto persons = recordsOf<TRecOsoba>(s, C);
    for (std::size_t i = 0; i < persons.size(); ++i)
        p << "<p>" << i + 1 << ". " << persons[i]->Imie << " " << persons[i]->Nazwisko << ", "
          << persons[i]->PESEL << "</p>";
}

// ---- The board members' blocks ----------------------------------------------------------

constexpr std::string_view kCell = "<TD width=170><FONT face=Arial size=4>";
constexpr std::string_view kCellEnd = "</FONT></TD>";
constexpr std::string_view kRow = "<TR vAlign=top>";
constexpr std::string_view kRowEnd = "</TR>";

void emptyCells(Page& p, int count) {
    for (int i = 0; i < count; ++i)
        p << kCell << kCellEnd;
}

void labelled(Page& p, std::string_view label, const Field& value) {
    p << kCell << label << kCellEnd << kCell << value << kCellEnd;
}

// A row of one labelled value and two empty cells.
void singleRow(Page& p, std::string_view label, const Field& value) {
    p << kRow;
    labelled(p, label, value);
    emptyCells(p, 2);
    p << kRowEnd;
}

void doubleRow(Page& p, std::string_view label1, const Field& value1, std::string_view label2,
               const Field& value2) {
    p << kRow;
    labelled(p, label1, value1);
    labelled(p, label2, value2);
    p << kRowEnd;
}

void boardMember(Page& p, const TRecOsoba& m) {
    p << "<DIV align=right><B><FONT face=Arial size=6>/C</FONT></B></DIV><BR>"
         "<DIV align=center><B><FONT face=Arial size=4>przedsiębiorca prowadzący działalność "
         "agencyjną, bądź wspólnik spółki nie posiadający osobowści prawnej, bądź członek "
         "zarządu osoby prawnej</FONT></B><FONT face=Arial size=4></FONT></DIV><BR>"
         "<TABLE border=0><TBODY>";
    doubleRow(p, "1. Nazwisko", m.Nazwisko, "2. Drugie nazwisko", m.Nazwisko_drugi_czlon);
    doubleRow(p, "3. Imię ", m.Imie, "4. Imię drugie", m.Imie2);
    if (m.Typ_Dokumentu == texts::DOWOD_OSOBISTY.view()) {
        singleRow(p, "5. Pesel", m.PESEL);
    } else {
        p << kRow
          << "<TD width=170><FONT face=Arial size=4>6. Rodzaj dokumentu tożsamości</FONT><SUP>"
             "<FONT face=Arial size=4>1)</FONT></SUP></P></TD>"
          << kCell << m.Typ_Dokumentu << kCellEnd
          << "<TD width=180><FONT face=Arial size=4>7. Nr dokumentu tożsamości</FONT><SUP>"
             "<FONT face=Arial size=4>1)</FONT></SUP></TD>"
          << kCell << m.PESEL << kCellEnd << kRowEnd;
    }
    p << kRow << kCell << "8. Adres" << kCellEnd << kCell << m.Ulica << " " << m.NumerDomu << " "
      << m.NumerLokalu << kCellEnd;
    emptyCells(p, 2);
    p << kRowEnd;
    doubleRow(p, "9. Kod", m.KodPocztowy, "10. Poczta", m.POCZTA);
    singleRow(p, "11. Miasto", m.Miejscowosc);
    p << kRow;
    emptyCells(p, 4);
    p << kRowEnd;
    singleRow(p, "12. Obywatelstwo ", m.Obywatelstwo);
    doubleRow(p, "13. Imię ojca", m.ImieOjca, "14. Imię matki", m.ImieMatki);
    singleRow(p, "15. Wykształcenie", m.WYKSZTALCENIE);
    singleRow(p, "16. Nr zezwolenia na wykonywanie czynności agenta ubezpieczeniowego",
              m.Nr_zezwolenia);
    if (!m.Numer_w_RA.isEmpty())
        singleRow(p, "17. Numer w Rejestrze Agentów dla pracownika", m.Numer_w_RA);
    p << kRow << "</TBODY></TABLE><BR>";
}

void boardBlocks(Page& p, const Sources& s, const PrintSettings&) {
    const auto members = recordsOf<TRecOsoba>(s, DocumentTree::ZARZAD);
    for (std::size_t i = 0; i < members.size(); ++i) {
        boardMember(p, *members[i]);
        if (i + 1 < members.size()) p << kPageBreak;
    }
}

// ---- Policies and powers of attorney ----------------------------------------------------

void policies(Page& p, const Sources& s, const PrintSettings&) {
    for (const TRecPolisaOC* policy : recordsOf<TRecPolisaOC>(s, DocumentTree::POLISY)) {
        p << "<TABLE border=0><TBODY><TR vAlign=top><TD width=342><FONT face=Arial size=4>20. Nr "
             "polisy OC<BR>"
          << policy->ID_PolisyOC
          << "</FONT></TD><TD width=342><FONT face=Arial size=4>21. Nazwa Zakładu Ubezpieczeń "
             "wystawiającego polisę OC<BR>"
          << policy->Nazwa_zakladu
          << "</FONT></P></TD></TR></TBODY></TABLE>"
             "<P><TABLE border=0><TBODY><TR vAlign=top><TD width=342><FONT face=Arial size=4>";
        if (policy->WazneDo.isEmpty())
            p << "22. Termin ważności polisy (od - do)<BR>" << policy->WazneOd << " - bezterminowo";
        else
            p << "23. Termin ważności polisy (od - do)<BR>" << policy->WazneOd << " - "
              << policy->WazneDo;
        p << "</FONT></P></TD><TD width=209><FONT face=Arial size=4>22. Suma gwarancyjna<BR>"
          << policy->Suma_ubezpieczenia << " PLN</FONT></TD></TR></TBODY></TABLE><BR>";
    }
}

void powerRow(Page& p, std::string_view label) {
    p << "<TR vAlign=top><TD width=268><FONT face=Arial size=4>" << label
      << "</FONT></TD><TD width=226><FONT face=Arial size=4>";
}

void powersOfAttorney(Page& p, const Sources& s, const PrintSettings& settings) {
    const auto powers = recordsOf<TRecPelnomocnictwo>(s, DocumentTree::PELNOMOCNICTWA);
    if (powers.empty()) return;
    p << "<DIV align=right><BR><I><FONT face=Arial size=4>Część IV</FONT></I></DIV>"
         "<DIV align=left><FONT face=Arial size=4><B>Dane dotyczące pełnomocnictwa udzielonego "
         "Agentowi przez Zakład Ubezpieczeń </B></FONT></DIV>"
         "<TABLE border=0><TBODY><TR vAlign=top><TD width=150><FONT face=Arial size=4>Dział "
         "ubezpieczenia: </FONT></TD><TD width=450><FONT face=\"Times New Roman\" size=4>"
      << settings.division << "</FONT></TD></TR></TBODY></TABLE>";
    constexpr std::string_view kValueEnd = "</FONT></TD></TR>";
    for (std::size_t i = 0; i < powers.size(); ++i) {
        const TRecPelnomocnictwo& power = *powers[i];
        p << "<TABLE border=0><TBODY>";
        if (power.WazneDo.isEmpty())
            p << "<BR><DIV align=left><FONT face=Arial size=4><B>Okres obowiązywania "
                 "pełnomocnictwa (od – do): </B></FONT><FONT face=Arial size=4>"
              << power.WazneOd << " - bezterminowo</FONT></DIV>";
        else
            p << "<BR><DIV align=left><FONT face=Arial size=4>Okres obowiązywania pełnomocnictwa "
                 "od – do): </FONT></TD><TD width=226><FONT face=Arial size=4>"
              << power.WazneOd << " - " << power.WazneDo << "</FONT></DIV>";
        powerRow(p, "1. Grupa ubezpieczenia");
        p << power.NazwaGrupy << kValueEnd;
        powerRow(p, "2. Rodzaj ubezpieczenia");
        p << power.RodzajUbezpieczenia << kValueEnd;
        powerRow(p, "3. Max. wysokość ubezpieczenia");
        p << power.MaksKwotaUbezpieczenia << " " << power.Waluta << kValueEnd;
        powerRow(p, "4. Obszar obowiązywania pełnomocnictwa");
        p << power.ObszarDzialalnosci << kValueEnd;
        // Every other power carries the note and a new page follows it. The other powers close
        // their table too: left open, it takes in every power after it, and they run off the page.
        if (i % 2 == 0) {
            p << "</TBODY></TABLE><P><FONT face=Arial>Uwaga:</FONT><P><FONT face=Arial>Jeśli "
                 "pełnomocnictwo obejmuje kilka grup i rodzajów ubezpieczeń każde z nich należy "
                 "wpisać osobno. </FONT>";
            if (i + 1 < powers.size()) p << kPageBreak;
        } else {
            p << "</TBODY></TABLE>";
        }
    }
}

// ---- The tags ---------------------------------------------------------------------------

struct TagEntry {
    std::string_view name;
    Writer write;
};

constexpr TagEntry kTags[] = {
    {"TMiejsce", place},
    {"TOsobaWniosek", signer},
    {"TData", applicationDate},
    {"TNazwaZakladu", undertakingName},
    {"TDzialUbezpieczenia", division},
    {"TNrRaAG", agentField<&TRecAgenta::NUMER_W_RA>},
    {"TNrAgenta", agentField<&TRecAgenta::NUMER_W_RA>},
    {"TNrWpisu", agentField<&TRecAgenta::NUMER_W_RA>},
    {"TNazwiskoAgenta", agentField<&TRecAgenta::Nazwisko>},
    {"TNazwisko2Agenta", agentField<&TRecAgenta::Nazwisko2>},
    {"TImieAgenta", agentField<&TRecAgenta::Imie>},
    {"TDrugieImieAgenta", agentField<&TRecAgenta::Imie2>},
    {"TAdresAgenta", agentAddress<&TRecAgenta::Ulica, &TRecAgenta::NrDomu, &TRecAgenta::NrLokalu>},
    {"TKodPocztowyAgenta", agentField<&TRecAgenta::KodPocztowy>},
    {"TPocztaAgenta", agentField<&TRecAgenta::Poczta>},
    {"TMiastoAgenta", agentField<&TRecAgenta::Miejscowosc>},
    {"TNazwaAgenta", agentField<&TRecAgenta::NazwaAgenta>},
    {"TFormaPrawnaAgenta", agentField<&TRecAgenta::FormaPrawna>},
    {"TNazwaRDG", agentField<&TRecAgenta::RodzajRejestru>},
    {"TNumerRej", agentField<&TRecAgenta::Numer_z_Rejestru>},
    {"TNumerwRejestrze", agentField<&TRecAgenta::Numer_z_Rejestru>},
    {"TObywatelstwoAgenta", agentField<&TRecAgenta::Obywatelstwo>},
    {"TAdresSiedzibyAgenta",
     agentAddress<&TRecAgenta::Ulica_SiedzibaAgenta, &TRecAgenta::NrDomu_SiedzibaAgenta,
                  &TRecAgenta::NrLokalu_SiedzibaAgenta>},
    {"TKodSiedzibyAgenta", agentField<&TRecAgenta::KodPocztowy_SiedzibaAgenta>},
    {"TMiastoSiedzibyAgenta", agentField<&TRecAgenta::Miejscowosc_SiedzibaAgenta>},
    {"TPocztaSiedzibyAgenta", agentField<&TRecAgenta::Poczta_SiedzibaAgenta>},
    // The templates still carry these, but the records have nothing for them.
    {"TGminaAgenta", nothing},
    {"TPowiatAgenta", nothing},
    {"TWojewodztwoAgenta", nothing},
    {"TKrajAgenta", nothing},
    {"TDataWykreslenia", deletionDate},
    {"TBankSkok", bankOrCooperative},
    {"TDzialalnoscPodstawowaAgenta", mainActivity},
    {"TypDokumentu", documentLabel},
    {"TPeselAgenta", agentPesel},
    {"TPrzyczyny", deletionReasons},
    {"TZarzadSkr", personList<DocumentTree::ZARZAD>},
    {"TOsobaFizyczna", personList<DocumentTree::PRACOWNICY>},
    {"TPracownicy", personList<DocumentTree::PRACOWNICY>},
    {"TZarzad", boardBlocks},
    {"TPolisa", policies},
    {"TPelnomocnictwo", powersOfAttorney},
};

void writeTag(Page& p, std::string_view name, const Sources& s, const PrintSettings& settings) {
    const auto* tag = std::find_if(std::begin(kTags), std::end(kTags),
                                   [name](const TagEntry& t) { return t.name == name; });
    if (tag != std::end(kTags)) tag->write(p, s, settings);
}

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

}  // namespace

std::string templateNameFor(const TRecWniosek& application) {
    if (application.TypWniosku == texts::WPIS.view()) return "wniosek o wpis.htm";
    if (application.TypWniosku == texts::AKTUALIZACJA.view()) return "wniosek o zmiane danych.htm";
    if (application.TypWniosku == texts::WYKRESLENIE.view()) return "wniosek o wykreslenie.htm";
    return {};
}

std::string tagText(std::string_view name, const TreeNode& application,
                    const PrintSettings& settings) {
    std::string out;
    Page page(out);
    writeTag(page, name, sourcesOf(application), settings);
    return out;
}

std::string fillTemplate(std::string_view templateBytes, const TreeNode& application,
                         const PrintSettings& settings) {
    const std::string_view t = templateBytes;
    const Sources sources = sourcesOf(application);
    std::string out;
    out.reserve(t.size() * 2);
    Page page(out);
    std::size_t copied = 0;  // the template is copied up to here
    std::size_t pos = 0;
    while ((pos = t.find("<#", pos)) != std::string_view::npos) {
        const std::size_t nameStart = pos + 2;
        std::size_t nameEnd = nameStart;
        while (nameEnd < t.size() && isNameChar(t[nameEnd]))
            ++nameEnd;
        if (nameEnd == nameStart) {  // "<#" without a name
            pos = nameStart;
            continue;
        }
        if (nameEnd == t.size()) break;  // never closed
        std::size_t close = nameEnd;
        if (t[nameEnd] != '>') {
            if (!isSpace(t[nameEnd])) {  // the name runs into something else
                pos = nameEnd;
                continue;
            }
            close = t.find('>', nameEnd);
            // No later tag can be closed either: the rest is copied as it is.
            if (close == std::string_view::npos) break;
        }
        out.append(t.substr(copied, pos - copied));
        writeTag(page, t.substr(nameStart, nameEnd - nameStart), sources, settings);
        copied = pos = close + 1;
    }
    out.append(t.substr(copied));
    return out;
}

}  // namespace tavik
