// The About dialog class.
#pragma once

#include "platform/about_platform.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

// The About dialog: the product's artwork, name, version and description, with OK and a
// button that starts the system information tool. Modeless and without an owner; it deletes
// itself when closed.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(platform::AboutPlatform platform);
    ~frmAbout() override;

    void StartSysInfo();
    bool GetKeyValue(const std::int32_t &KeyRoot, const std::string &KeyName,
                     const std::string &SubKeyRef, std::string &KeyVal);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    platform::AboutPlatform m_platform;
    QLabel *picIcon = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDisclaimer = nullptr;
};
