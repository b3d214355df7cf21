#include "gui/VumApplication.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include "common/Winifile.h"
#include "gui/Seams.h"
#include "gui/Text.h"

namespace vum {


VumApplication::VumApplication(int& argc, char** argv, const QString& title) : QApplication(argc, argv) {
    setApplicationName(title);
    // Russian texts on the standard buttons ("Да", "Нет", "Отмена").
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Russian), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    WIniFile::SetWarningHandler([](const std::string& caption, const std::string& text) {
        QMessageBox box(QMessageBox::Warning, FromCp1251(caption), FromCp1251(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    });
}

bool VumApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& exception) {
        ShowException(&exception);
    } catch (...) {
        ShowException(nullptr);
    }
    return false;
}

int VumApplication::Run(const std::function<std::unique_ptr<QWidget>()>& makeMainWindow) {
    try {
        const std::unique_ptr<QWidget> window = makeMainWindow();
        if (window) exec();
    } catch (const std::exception& exception) {
        ShowException(&exception);
    } catch (...) {
        ShowException(nullptr);
    }
    return 0;
}

void VumApplication::ShowException(const std::exception* exception) {
    Seams::ShowError(QApplication::applicationName(),
                     exception != nullptr ? QString::fromLocal8Bit(exception->what()) : QString());
}

}  // namespace vum
