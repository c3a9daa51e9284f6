#include <QImage>
#include <QPainter>
#include <QtTest>

#include "flatpaint/IconLibrary.h"

namespace ti = tavik::icons;

namespace {

struct Listed {
    int number;
    const char* name;
};

// Every number the header lists, written out here so that a number the library forgets fails.
const Listed kListed[] = {
    {ti::kDocumentWindow, "kDocumentWindow"},
    {ti::kProgram, "kProgram"},
    {ti::kDelete, "kDelete"},
    {ti::kPerson, "kPerson"},
    {ti::kTextFile, "kTextFile"},
    {ti::kPolicy, "kPolicy"},
    {ti::kAgent, "kAgent"},
    {ti::kEmployee, "kEmployee"},
    {ti::kPowerOfAttorney, "kPowerOfAttorney"},
    {ti::kApplication, "kApplication"},
    {ti::kNewDocument, "kNewDocument"},
    {ti::kOpen, "kOpen"},
    {ti::kSave, "kSave"},
    {ti::kCascade, "kCascade"},
    {ti::kTile, "kTile"},
    {ti::kArrange, "kArrange"},
    {ti::kConfiguration, "kConfiguration"},
    {ti::kSplit, "kSplit"},
    {ti::kImport, "kImport"},
    {ti::kExport, "kExport"},
    {ti::kNewApplication, "kNewApplication"},
    {ti::kNewAgent, "kNewAgent"},
    {ti::kNewBoardMember, "kNewBoardMember"},
    {ti::kNewEmployee, "kNewEmployee"},
    {ti::kNewPolicy, "kNewPolicy"},
    {ti::kNewPowerOfAttorney, "kNewPowerOfAttorney"},
    {ti::kClose, "kClose"},
    {ti::kHelp, "kHelp"},
    {ti::kFolder, "kFolder"},
    {ti::kCalendar, "kCalendar"},
    {ti::kAbout, "kAbout"},
    {ti::kPrint, "kPrint"},
    {ti::kSearch, "kSearch"},
};

constexpr int kSizes[] = {16, 24, 32};

QImage imageOf(int number, int size) {
    return ti::pixmap(number, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 128;
    return n;
}

}  // namespace

class TestIconLibrary : public QObject {
    Q_OBJECT

private slots:
    void everyListedNumberHasItsThreeSizes();
    void picturesAreNeitherBlankNorFilledSquares();
    void noTwoNumbersShareAPicture();
    void newRecordCommandsShowTheirRecordWithAMark();
    void unknownNumbersAndSizesHaveNoPicture();
    void picturesAreDrawnOnce();
    void contactSheet();
};

void TestIconLibrary::everyListedNumberHasItsThreeSizes() {
    for (const Listed& l : kListed) {
        const QIcon icon = ti::icon(l.number);
        QVERIFY2(!icon.isNull(), l.name);
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}}));
        for (int size : kSizes) {
            const QPixmap pm = ti::pixmap(l.number, size);
            QVERIFY2(!pm.isNull(), l.name);
            QCOMPARE(pm.size(), QSize(size, size));
            QCOMPARE(icon.pixmap(size).size(), QSize(size, size));
        }
    }
}

void TestIconLibrary::picturesAreNeitherBlankNorFilledSquares() {
    for (const Listed& l : kListed)
        for (int size : kSizes) {
            const int opaque = opaquePixels(imageOf(l.number, size));
            const int area = size * size;
            const QByteArray what = QByteArray(l.name) + " at " + QByteArray::number(size) + ": " +
                                    QByteArray::number(opaque) + " opaque pixels";
            QVERIFY2(opaque > area / 5, what);
            QVERIFY2(opaque < area * 19 / 20, what);
        }
}

void TestIconLibrary::noTwoNumbersShareAPicture() {
    for (int size : kSizes) {
        QList<QImage> images;
        for (const Listed& l : kListed)
            images << imageOf(l.number, size);
        for (qsizetype i = 0; i < images.size(); ++i)
            for (qsizetype j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i] != images[j], QByteArray(kListed[i].name) + " and " +
                                                     kListed[j].name + " at " +
                                                     QByteArray::number(size));
    }
}

