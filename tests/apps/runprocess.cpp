#include "runprocess.h"

QStringList ProcessResult::errLinesStartingWith(const QString& prefix) const {
    QStringList lines;
    for (const QString& line : err.split('\n'))
        if (line.startsWith(prefix))
            lines.append(line);
    return lines;
}

QString ProcessResult::value(const QString& key) const {
    const QString start = key + '=';
    for (const QString& line : out.split('\n'))
        if (line.startsWith(start))
            return line.mid(start.size()).trimmed();
    return QString();
}

QProcessEnvironment offscreenEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_STYLE_OVERRIDE");
    environment.remove("MELVORO_MODULE");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

ProcessResult runProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment) {
    ProcessResult result;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    result.started = process.waitForStarted(-1);
    if (!result.started)
        return result;
    // No time limit of our own: the test runner's timeout ends a program that hangs.
    result.finished = process.waitForFinished(-1);
    result.exitStatus = process.exitStatus();
    result.exitCode = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}
