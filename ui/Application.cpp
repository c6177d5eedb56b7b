#include "ui/Application.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace award {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // Where QSettings keeps the window's preferences: ~/.config/award-banner/award-banner.conf.
    setOrganizationName(QStringLiteral("award-banner"));
    setApplicationName(QStringLiteral("award-banner"));
    InstallChineseTranslations(*this);
}

bool InstallChineseTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_zh_TW"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        EndAfterError(QString::fromUtf8(error.what()));
    } catch (...) {
        EndAfterError(QStringLiteral("未知的錯誤"));
    }
    return false;
}

void Application::EndAfterError(const QString& what) {
    // Also on standard error: where nobody sees the screen the box tells nothing.
    std::fprintf(stderr, "award-banner: %s\n", qUtf8Printable(what));
    std::fflush(stderr);
    // A second failure while the first is being reported: the box's own
    // event loop is no longer trustworthy.
    if (ending_) std::_Exit(EXIT_FAILURE);
    ending_ = true;
    QMessageBox::critical(activeWindow(), QStringLiteral("award-banner"),
                          QStringLiteral("程式發生錯誤，必須結束：\n\n%1").arg(what));
    exit(EXIT_FAILURE);
}

}  // namespace award
