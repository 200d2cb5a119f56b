#include "gui/publish/KeyringPasswords.h"

#include "core/text/Cp1252.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <qt6keychain/keychain.h>

#include <memory>

namespace qs::gui {
namespace {

const QString service = QStringLiteral("Quaystall DB upload");

// Runs the job to its end. The keyring answers through the event loop,
// which the command line has only while it waits here.
void finish(QKeychain::Job& job, const std::string& login)
{
    std::unique_ptr<QCoreApplication> ownLoop;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "quaystall-cli";
        static char* argv[] = {name, nullptr};
        ownLoop = std::make_unique<QCoreApplication>(argc, argv);
    }
    job.setAutoDelete(false);
    job.setKey(QString::fromUtf8(login));
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
}

// The keyring's own words in the system's code page, where messages are
// shown from; what the code page cannot hold reads as "?".
std::string systemText(const QString& text)
{
    Cp1252Conversion converted = utf8ToCp1252(text.toStdString());
    if (converted.converted())
        return converted.bytes;
    std::string plain;
    for (const QChar c : text)
        plain += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    return plain;
}

} // namespace

std::optional<std::string> KeyringPasswords::read(const std::string& login)
{
    QKeychain::ReadPasswordJob job(service);
    finish(job, login);
    if (job.error() != QKeychain::NoError)
        return std::nullopt;
    return job.textData().toStdString();
}

bool KeyringPasswords::store(const std::string& login, const std::string& password, std::string& reason)
{
    QKeychain::WritePasswordJob job(service);
    job.setTextData(QString::fromStdString(password));
    finish(job, login);
    if (job.error() == QKeychain::NoError)
        return true;
    reason = systemText(job.errorString());
    return false;
}

void KeyringPasswords::forget(const std::string& login)
{
    QKeychain::DeletePasswordJob job(service);
    finish(job, login);
}

} // namespace qs::gui
