// The frame's check of its installed files, in a program of its own: copied beside an installed
// Tavik it finds what Tavik finds, until Tavik itself answers TAVIK_SELFTEST.

#include <QApplication>

#include "shell/SelfTest.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return tavik::selfTestIfAsked().value_or(2);
}
