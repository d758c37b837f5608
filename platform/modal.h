#pragma once
// Modal showing and message boxes go through here, so that a test can
// answer them instead of a person and no test waits forever.
#include <QString>
#include <functional>

class QWidget;

namespace platform {

// Shows the window modal (over its owner when it has one) and returns when
// it is hidden or destroyed.
void runModal(QWidget* window, QWidget* owner);

// Tests: called once the modal window is up, from inside its loop; the
// answerer acts on the window as a user would and must close it.
using ModalAnswerer = std::function<void(QWidget* window)>;
void setModalAnswerer(ModalAnswerer answerer);

// Message box buttons and answers, numbered as the platform numbered them.
enum MsgBoxStyle {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
};
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Shows a message box and returns the button chosen.
int MsgBox(QWidget* owner, const QString& prompt, int style = vbOKOnly, const QString& title = QString());

struct MsgBoxRequest {
    QString prompt;
    int style;
    QString title;
};
// Tests: answers every message box instead of showing it (nullptr restores).
using MsgBoxAnswerer = std::function<int(const MsgBoxRequest&)>;
void setMsgBoxAnswerer(MsgBoxAnswerer answerer);

} // namespace platform
