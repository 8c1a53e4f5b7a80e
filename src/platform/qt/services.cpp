#include "platform/qt/services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QTranslator>
#include <chrono>
#include <utility>

namespace {

std::function<uint32_t()>& TickSource() {
    static std::function<uint32_t()> source;
    return source;
}

std::function<Answer(const AskedMessageBox&)>& MessageBoxAnswers() {
    static std::function<Answer(const AskedMessageBox&)> answer;
    return answer;
}

std::function<void(QDialog&)>& DialogActions() {
    static std::function<void(QDialog&)> act;
    return act;
}

QWidget* mainWindow = nullptr;

// A modal window covered part of the main window; the handheld repainted what it uncovered. Qt keeps
// the window's last pixels instead, which would leave a picture on screen that the game state no
// longer matches (the title screen after About, say), so the whole window is repainted.
template <typename Result>
Result RepaintUncovered(Result result) {
    if (auto* frame = qobject_cast<QMainWindow*>(mainWindow); frame != nullptr && frame->centralWidget()) {
        frame->centralWidget()->update();
    }
    return result;
}

}  // namespace

uint32_t QtTickCount() {
    if (TickSource()) return TickSource()();
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<uint32_t>(ms);  // wraps like the handheld's counter
}

void SetTickSource(std::function<uint32_t()> source) {
    TickSource() = std::move(source);
}

Answer QtMessageBox(QWidget* owner, const QString& text, const QString& caption, BoxStyle style) {
    if (MessageBoxAnswers())
        return RepaintUncovered(MessageBoxAnswers()(AskedMessageBox{text, caption, style}));

    // Message boxes write their lines with \r\n; Qt breaks lines at \n alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(owner);
    box.setWindowTitle(caption);
    box.setText(shown);
    box.setIcon(style == BoxStyle::OkCancelWarning ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (style != BoxStyle::Ok) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return RepaintUncovered(box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel);
}

void SetMessageBoxAnswers(std::function<Answer(const AskedMessageBox&)> answer) {
    MessageBoxAnswers() = std::move(answer);
}

int RunModal(QDialog& dialog) {
    if (!DialogActions()) return RepaintUncovered(dialog.exec());
    dialog.show();
    DialogActions()(dialog);
    if (dialog.isVisible()) dialog.reject();  // an action that forgot to close it cancels
    return RepaintUncovered(dialog.result());
}

void SetDialogActions(std::function<void(QDialog&)> act) {
    DialogActions() = std::move(act);
}

QWidget* AppMainWindow() {
    return mainWindow;
}

void SetAppMainWindow(QWidget* window) {
    mainWindow = window;
}

void UsePlatformLanguage(bool french) {
    static QTranslator qtStrings;
    static bool installed = false;
    if (french == installed) return;
    if (!french) {
        QCoreApplication::removeTranslator(&qtStrings);
        installed = false;
        return;
    }
    // Without Qt's French translation on the machine, the platform's own buttons stay in English.
    if (qtStrings.isEmpty()) {
        (void)qtStrings.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    installed = !qtStrings.isEmpty() && QCoreApplication::installTranslator(&qtStrings);
}
