#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tavik {

class RadioGroup;
class Slownik;
class SlownikZU3;
struct DictItem;

// The configuration dialog: the undertaking, the options and the folders of the program,
// written to the registry key of the current user when accepted.
//
// Made, it reads the settings and the dictionary of the configured folder at once; the boxes
// it shows go through platform::Prompts.
class TfrmKonfig : public QDialog {
    Q_OBJECT
public:
    explicit TfrmKonfig(QWidget* parent = nullptr);
    ~TfrmKonfig() override;

    QTabWidget* PageCtrlKonfiguracja;

    // "Dane Zakładu Ubezpieczeń"
    QWidget* TabSheet3;
    QComboBox* cbNazwaZU;
    QLabel* lblKod;
    QLineEdit* edDzialUbezpieczen;
    QLineEdit* edMiejsce;
    QLineEdit* edPodpis;

    // "Opcje  aplikacji"
    QWidget* TabSheet1;
    RadioGroup* rgUI;
    RadioGroup* rgSortowanie;

    // "Położenie plików"
    QWidget* TabSheet2;
    QLineEdit* edDictDirectory;
    QToolButton* sbtnDirectory;
    QLineEdit* edCOADirectory;
    QToolButton* sbCOA;
    QLineEdit* edRPADirectory;
    QToolButton* sbRPA;

    QPushButton* btnAccept;
    QPushButton* btnCancel;

    void done(int result) override;

private slots:
    void cbNazwaZUChange();
    void sbtnDirectoryClick();
    void sbCOAClick();
    void sbRPAClick();
    void btnAcceptClick();

private:
    void buildPages();
    void openDictionary(const QString& configuredName);
    QString dictionaryFile() const;
    bool dictionaryFileExists(QWidget* boxParent);
    void appendUndertakings(const SlownikZU3& undertakings);
    void showUndertaking(int index);
    void setDivision(std::size_t entry);
    void chooseFolder(QLineEdit* edit, const QString& prompt);
    QString writeSettings(const DictItem& undertaking);
    void changed();
    void enableButtons(bool enabled);

    std::shared_ptr<const Slownik> slownik_;
    // The undertakings of the list: the dictionary's own, then those of folders chosen later.
    std::vector<std::shared_ptr<const SlownikZU3>> undertakings_;
    std::vector<const DictItem*> items_;  // the entry of each item of cbNazwaZU
    bool loading_ = false;
};

}  // namespace tavik
