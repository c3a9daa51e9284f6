#pragma once

#include <QDialog>

#include "platform/ProgramVersion.h"
#include "platform/SystemInfo.h"

class QLabel;
class QPushButton;

namespace tavik {

// The About box: the program and its version, the system it runs on and the state of the
// memory. Made once with the frame and shown modally over it whenever asked.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // `source` must outlive the box. The system and the version are read once, here; the memory
    // each time the box is shown. A null `programVersion` leaves the version unsaid.
    explicit TAboutBox(const platform::SystemSource& source, QWidget* parent = nullptr,
                       const char* programVersion = platform::kProgramVersion);

    QLabel* Label1 = nullptr;    // the system
    QLabel* Label2 = nullptr;    // the kernel's release
    QLabel* Label3 = nullptr;    // the kernel's build
    QLabel* Label4 = nullptr;    // the program's version
    QLabel* lPhysMem = nullptr;  // the physical memory
    QLabel* FreeRes = nullptr;   // the memory in use
    QPushButton* Button1 = nullptr;

    void setVisible(bool visible) override;

private:
    const platform::SystemSource& source_;
};

}  // namespace tavik
