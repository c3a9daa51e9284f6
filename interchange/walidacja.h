#pragma once

#include "interchange/FieldChecks.h"
#include "model/Recdata.h"

// The record checks: each validates a record before it is stored, written or taken over from
// a text file, and leaves it in canonical form (";" replaced, values trimmed, dates written
// dd.mm.yyyy, fields the operation does not use set to "<E>"). A check returns normally or
// raises WalidationErr; the code says which rule failed. A failing check leaves the fields it
// already processed rewritten.
namespace tavik {

void SprawdzWniosek(int& code, TRecWniosek* record);

// The agent of a version-1, 2 or 3 document; the branch follows the agent's application.
void SprawdzAgenta(int& code, TRecAgenta* record);
void SprawdzAgenta2(int& code, TRecAgenta2* record);
void SprawdzAgenta3(int& code, TRecAgenta3* record);

void SprawdzPracownika(int& code, TRecPracownik* record);
void SprawdzCzlonkaZarzadu(int& code, TRecZarzad* record);

void SprawdzPolise(int& code, TRecPolisaOC* record);
void SprawdzPolise3(int& code, TRecPolisaOC3* record);

// Reads the "ZWOLNIONY" of the owning agent when there is one.
void SprawdzPelnomocnictwo(int& code, TRecPelnomocnictwo* record);

}  // namespace tavik
