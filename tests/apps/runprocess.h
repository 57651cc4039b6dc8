#pragma once
// Runs a program of the build to its end and keeps what it printed.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ProcessResult {
    bool started = false;
    bool finished = false;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1;
    QString out;
    QString err;

    // Lines of stderr that start with prefix.
    QStringList errLinesStartingWith(const QString& prefix) const;
    // "key=value" lines of stdout as a map lookup; empty when the key is absent.
    QString value(const QString& key) const;
};

// The test's environment with the offscreen platform, and without a display.
QProcessEnvironment offscreenEnvironment();

ProcessResult runProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment = offscreenEnvironment());
