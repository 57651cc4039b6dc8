#pragma once
// The reference host's error service: collects the messages that modules report for the user, with their
// level and context name, and passes each on to an optional listener (the gallery's log pane) and stderr.

#include "runtime/services.h"

#include <QMutex>
#include <QString>
#include <QVector>

#include <functional>

class VelHostErrorService : public virtual IVelErrorService {
public:
    struct Report {
        QString message;
        int32_t level = 0;
        QString context;
    };
    using Listener = std::function<void(const Report&)>;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostErrorService"; }

    // A missing level reads as 0, a missing context as the empty name. Returns 1.
    int32_t report(const PooledString& message, int32_t* level, PooledName* context) override;

    // Called for every report, on the reporting thread, after it has been collected.
    void setListener(Listener listener);
    // Also writes every report to stderr as one line.
    void setEchoToStderr(bool echo);

    int reportCount() const;
    QVector<Report> reports() const;
    // The latest report; an empty one when there is none.
    Report lastReport() const;
    void clear();

private:
    mutable QMutex m_mutex;
    QVector<Report> m_reports;
    Listener m_listener;
    bool m_echo = false;
};
