#include "shell/TAboutBox.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "flatpaint/IconLibrary.h"
#include "shell/AboutTexts.h"

namespace tavik {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

TAboutBox::TAboutBox(const platform::SystemSource& source, QWidget* parent,
                     const char* programVersion)
    : QDialog(parent), source_(source) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Informacja o programie"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);

    auto* picture = label(this, "ProgramIcon");
    picture->setPixmap(icons::pixmap(icons::kProgram, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = label(this, "lblTavik", QStringLiteral("Tavik"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    auto* office = label(this, "lblUrzad",
                         QStringLiteral("Przygotowanie wniosków do rejestru\n"
                                        "agentów ubezpieczeniowych"));
    Label4 = label(this, "Label4", kNoProgramVersion);
    auto* rights = label(this, "lblPrawa", QStringLiteral("© zespół Tavik"));

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Bevel1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    Label1 = label(this, "Label1");
    Label2 = label(this, "Label2");
    Label3 = label(this, "Label3");
    auto* memoryCaption = label(this, "lblPamiec", QStringLiteral("Pamięć fizyczna:"));
    lPhysMem = label(this, "lPhysMem");
    FreeRes = label(this, "FreeRes");
    // The figures can be copied into a report to the help desk.
    for (QLabel* figure : {Label1, Label2, Label3, Label4, lPhysMem, FreeRes})
        figure->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(title);
    texts->addWidget(office);
    texts->addSpacing(6);
    texts->addWidget(Label4);
    texts->addWidget(rights);
    texts->addSpacing(6);
    texts->addWidget(line);
    texts->addSpacing(6);
    texts->addWidget(Label1);
    texts->addWidget(Label2);
    texts->addWidget(Label3);
    texts->addSpacing(6);
    auto* memory = new QHBoxLayout;
    memory->addWidget(memoryCaption);
    memory->addWidget(lPhysMem);
    memory->addStretch();
    texts->addLayout(memory);
    texts->addWidget(FreeRes);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    // A dialog border: the size its texts need, not the user's to change.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const AboutTexts filled = aboutTexts(source_.read(), programVersion);
    Label1->setText(filled.Label1);
    Label2->setText(filled.Label2);
    Label3->setText(filled.Label3);
    Label4->setText(filled.Label4);
}

void TAboutBox::setVisible(bool visible) {
    // The memory changes while the program runs; the system does not. Read before the dialog
    // places itself, so that it is centred at the size of the new texts.
    if (visible && !isVisible()) {
        const AboutTexts filled = aboutTexts(source_.read(), nullptr);
        lPhysMem->setText(filled.lPhysMem);
        FreeRes->setText(filled.FreeRes);
    }
    QDialog::setVisible(visible);
}

}  // namespace tavik
