// Loading component modules with the dynamic linker.

#include "host/moduleloader.h"

#include "host/modulefile.h"

#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace {

QString lastDlError() {
    const char* text = dlerror();
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown reason");
}

} // namespace

bool VelModuleLoader::load(const QString& path) {
    unload();
    m_error.clear();
    m_path = path;

    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        m_error = QStringLiteral("Module file not found: %1").arg(path);
        return false;
    }
    if (!info.isFile()) {
        m_error = QStringLiteral("Module path is not a file: %1").arg(path);
        return false;
    }

    // The linker maps what the file's header promises: a file cut short or damaged would fault inside it.
    QString damage;
    if (!VelModuleFile::check(path, &damage)) {
        m_error = QStringLiteral("Cannot load module %1: %2").arg(path, damage);
        return false;
    }

    // The file that was checked is the file that loads: a name without a slash would make the linker
    // search its library path instead.
    const QString checked = info.absoluteFilePath();
    dlerror();
    void* handle = dlopen(QFile::encodeName(checked).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        m_error = QStringLiteral("Cannot load module %1: %2").arg(path, lastDlError());
        return false;
    }

    dlerror();
    auto entry = reinterpret_cast<EntryPointFunction>(dlsym(handle, "EntryPoint"));
    if (!entry) {
        m_error = QStringLiteral("Module %1 has no EntryPoint").arg(path);
        dlclose(handle);
        return false;
    }

    int32_t version = 0;
    IVelComponent* component = nullptr;
    const int32_t result = entry(&version, &component);
    if (result == 0 || !component) {
        m_error = result == 0 ? QStringLiteral("EntryPoint of module %1 failed").arg(path)
                              : QStringLiteral("EntryPoint of module %1 gave no component").arg(path);
        // A component handed out with a failure result is nobody's: the module still owns it.
        dlclose(handle);
        return false;
    }

    // The receiver of a new object takes the first reference.
    component->addRef();
    m_handle = handle;
    m_component = component;
    m_version = version;
    return true;
}

void VelModuleLoader::unload() {
    if (m_component) {
        IVelComponent* component = m_component;
        m_component = nullptr;
        component->release();
    }
    if (m_handle) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
    m_version = 0;
}

IVelCompInternal* VelModuleLoader::internal() const {
    return m_component ? velCast<IVelCompInternal>(m_component, "IVelCompInternal") : nullptr;
}

void* VelModuleLoader::symbol(const char* name) const {
    if (!m_handle || !name)
        return nullptr;
    return dlsym(m_handle, name);
}

QString VelModuleLoader::componentName() const {
    IVelCompInternal* comp = internal();
    const char* name = comp ? comp->componentName() : nullptr;
    return name ? QString::fromLatin1(name) : QString();
}

QString VelModuleLoader::buildStamp() const {
    const char* stamp = m_component ? m_component->buildStamp() : nullptr;
    return stamp ? QString::fromLatin1(stamp) : QString();
}

VelID VelModuleLoader::componentId() const {
    IVelCompInternal* comp = internal();
    const VelID* id = comp ? comp->componentId() : nullptr;
    return id ? VelID(*id) : VelID();
}

QList<VelID> VelModuleLoader::classIds() const {
    QList<VelID> ids;
    IVelCompInternal* comp = internal();
    if (!comp)
        return ids;
    // Bounded by the class count, so a listing that never ends cannot hang the host.
    const int32_t count = comp->classCount();
    VelID id;
    for (bool more = comp->firstClass(id); more && ids.size() < count; more = comp->nextClass(id))
        ids.append(id);
    return ids;
}

QString VelModuleLoader::classNameOf(const VelID& classId) const {
    IVelCompInternal* comp = internal();
    const char* name = comp ? comp->className(classId) : nullptr;
    return name ? QString::fromLatin1(name) : QString();
}

bool VelModuleLoader::findClass(const QString& name, VelID* classId) const {
    for (const VelID& id : classIds()) {
        if (classNameOf(id) == name) {
            if (classId)
                *classId = id;
            return true;
        }
    }
    return false;
}
