#pragma once
// The About box: the program's name and version, what it does, a home page
// and a mail address that open in the desktop's browser and mail program,
// OK, and System Info, which starts the system-information tool that the
// registry names.
#include "platform/form.h"
#include "platform/registry.h"

#include <QPointer>

class QLabel;
class QPushButton;
namespace platform { class ImageControl; }

class frmAbout : public platform::Form {
public:
    frmAbout();

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Image2_Click();
    void lblSupport_Click();
    void URLbrenholtsoft_Click();

    // Starts the system-information tool, or says that it is unavailable.
    void StartSysInfo();
    // Reads one registry value as text into KeyVal: a text as it is, a
    // 32-bit number as "&h" and hexadecimal digits, any other type leaves
    // KeyVal as it was. False, with KeyVal empty, when the key or the value
    // cannot be read. A value of no bytes at all is an error that it throws.
    bool GetKeyValue(platform::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    // The addresses the links open.
    static const QString HomePage;
    static const QString SupportMail;

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;

private:
    QPointer<platform::ImageControl> Image1, Image2;
    QPointer<QLabel> lblTitle, lblDescription, Label1, URLbrenholtsoft, Label2, lblSupport;
    QPointer<QPushButton> cmdOK, cmdSysInfo;
};
