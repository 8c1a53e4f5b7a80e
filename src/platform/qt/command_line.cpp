// The game's command line, read before the window exists.
#include "platform/qt/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

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
