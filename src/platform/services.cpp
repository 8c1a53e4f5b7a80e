#include "platform/services.h"

#include <chrono>
#include <utility>

#include <QDialog>
#include <QMessageBox>

namespace {

std::function<uint32_t()>& TickSource() {
    static std::function<uint32_t()> source;
    return source;
}

std::function<int(const AskedMessageBox&)>& MessageBoxAnswers() {
    static std::function<int(const AskedMessageBox&)> answer;
    return answer;
}

std::function<void(QDialog&)>& DialogActions() {
    static std::function<void(QDialog&)> act;
    return act;
}

}  // namespace

uint32_t GetTickCount() {
    if (TickSource()) return TickSource()();
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<uint32_t>(ms);  // wraps like the handheld's counter
}

void SetTickSource(std::function<uint32_t()> source) { TickSource() = std::move(source); }

int MessageBox(QWidget* owner, const QString& text, const QString& caption, unsigned style) {
    if (MessageBoxAnswers()) return MessageBoxAnswers()(AskedMessageBox{text, caption, style});

    // Message boxes write their lines with \r\n; Qt breaks lines at \n alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(owner);
    box.setWindowTitle(caption);
    box.setText(shown);
    box.setIcon((style & MB_ICONEXCLAMATION) == MB_ICONEXCLAMATION ? QMessageBox::Warning
                                                                     : QMessageBox::NoIcon);
    if ((style & 0xF) == MB_OKCANCEL) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
}

void SetMessageBoxAnswers(std::function<int(const AskedMessageBox&)> answer) {
    MessageBoxAnswers() = std::move(answer);
}

int RunModal(QDialog& dialog) {
    if (!DialogActions()) return dialog.exec();
    dialog.show();
    DialogActions()(dialog);
    if (dialog.isVisible()) dialog.reject();  // an action that forgot to close it cancels
    return dialog.result();
}

void SetDialogActions(std::function<void(QDialog&)> act) { DialogActions() = std::move(act); }

namespace {
QWidget* mainWindow = nullptr;
}

QWidget* AppMainWindow() { return mainWindow; }

void SetAppMainWindow(QWidget* window) { mainWindow = window; }
