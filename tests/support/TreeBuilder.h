#pragma once

#include <memory>
#include <string_view>

#include "document/DocumentTree.h"
#include "tests/support/RpaBytes.h"

namespace tavik::test {

// Small documents built as the pages build them.
struct TreeBuilder {
    DocumentTree tree{3};
    TreeBuilder() { tree.setRoot(std::make_unique<TRecZU>("JSK", u8("JASKÓŁKA"))); }

    TreeNode* application(const char* number, const char* kind = "WPIS") {
        auto a = std::make_unique<TRecWniosek>();
        a->NumerWniosku = u8(number);
        a->TypWniosku = u8(kind);
        a->RodzajWniosku = std::string_view(kind) == "WPIS"           ? 0
                           : std::string_view(kind) == "AKTUALIZACJA" ? 1
                                                                      : 2;
        return tree.addApplication(std::move(a));
    }
    TreeNode* agent(TreeNode* app, const char* name, const char* form = "SPÓŁKA Z O.O.",
                    const char* board = "<E>") {
        auto a = std::make_unique<TRecAgenta3>();
        a->NazwaAgenta = u8(name);
        a->FormaPrawna = u8(form);
        a->RodzajOperacji = static_cast<TRecWniosek*>(app->record())->TypWniosku;
        a->Liczba_czl_zarzadu = board;
        return tree.addAgent(app, std::move(a));
    }
    TreeNode* person(TreeNode* agent, RecordKind kind, const char* surname,
                     const char* name = "<E>", const char* ra = "<E>") {
        std::unique_ptr<TRecOsoba> p;
        if (kind == KIND_PRACOWNIK)
            p = std::make_unique<TRecPracownik>();
        else
            p = std::make_unique<TRecZarzad>();
        p->Nazwisko = u8(surname);
        p->Imie = u8(name);
        p->Numer_w_RA = ra;
        return tree.addRecord(agent, std::move(p), kind);
    }
    TreeNode* power(TreeNode* agent) {
        return tree.addRecord(agent, std::make_unique<TRecPelnomocnictwo>(), KIND_PELNOMOCNICTWO);
    }
    TreeNode* policy(TreeNode* agent, const char* id) {
        auto p = std::make_unique<TRecPolisaOC3>();
        p->ID_PolisyOC = id;
        return tree.addRecord(agent, std::move(p), KIND_POLISA);
    }
};

}  // namespace tavik::test
