#include "ui/drop_forms.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include "primitives/drives.h"
#include "ui/qt_text.h"

namespace ui {

namespace {

// Windows texts end their lines with CR LF.
prim::Text WithCrLf(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToText(s);
}

// True when the plain text only names the dropped local files again, as file
// managers add it beside the file list; that is the file drop, not a text drop.
bool TextRepeatsFiles(const QString& text, const QList<QUrl>& files) {
    QStringList lines =
        text.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return false;
    for (QString line : lines) {
        line = line.trimmed();
        bool known = false;
        for (const QUrl& u : files)
            if (line == u.toString() || line == u.toLocalFile() || QUrl(line) == u)
                known = true;
        if (!known)
            return false;
    }
    return true;
}

}  // namespace

std::vector<DroppedText> DropForms(const QMimeData& mime) {
    QList<QUrl> files, addresses;
    for (const QUrl& u : mime.urls())
        (u.isLocalFile() ? files : addresses).push_back(u);

    std::vector<DroppedText> out;
    if (mime.hasText() && !(files.size() > 0 && TextRepeatsFiles(mime.text(), files)))
        out.push_back({DropForm::Text, WithCrLf(mime.text())});
    if (mime.hasHtml())
        out.push_back({DropForm::Hypertext, WithCrLf(mime.html())});
    if (!addresses.isEmpty())
        out.push_back({DropForm::Url, ToText(addresses.front().toString())});

    std::vector<prim::Text> paths;
    for (const QUrl& u : files) {
        QByteArray native = QFile::encodeName(u.toLocalFile());
        prim::Text p =
            prim::DrivePathFromNative(std::string_view(native.constData(), native.size()));
        if (!p.empty())
            paths.push_back(p);
    }
    if (paths.size() == 1) {
        out.push_back({DropForm::Files, paths.front()});
    } else if (paths.size() > 1) {
        prim::Text all;
        for (const prim::Text& p : paths)
            all += p + "\r\n";
        out.push_back({DropForm::Files, all});
    }
    return out;
}

}  // namespace ui
