#include <QtTest>

#include "flatpaint/IconLibrary.h"

namespace ti = tavik::icons;

// Written out here, so that a number the library forgets fails: records and windows, then the
// frame's commands.
const QList<int> kListed =
    QList<int>{ti::kDocumentWindow,  ti::kProgram,    ti::kDelete, ti::kPerson,
               ti::kTextFile,        ti::kPolicy,     ti::kAgent,  ti::kEmployee,
               ti::kPowerOfAttorney, ti::kApplication} +
    QList<int>{ti::kNewDocument,    ti::kOpen,         ti::kSave,           ti::kCascade,
               ti::kTile,           ti::kArrange,      ti::kConfiguration,  ti::kSplit,
               ti::kImport,         ti::kExport,       ti::kNewApplication, ti::kNewAgent,
               ti::kNewBoardMember, ti::kNewEmployee,  ti::kNewPolicy,      ti::kNewPowerOfAttorney,
               ti::kClose,          ti::kHelp,         ti::kFolder,         ti::kCalendar,
               ti::kAbout,          ti::kPrint,        ti::kSearch,         ti::kWarning,
               ti::kError,          ti::kCheckDocument};

class TestIconLibrary : public QObject {
    Q_OBJECT

private slots:
    void listedNumbersHaveDistinctPicturesAtThreeSizes();
    void unknownNumbersHaveNoPicture();
    void aMarkChangesOnlyTheLowerRightCorner();
};

void TestIconLibrary::listedNumbersHaveDistinctPicturesAtThreeSizes() {
    for (int number : kListed)
        QVERIFY2(ti::icon(number).availableSizes() == (QList<QSize>{{16, 16}, {24, 24}, {32, 32}}),
                 QByteArray::number(number));
    for (int size : {16, 24, 32}) {
        QList<QImage> earlier;
        for (int number : kListed) {
            const QImage image =
                ti::pixmap(number, size).toImage().convertToFormat(QImage::Format_ARGB32);
            const QByteArray what = QByteArray::number(number) + " at " + QByteArray::number(size);
            QVERIFY2(image.size() == QSize(size, size), what);
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            // Neither blank nor a filled square.
            QVERIFY2(opaque > size * size / 5 && opaque < size * size * 19 / 20,
                     what + ": " + QByteArray::number(opaque) + " opaque pixels");
            for (qsizetype i = 0; i < earlier.size(); ++i)
                QVERIFY2(image != earlier[i],
                         what + " looks like " + QByteArray::number(kListed[i]));
            earlier << image;
        }
    }
}

void TestIconLibrary::unknownNumbersHaveNoPicture() {
    // Beside the ends of the list and in its gaps, and a mark on no picture.
    for (int number : {-1, 2, 54, 59, 86, 86 | ti::kWarningMarked})
        QVERIFY2(ti::icon(number).isNull() && ti::pixmap(number, 32).isNull(),
                 QByteArray::number(number));
}

void TestIconLibrary::aMarkChangesOnlyTheLowerRightCorner() {
    for (int number : kListed) {
        const QImage plain = ti::pixmap(number, 16).toImage();
        const QImage marked = ti::pixmap(number | ti::kWarningMarked, 16).toImage();
        int changed = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (plain.pixel(x, y) != marked.pixel(x, y)) {
                    QVERIFY2(x >= 6 && y >= 4, QByteArray::number(number));
                    ++changed;
                }
        QVERIFY2(changed > 20, QByteArray::number(number));
    }
}

QTEST_MAIN(TestIconLibrary)
#include "test_IconLibrary.moc"
