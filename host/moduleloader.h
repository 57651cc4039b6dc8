#pragma once
// VelModuleLoader: opens a component module by path, calls its EntryPoint and holds the component it
// hands out, with readers for the component's identity and class list.

#include "frame/component.h"
#include "runtime/velid.h"

#include <QList>
#include <QString>
#include <cstdint>

class VelModuleLoader {
public:
    using EntryPointFunction = int32_t (*)(int32_t* version, IVelComponent** component);

    VelModuleLoader() = default;
    ~VelModuleLoader() { unload(); }
    VelModuleLoader(const VelModuleLoader&) = delete;
    VelModuleLoader& operator=(const VelModuleLoader&) = delete;

    // Opens the module and takes the first reference on a new component. Unloads whatever was loaded
    // before. A relative path names a file relative to the working directory, and exactly that file is
    // loaded. A file that is not a shared library of this machine, or is damaged or cut short, is refused
    // before the dynamic linker sees it. On failure nothing stays loaded and errorString() says why.
    bool load(const QString& path);
    // Releases the component and closes the module. Every object the module made must be gone by then.
    void unload();

    bool isLoaded() const { return m_component != nullptr; }
    QString errorString() const { return m_error; }
    QString path() const { return m_path; }

    IVelComponent* component() const { return m_component; }
    // The component's IVelCompInternal part, or null.
    IVelCompInternal* internal() const;
    int32_t version() const { return m_version; }
    // A symbol of the loaded module, or null.
    void* symbol(const char* name) const;

    // The component's identity; empty texts and the zero identifier when nothing is loaded.
    QString componentName() const;
    QString buildStamp() const;
    VelID componentId() const;

    // The identifiers of the classes the component offers, in its listing order.
    QList<VelID> classIds() const;
    // The name of a class of the component; empty when the component does not know the identifier.
    QString classNameOf(const VelID& classId) const;
    // Looks a class up by its name; false when the component offers none of that name.
    bool findClass(const QString& name, VelID* classId) const;

private:
    void* m_handle = nullptr;
    IVelComponent* m_component = nullptr;
    int32_t m_version = 0;
    QString m_path;
    QString m_error;
};
