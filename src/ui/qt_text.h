#pragma once
// Text <-> QString at the window border. Edit boxes show "\r\n" as a line break.
#include <QString>

#include "primitives/codepage.h"

namespace ui {

inline QString ToQ(const prim::Text& t) {
    return QString::fromStdU16String(prim::TextToUtf16(t));
}
inline prim::Text ToText(const QString& s) {
    return prim::Utf16ToText(s.toStdU16String());
}
inline QString FromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
// "\r\n" -> "\n" for widgets, and back.
inline QString LinesToQ(const prim::Text& t) {
    QString q = ToQ(t);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return q;
}
inline prim::Text LinesToText(QString q) {
    q.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return ToText(q);
}

}  // namespace ui
