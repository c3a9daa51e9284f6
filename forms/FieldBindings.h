#pragma once

#include <vector>

#include "forms/FieldControls.h"

class QWidget;

namespace tavik {

// The controls of a page bound to the fields of its record, so that showing a record and taking
// the page's values into one are the same list read in the two directions.
template <class R>
class FieldBindings {
public:
    void bind(Field R::*field, QWidget* control) { bindings_.push_back({field, control}); }

    void show(const R& record) const {
        for (const Binding& b : bindings_)
            forms::showField(b.control, record.*b.field);
    }
    // The register's answer in read-only controls (showAnswerField).
    void showAnswer(const R& record) const {
        for (const Binding& b : bindings_)
            forms::showAnswerField(b.control, record.*b.field);
    }
    void clear() const {
        for (const Binding& b : bindings_)
            forms::clearControl(b.control);
    }
    void take(R& record) const {
        for (const Binding& b : bindings_)
            record.*b.field = forms::takeField(b.control);
    }

private:
    struct Binding {
        Field R::*field;
        QWidget* control;
    };
    std::vector<Binding> bindings_;
};

}  // namespace tavik
