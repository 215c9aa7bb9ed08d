#include "ui/qt_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QWidget>

#include "primitives/drives.h"
#include "ui/qt_text.h"

namespace ui {
namespace {

// A drive path or an address as something the desktop's opener takes.
QUrl ShellTarget(const prim::Text& target) {
    const std::string native = prim::NativePathFromDrivePath(target);
    if (!native.empty())
        return QUrl::fromLocalFile(FromUtf8(native));
    QUrl url(ToQ(target), QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1)
        return url;
    return QUrl();
}

}  // namespace

int QtServices::MessageBox(const prim::Text& message, int buttonSet, const prim::Text& title) {
    // No owner, application-modal: every window of the program waits.
    QMessageBox box;
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(ToQ(title));
    box.setText(LinesToQ(message));
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* ok = box.addButton(QMessageBox::Ok);
    QAbstractButton* cancel = buttonSet == 1 ? box.addButton(QMessageBox::Cancel) : nullptr;
    box.setDefaultButton(static_cast<QPushButton*>(ok));
    // Esc is Cancel when there is one, otherwise it means OK.
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    return cancel && box.clickedButton() == cancel ? 1 : 0;
}

void QtServices::Beep() {
    QApplication::beep();
}

prim::Text QtServices::BrowseForFolder(const prim::Text& title) {
    QPointer<QWidget> active = QApplication::activeWindow();
    QFileDialog dialog(nullptr, ToQ(title), QDir::homePath());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLabelText(QFileDialog::LookIn, ToQ(title));
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (active) {
        active->raise();
        active->activateWindow();
    }
    if (!chosen)
        return prim::Text();
    const QString native = QDir::cleanPath(dialog.selectedFiles().first());
    const QByteArray bytes = native.toUtf8();
    // A folder outside every drive has no drive path: empty, as for cancel.
    return prim::DrivePathFromNative(std::string_view(bytes.constData(), bytes.size()));
}

void QtServices::ShellExecuteFile(int, const prim::Text& file) {
    // The desktop offers one verb, its default one, whatever the code.
    const QUrl url = ShellTarget(file);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

void QtServices::OpenInShell(const prim::Text& target) {
    const QUrl url = ShellTarget(target);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

}  // namespace ui
