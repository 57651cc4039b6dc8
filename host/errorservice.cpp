// The reference host's error service.

#include "host/errorservice.h"

#include "host/servicequery.h"

#include <QMutexLocker>

#include <cstdio>

bool VelHostErrorService::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IVelErrorService>(this, "VelHostErrorService", name, outOrWalk);
}

int32_t VelHostErrorService::report(const PooledString& message, int32_t* level, PooledName* context) {
    Report r;
    r.message = message.toQString();
    r.level = level ? *level : 0;
    if (context && context->text)
        r.context = QString::fromLatin1(context->text);

    Listener listener;
    bool echo = false;
    {
        QMutexLocker lock(&m_mutex);
        m_reports.append(r);
        listener = m_listener;
        echo = m_echo;
    }
    // Outside the lock: a listener may look at the collected reports.
    if (echo) {
        // One substitution pass, so markers inside the message or the context stay as they are.
        const QString context = r.context.isEmpty() ? QString() : QStringLiteral(", ") + r.context;
        const QByteArray line =
            QStringLiteral("[level %1%2] %3").arg(QString::number(r.level), context, r.message).toLocal8Bit();
        std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
    }
    if (listener)
        listener(r);
    return 1;
}

void VelHostErrorService::setListener(Listener listener) {
    QMutexLocker lock(&m_mutex);
    m_listener = std::move(listener);
}

void VelHostErrorService::setEchoToStderr(bool echo) {
    QMutexLocker lock(&m_mutex);
    m_echo = echo;
}

int VelHostErrorService::reportCount() const {
    QMutexLocker lock(&m_mutex);
    return m_reports.size();
}

QVector<VelHostErrorService::Report> VelHostErrorService::reports() const {
    QMutexLocker lock(&m_mutex);
    return m_reports;
}

VelHostErrorService::Report VelHostErrorService::lastReport() const {
    QMutexLocker lock(&m_mutex);
    return m_reports.isEmpty() ? Report() : m_reports.last();
}

void VelHostErrorService::clear() {
    QMutexLocker lock(&m_mutex);
    m_reports.clear();
}
