#include "ui/program_entry.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include "app/startup.h"
#include "primitives/services.h"
#include "ui/icon.h"
#include "ui/main_window_qt.h"
#include "ui/qt_services.h"
#include "ui/routing.h"

namespace ui {

void PrepareApplication() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The window is laid out for a 12-pixel font.
    QFont font(QStringList{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                           QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei"),
                           QStringLiteral("SimSun")});
    font.setPixelSize(12);
    QApplication::setFont(font);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    static QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);
    QApplication::setWindowIcon(ProgramIcon());
}

int ProgramEntry(int argc, char** argv) {
    QApplication application(argc, argv);
    PrepareApplication();
    QtServices services;
    prim::InstallServices(&services);

    QtMainWindow window;
    BindRoutes(window);
    window.RaiseCreated();
    window.show();
    const QByteArray shot = qgetenv("FILEFINDER_SCREENSHOT");
    if (!shot.isEmpty()) {
        // Picture mode, for a machine without a screen and for install checks:
        // save the window once it has settled, then close it as a user would.
        QTimer::singleShot(1500, &window, [&window, shot] {
            window.grab().save(QString::fromLocal8Bit(shot));
            window.close();
        });
    }
    const int result = application.exec();
    app::ReleaseGlobalTexts(window.Window().state);
    prim::InstallServices(nullptr);
    return result;
}

}  // namespace ui
