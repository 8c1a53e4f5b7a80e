// The application: reads the command line, starts the main window, runs the message loop, releases the
// buffer at the end.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <optional>

#include "ui/main_frame.h"

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

// Names the program, its version and its desktop entry (the window's application id), then reads the
// command line with a console application only: --help, --version and anything unknown are answered
// before QApplication exists, so they need no display. Returns the exit status when the program ends
// here, nothing when the game should start.
std::optional<int> ParseCommandLine(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("mirovane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MIROVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(MIROVANE_APP_ID));

    const QCoreApplication console(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Mirovane, a laser-and-mirrors logic puzzle."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and quit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and quit."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);  // -platform: one word
    parser.addOptions({help, version});
    QString error;
    if (!parser.parse(QCoreApplication::arguments())) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "mirovane: %s Try 'mirovane --help'.\n", qPrintable(error));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("mirovane %s\n", MIROVANE_VERSION);
        return 0;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = ParseCommandLine(argc, argv)) return *status;
    GameApp app(argc, argv);
    app.InitInstance();
    const int code = app.exec();
    return app.ExitInstance(code);
}
