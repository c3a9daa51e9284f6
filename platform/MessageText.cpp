#include "platform/MessageText.h"

#include <algorithm>

namespace tavik::platform {

namespace {

bool escaped(char16_t c) {
    return (c < 0x20 && c != u'\n') || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

QString showableText(const QString& text) {
    // Most texts hold no control character: they are returned as they are.
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return escaped(c.unicode()); }))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        if (escaped(c.unicode()))
            out += QStringLiteral("\\x") +
                   QString::number(c.unicode(), 16).rightJustified(2, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

}  // namespace tavik::platform
