// The application: starts the main window, runs the message loop, releases the buffer at the end.
#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QString>
#include <optional>
#include <thread>

#include "platform/qt/command_line.h"
#include "platform/qt/main_frame.h"
#include "platform/qt/single_instance.h"
#include "seam/settings_file.h"

namespace {

class GameApp : public QApplication {
  public:
    GameApp(int& argc, char** argv) : QApplication(argc, argv) {}

    bool InitInstance() {
        ::InitInstance();
        return true;
    }

    int ExitInstance(int code) {
        ::ExitInstance();
        return code;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = ParseCommandLine(argc, argv)) return *status;

    // Fontconfig reads its configuration and the font caches when the window first measures text, just
    // before it can be shown. Reading them on the other core while Qt loads its display plugin and
    // connects to the X server takes that off the start: Qt's own FcInit then finds them loaded.
    std::thread fonts([] { (void)FcInit(); });

    GameApp app(argc, argv);
    // A second start brings the running copy to the front instead of opening a window of its own.
    SingleInstance instance(QString::fromStdString(SettingsFilePath()));
    const bool alone = instance.Acquire();
    fonts.join();
    if (!alone) return 0;

    app.InitInstance();
    instance.SetWindow(TheMainFrame());
    const int code = app.exec();
    return app.ExitInstance(code);
}