// The six "new record" commands show the picture of their record, untouched in its upper and
// left halves, and a mark in the lower right quarter.
void TestIconLibrary::newRecordCommandsShowTheirRecordWithAMark() {
    const std::pair<int, int> pairs[] = {
        {ti::kNewApplication, ti::kApplication}, {ti::kNewAgent, ti::kAgent},
        {ti::kNewBoardMember, ti::kPerson},      {ti::kNewEmployee, ti::kEmployee},
        {ti::kNewPolicy, ti::kPolicy},           {ti::kNewPowerOfAttorney, ti::kPowerOfAttorney},
    };
    for (auto [command, record] : pairs)
        for (int size : kSizes) {
            const QImage withMark = imageOf(command, size), plain = imageOf(record, size);
            const int h = size / 2;
            const QByteArray what = QByteArray::number(command) + " at " + QByteArray::number(size);
            QVERIFY2(withMark.copy(0, 0, size, h) == plain.copy(0, 0, size, h), what);
            QVERIFY2(withMark.copy(0, 0, h, size) == plain.copy(0, 0, h, size), what);
            QVERIFY2(withMark.copy(h, h, h, h) != plain.copy(h, h, h, h), what);
            // The mark is green beside its white cross.
            const int at = int(11.5 * size / 16);
            const QRgb mark = withMark.pixel(at, at);
            QVERIFY2(qGreen(mark) > 2 * qRed(mark) && qGreen(mark) > 2 * qBlue(mark), what);
        }
}

void TestIconLibrary::unknownNumbersAndSizesHaveNoPicture() {
    for (int number : {-1, 2, 4, 10, 54, 59, 83, 1000}) {
        QVERIFY(ti::icon(number).isNull());
        QVERIFY(ti::pixmap(number).isNull());
        QVERIFY(ti::pixmap(number, 32).isNull());
    }
    QVERIFY(ti::pixmap(ti::kSave, 0).isNull());
    QVERIFY(ti::pixmap(ti::kSave, -16).isNull());
}

void TestIconLibrary::picturesAreDrawnOnce() {
    QCOMPARE(ti::pixmap(ti::kSave, 24).cacheKey(), ti::pixmap(ti::kSave, 24).cacheKey());
    QCOMPARE(ti::icon(ti::kSave).cacheKey(), ti::icon(ti::kSave).cacheKey());
    QCOMPARE(ti::icon(ti::kSave).pixmap(24).toImage(), ti::pixmap(ti::kSave, 24).toImage());
}

// With TAVIK_ICON_SHEET naming a PNG file, every picture is drawn there with its number: at its
// three sizes on white and on a toolbar grey, and enlarged without smoothing.
void TestIconLibrary::contactSheet() {
    const QString path = qEnvironmentVariable("TAVIK_ICON_SHEET");
    if (path.isEmpty()) QSKIP("TAVIK_ICON_SHEET is not set");

    const int rowHeight = 72, labelWidth = 190;
    const int count = int(std::size(kListed));
    const int columns = 2;
    const int rows = (count + columns - 1) / columns;
    const int blockWidth = labelWidth + 2 * (16 + 24 + 32 + 40) + 64 + 10 + 64 + 20;
    QImage sheet(columns * blockWidth, rows * rowHeight, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    for (int i = 0; i < count; ++i) {
        const Listed& l = kListed[i];
        const int x0 = (i / rows) * blockWidth, y0 = (i % rows) * rowHeight;
        p.setPen(Qt::black);
        p.drawText(QRect(x0 + 6, y0, labelWidth, rowHeight), Qt::AlignVCenter,
                   QString::number(l.number) + "  " + QString::fromLatin1(l.name));
        int x = x0 + labelWidth;
        for (QColor background : {QColor(Qt::white), QColor(0xe8, 0xe8, 0xe8)}) {
            p.fillRect(QRect(x - 4, y0 + 4, 16 + 24 + 32 + 32, rowHeight - 8), background);
            for (int size : kSizes) {
                p.drawPixmap(x, y0 + (rowHeight - size) / 2, ti::pixmap(l.number, size));
                x += size + 8;
            }
            x += 16;
        }
        p.drawImage(
            QRect(x, y0 + 4, 64, 64),
            imageOf(l.number, 16).scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        x += 74;
        p.drawImage(
            QRect(x, y0 + 4, 64, 64),
            imageOf(l.number, 32).scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        p.setPen(QColor(0xdd, 0xdd, 0xdd));
        p.drawLine(x0, y0 + rowHeight - 1, x0 + blockWidth, y0 + rowHeight - 1);
    }
    p.end();
    QVERIFY2(sheet.save(path), qPrintable(path));
}

QTEST_MAIN(TestIconLibrary)
#include "test_IconLibrary.moc"
