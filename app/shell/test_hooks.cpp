#include "app/shell/test_hooks.h"

#include <QFile>

namespace lv::app {

TestHooks TestHooks::FromEnvironment()
{
    TestHooks hooks;
    hooks.logPath_ = qEnvironmentVariable("LUMIVISTA_TEST_LOG");
    hooks.quitAfterStart_ = qEnvironmentVariable("LUMIVISTA_TEST_QUIT") == "1";
    if (const QString command = qEnvironmentVariable("LUMIVISTA_TEST_SEND"); !command.isEmpty())
        hooks.commandToSend_ = command;
    hooks.dialogsManual_ = qEnvironmentVariable("LUMIVISTA_TEST_DIALOGS") == "manual";
    hooks.recoveryAnswer_ = qEnvironmentVariable("LUMIVISTA_TEST_RECOVERY", QStringLiteral("recover"));
    return hooks;
}

void TestHooks::log(const QString& line) const
{
    if (!enabled())
        return;
    QFile file(logPath_);
    if (file.open(QIODevice::Append | QIODevice::Text))
        file.write((line + '\n').toUtf8());
}

}  // namespace lv::app
