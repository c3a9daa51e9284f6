#pragma once

#include <QGroupBox>
#include <QWidget>

class QAbstractButton;
class QAction;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tavik {

// The common frame of the six entry pages: one titled group of controls above the page's
// accept and abort buttons, and the notice that the clerk changed something.
class RecordPage : public QWidget {
    Q_OBJECT
public:
    RecordPage(const QString& objectName, const QString& groupTitle, QWidget* parent = nullptr);

    QGroupBox* group() const { return group_; }
    // The accept and abort buttons follow their actions (text, enabled state) and trigger them.
    void setActions(QAction* accept, QAction* abort, const QString& acceptText = {});

signals:
    // A control was changed by the clerk (not by showing a record or clearing the page): the
    // page's accept and abort commands are enabled.
    void edited();

protected:
    // Changes made while a record is shown or the page cleared are no edits.
    class Showing {
    public:
        explicit Showing(RecordPage& page) : page_(page), was_(page.showing_) {
            page_.showing_ = true;
        }
        ~Showing() { page_.showing_ = was_; }
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;

    private:
        RecordPage& page_;
        bool was_;
    };
    bool showing() const { return showing_; }

    // Controls of the page, named as the program knows them; every one reports edits.
    QLineEdit* edit(const QString& name, int maxLength, bool upperCase = true);
    QLineEdit* maskedEdit(const QString& name, const QString& inputMask);
    QPlainTextEdit* memo(const QString& name);
    QComboBox* comboList(const QString& name);
    QComboBox* comboEditable(const QString& name, int maxLength);
    QLabel* label(const QString& text, const QString& name = {});
    // A calendar button that picks a date into its field.
    QToolButton* dateButton(const QString& name, QLineEdit* field);
    void watch(QAbstractButton* button);
    void watch(QDateEdit* date);

    // A row of the group's grid: the label in column 0, the control spanning the rest.
    QLabel* addRow(int row, const QString& labelText, QWidget* control, int span = 3);
    // A label on its row and the control on the next, across the whole group.
    QLabel* addWide(int row, const QString& labelText, QWidget* control);
    // One of two label-and-control pairs of a row: pair 0 in columns 0 and 1, pair 1 in 2 and 3.
    QLabel* addPair(int row, int pair, const QString& labelText, QWidget* control);
    QGridLayout* grid() const { return grid_; }
    // Several controls side by side, for one cell of the grid.
    static QWidget* inLine(std::initializer_list<QWidget*> widgets, QWidget* parent);

private:
    void changed();

    QGroupBox* group_;
    QGridLayout* grid_;
    QHBoxLayout* buttons_;
    QAction* accept_ = nullptr;
    QAction* abort_ = nullptr;
    bool showing_ = false;
};

}  // namespace tavik
