#include "platform/qt/preferences.h"

#include <QSettings>
#include <QString>

#include "seam/settings_file.h"

namespace {

const QString kZoomKey = QStringLiteral("View/zoom");
const QString kOneAnswerKey = QStringLiteral("Help/oneAnswer");

QSettings Preferences() {
    QString path = QString::fromStdString(SettingsFilePath());
    path.replace(path.lastIndexOf(QStringLiteral(".reg")), 4, QStringLiteral(".conf"));
    return QSettings(path, QSettings::IniFormat);
}

}  // namespace

int StoredZoom() {
    bool ok = false;
    const int zoom = Preferences().value(kZoomKey).toInt(&ok);
    return ok && zoom > 0 ? zoom : 0;
}

void StoreZoom(int zoom) {
    QSettings preferences = Preferences();
    if (zoom > 0) {
        preferences.setValue(kZoomKey, zoom);
    } else {
        preferences.remove(kZoomKey);
    }
}

bool StoredOneAnswer() {
    return Preferences().value(kOneAnswerKey, false).toBool();
}

void StoreOneAnswer(bool on) {
    QSettings preferences = Preferences();
    if (on) {
        preferences.setValue(kOneAnswerKey, true);
    } else {
        preferences.remove(kOneAnswerKey);
    }
}
