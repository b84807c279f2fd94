// The about box: the game's name and version, the maker's lines, and the system-information tool.
#pragma once

#include "platform/dialogs.h"
#include "platform/registry.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace ui {

class frmAbout final : public QDialog {
    Q_OBJECT
public:
    // Not modal and without an owner; it deletes itself when it closes.
    frmAbout(platform::Dialogs& dialogs, platform::Registry& registry,
             platform::ProgramRunner& runner, QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    platform::Dialogs& m_dialogs;
    platform::Registry& m_registry;
    platform::ProgramRunner& m_runner;

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* Label1;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

} // namespace ui
