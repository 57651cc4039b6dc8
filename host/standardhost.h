#pragma once
// VelStandardHost: the one place that wires a real host. It owns a host context that offers every
// service of the reference host, loads a component module by path, initializes its component with the
// context, and creates the module's classes by name; application styles come out as QStyle objects.
//
// Ownership of a style: createStyle() hands out the style with its reference count at 0 and keeps no
// counted reference to it. The style lives as a QObject: whoever holds the QStyle deletes it (the
// application does so for its application style, at its end or when another style is set). The style's
// code lives in the module and its look service in this host, so the host outlives its styles: when the
// host goes first, it takes back the styles it made that are still alive (the application gets a plain
// "Windows" style in place of one of them) before it closes the module and withdraws its services.

#include "host/hostcontext.h"
#include "host/moduleloader.h"
#include "runtime/velid.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QStyle;
class VelHostDataStore;
class VelHostDirService;
class VelHostErrorService;
class VelHostImageStore;
class VelHostLook;
class VelHostTranslatorService;
class VelHostMemoryManager;
class VelHostAssertHandler;

class VelStandardHost {
public:
    // Makes the context and offers every service: error service, data store, directories, translator
    // service, memory manager, assertion handler, shared bucket pool, look (built-in theme) and image
    // store (built-in images).
    VelStandardHost();
    ~VelStandardHost();
    VelStandardHost(const VelStandardHost&) = delete;
    VelStandardHost& operator=(const VelStandardHost&) = delete;

    // Look colours from a theme file; on failure the built-in theme stays and errorString() says why.
    bool loadTheme(const QString& path);

    // Loads the module, then initializes its component with this host's context. Unloads a module loaded
    // before (and takes back its styles). False with errorString() when the file is missing or not a
    // loadable library, has no EntryPoint, or its EntryPoint fails.
    bool loadModule(const QString& path);
    bool isLoaded() const { return m_loader.isLoaded(); }
    // Takes back the styles of the module, terminates its component and closes it.
    void unloadModule();

    // Finds a class of the loaded module by name; false (and errorString()) when there is none.
    bool findClass(const QString& name, VelID* classId);
    // A new object of the named class, with reference count 0 (the receiver takes the first reference);
    // null with errorString() when the module has no such class or fails to create it.
    IVelUnknown* createObject(const QString& className);
    // A new application style of the named class (ownership: see above), with the framework class name in
    // its "velClassName" property; null with errorString() when the module has no such class or the class
    // is not an application style.
    QStyle* createStyle(const QString& className = QStringLiteral("MelvoroStyle"));

    // Messages the module reports through the error service.
    void setErrorListener(std::function<void(const QString&)> listener);

    QString errorString() const { return m_error; }

    VelHostContext& context() { return *m_context; }
    VelModuleLoader& loader() { return m_loader; }
    VelHostLook& look() { return *m_look; }
    VelHostImageStore& imageStore() { return *m_images; }
    VelHostErrorService& errorService() { return *m_errors; }
    VelHostDataStore& dataStore() { return *m_dataStore; }
    VelHostDirService& dirService() { return *m_dirs; }
    VelHostTranslatorService& translatorService() { return *m_translators; }
    VelHostMemoryManager& memoryManager() { return *m_memory; }
    VelHostAssertHandler& assertHandler() { return *m_asserts; }

    // The styles made by this host that are still alive.
    QList<QStyle*> liveStyles() const;

private:
    void takeBackStyles();

    // Declared first, destroyed last: the module's objects count references and find services through
    // the context until the module is closed.
    std::unique_ptr<VelHostContext> m_context;
    // The services, each a framework object the host made: the context and the host hold a reference.
    VelHostErrorService* m_errors = nullptr;
    VelHostDataStore* m_dataStore = nullptr;
    VelHostDirService* m_dirs = nullptr;
    VelHostTranslatorService* m_translators = nullptr;
    VelHostMemoryManager* m_memory = nullptr;
    VelHostAssertHandler* m_asserts = nullptr;
    VelHostLook* m_look = nullptr;
    VelHostImageStore* m_images = nullptr;

    VelModuleLoader m_loader;
    QList<QPointer<QStyle>> m_styles;
    QString m_error;
};
