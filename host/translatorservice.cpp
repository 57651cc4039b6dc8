// The reference host's table translators and its translator service.

#include "host/translatorservice.h"

#include "host/boundedfile.h"
#include "host/pooledtext.h"
#include "host/saturatingcount.h"
#include "host/servicequery.h"

#include <QMutexLocker>

namespace {

// Undoes the escapes of a table file: "\n", "\t", "\\". Any other backslash stays as it is.
QByteArray unescape(const QByteArray& in) {
    QByteArray out;
    out.reserve(in.size());
    for (int i = 0; i < in.size(); ++i) {
        const char c = in.at(i);
        if (c == '\\' && i + 1 < in.size()) {
            const char next = in.at(i + 1);
            if (next == 'n' || next == 't' || next == '\\') {
                out.append(next == 'n' ? '\n' : next == 't' ? '\t' : '\\');
                ++i;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

} // namespace

// ---- VelHostTranslator ----

bool VelHostTranslator::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IVelTranslator>(this, "VelHostTranslator", name, outOrWalk);
}

bool VelHostTranslator::lookup(const char* text, PooledString& out) {
    if (text) {
        QString translation;
        bool found = false;
        {
            QMutexLocker lock(&m_mutex);
            auto it = m_table.constFind(QByteArray(text));
            if (it != m_table.constEnd()) {
                translation = it.value();
                found = true;
            }
        }
        if (found) {
            // An empty translation is still a text: an owned empty string, like a widened empty source.
            if (translation.isEmpty())
                out.setLatin1("");
            else
                velSetFromQString(out, translation);
            return true;
        }
    }
    out.setLatin1(text);
    return false;
}

void VelHostTranslator::add(const QByteArray& source, const QString& translation) {
    QMutexLocker lock(&m_mutex);
    m_table.insert(source, translation);
}

bool VelHostTranslator::load(const QString& path, int* added) {
    if (added)
        *added = 0;
    QByteArray text;
    if (!velReadBoundedFile(path, MaxTableBytes, &text, nullptr))
        return false;
    int count = 0;
    for (QByteArray line : text.split('\n')) {
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const int tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        add(unescape(line.left(tab)), QString::fromUtf8(unescape(line.mid(tab + 1))));
        ++count;
    }
    if (added)
        *added = count;
    return true;
}

int VelHostTranslator::entryCount() const {
    QMutexLocker lock(&m_mutex);
    return m_table.size();
}

// ---- VelHostTranslatorService ----

VelHostTranslatorService::~VelHostTranslatorService() {
    std::map<QByteArray, std::unique_ptr<IPtr<IVelTranslator>>> translators;
    {
        QMutexLocker lock(&m_mutex);
        translators.swap(m_translators);
    }
    // The references go here, outside the lock.
}

bool VelHostTranslatorService::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IVelTranslatorService>(this, "VelHostTranslatorService", name, outOrWalk);
}

QByteArray VelHostTranslatorService::keyOf(const VelID& component) {
    QByteArray key;
    key.reserve(16);
    key.append(reinterpret_cast<const char*>(&component.Data1), sizeof component.Data1);
    key.append(reinterpret_cast<const char*>(&component.Data2), sizeof component.Data2);
    key.append(reinterpret_cast<const char*>(&component.Data3), sizeof component.Data3);
    key.append(reinterpret_cast<const char*>(component.Data4), sizeof component.Data4);
    return key;
}

IVelTranslator* VelHostTranslatorService::translatorFor(const VelID& component) {
    QMutexLocker lock(&m_mutex);
    velCountUp(m_requests);
    auto it = m_translators.find(keyOf(component));
    return it == m_translators.end() ? nullptr : it->second->get();
}

void VelHostTranslatorService::setTranslator(const VelID& component, IVelTranslator* translator) {
    // The new reference is taken before the old one goes; the old one goes outside the lock, since its
    // release may run a destructor.
    auto holder = std::make_unique<IPtr<IVelTranslator>>();
    *holder = translator;
    const QByteArray key = keyOf(component);
    std::unique_ptr<IPtr<IVelTranslator>> previous;
    {
        QMutexLocker lock(&m_mutex);
        std::unique_ptr<IPtr<IVelTranslator>>& slot = m_translators[key];
        previous = std::move(slot);
        if (translator)
            slot = std::move(holder);
        else
            m_translators.erase(key);
    }
}

VelHostTranslator* VelHostTranslatorService::tableTranslator(const VelID& component) {
    {
        QMutexLocker lock(&m_mutex);
        auto it = m_translators.find(keyOf(component));
        if (it != m_translators.end())
            if (auto* table = velCast<VelHostTranslator>(it->second->get(), "VelHostTranslator"))
                return table;
    }
    auto* table = new VelHostTranslator();
    setTranslator(component, table);
    return table;
}

bool VelHostTranslatorService::loadTable(const VelID& component, const QString& path, int* added) {
    return tableTranslator(component)->load(path, added);
}

int VelHostTranslatorService::requests() const {
    QMutexLocker lock(&m_mutex);
    return m_requests;
}
