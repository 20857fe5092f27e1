#pragma once
// briqo-cli run as a script runs it: without a display.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

namespace briqo::testing {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// fileSizeLimit >= 0: the command runs as on a disk with only that many bytes free per file.
inline Run runCli(const QStringList &args, qint64 fileSizeLimit = -1)
{
    QProcess p;
    if (fileSizeLimit >= 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit {rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BRIQO_CLI), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
        QString::fromUtf8(p.readAllStandardError())};
}

inline QString exchangeData(const char *name)
{
    return QStringLiteral(BRIQO_TEST_DATA "/exchange/") + QLatin1String(name);
}

} // namespace briqo::testing
