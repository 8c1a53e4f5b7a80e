// The application: starts the main window, runs the message loop, releases the buffer at the end.
#include <QApplication>
#include <QString>
#include <optional>

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

    GameApp app(argc, argv);
    // A second start brings the running copy to the front instead of opening a window of its own.
    SingleInstance instance(QString::fromStdString(SettingsFilePath()));
    if (!instance.Acquire()) return 0;

    app.InitInstance();
    instance.SetWindow(TheMainFrame());
    const int code = app.exec();
    return app.ExitInstance(code);
}
