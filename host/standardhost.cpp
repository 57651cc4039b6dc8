#include "host/standardhost.h"

#include "host/asserthandler.h"
#include "host/datastore.h"
#include "host/dirservice.h"
#include "host/errorservice.h"
#include "host/imagestore.h"
#include "host/lookservice.h"
#include "host/memorymanager.h"
#include "host/sharedpool.h"
#include "host/translatorservice.h"
#include "style/commonappstyle.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QVariant>

namespace {

// Heap blocks the memory manager keeps to give back when a module runs short.
constexpr int kMemoryReserveBlocks = 8;

// Offers a service the host made (count 0) under its interface name. The context holds one reference,
// the host another, so the host's pointer stays good until the host lets go.
template <class Interface, class Service> Service* offerService(VelHostContext& context, Service* service) {
    static_cast<IVelUnknown*>(service)->addRef();
    context.offer<Interface>(service);
    return service;
}

template <class Service> void letGo(Service*& service) {
    if (service) {
        static_cast<IVelUnknown*>(service)->release();
        service = nullptr;
    }
}

} // namespace

VelStandardHost::VelStandardHost() : m_context(new VelHostContext) {
    m_errors = offerService<IVelErrorService>(*m_context, new VelHostErrorService);
    m_dataStore = offerService<IDataStore>(*m_context, new VelHostDataStore);
    m_dirs = offerService<IVelDirService>(*m_context, new VelHostDirService);
    m_translators = offerService<IVelTranslatorService>(*m_context, new VelHostTranslatorService);
    m_memory = offerService<VelMM::IVelMManager>(*m_context, new VelHostMemoryManager(kMemoryReserveBlocks));
    m_asserts = offerService<IVelAssertHandlerCB>(*m_context, new VelHostAssertHandler);
    velOfferSharedPool(*m_context);
    m_look = offerService<IGuiLook>(*m_context, new VelHostLook);
    m_images = offerService<IImageStore>(*m_context, new VelHostImageStore);
    m_images->addStandardImages();
}

VelStandardHost::~VelStandardHost() {
    unloadModule();
    // The module is closed: nothing of it asks for services or counts references any more.
    m_context->withdrawAll();
    letGo(m_images);
    letGo(m_look);
    letGo(m_asserts);
    letGo(m_memory);
    letGo(m_translators);
    letGo(m_dirs);
    letGo(m_dataStore);
    letGo(m_errors);
}

bool VelStandardHost::loadTheme(const QString& path) {
    if (m_look->loadTheme(path))
        return true;
    m_error = QStringLiteral("Cannot use theme %1: %2").arg(path, m_look->errorString());
    return false;
}

bool VelStandardHost::loadModule(const QString& path) {
    unloadModule();
    m_error.clear();
    if (!m_loader.load(path)) {
        m_error = m_loader.errorString();
        return false;
    }
    m_loader.component()->initialize(m_context.get());
    return true;
}

void VelStandardHost::unloadModule() {
    takeBackStyles();
    if (IVelComponent* component = m_loader.component())
        component->terminate();
    m_loader.unload();
}

bool VelStandardHost::findClass(const QString& name, VelID* classId) {
    if (!m_loader.isLoaded()) {
        m_error = QStringLiteral("No module is loaded");
        return false;
    }
    if (!m_loader.findClass(name, classId)) {
        m_error = QStringLiteral("Module %1 offers no class \"%2\"").arg(m_loader.path(), name);
        return false;
    }
    return true;
}

IVelUnknown* VelStandardHost::createObject(const QString& className) {
    VelID classId;
    if (!findClass(className, &classId))
        return nullptr;
    IVelUnknown* object = nullptr;
    const int32_t status = m_loader.component()->createObject(classId, &object);
    if (status == 0 || !object) {
        m_error = QStringLiteral("Module %1 could not create \"%2\"").arg(m_loader.path(), className);
        return nullptr;
    }
    return object;
}

QStyle* VelStandardHost::createStyle(const QString& className) {
    IVelUnknown* object = createObject(className);
    if (!object)
        return nullptr;
    // An application style answers "IGuiAppStyle" and, as the style family's base, "CommonAppStyle". The
    // latter is the object seen as CommonAppStyle, whose QProxyStyle base (and so its QStyle) the cast below
    // reaches by the layout both sides compile from the same declaration; QProxyStyle is its first base,
    // so the QStyle even lies at the same address.
    void* base = nullptr;
    if (!velCast<IGuiAppStyle>(object, "IGuiAppStyle") ||
        !object->queryInterface("CommonAppStyle", &base, 0) || !base) {
        m_error = QStringLiteral("Class \"%1\" of module %2 is not an application style")
                      .arg(className, m_loader.path());
        // Nobody else knows the object: the first reference and its release delete it.
        object->addRef();
        object->release();
        return nullptr;
    }
    QStyle* style = static_cast<CommonAppStyle*>(base);
    // The framework class name, for hosts and tools that ask the style what it is.
    style->setProperty("velClassName", QString::fromLatin1(object->className()));
    m_styles.append(QPointer<QStyle>(style));
    return style;
}

void VelStandardHost::setErrorListener(std::function<void(const QString&)> listener) {
    if (!listener) {
        m_errors->setListener(nullptr);
        return;
    }
    m_errors->setListener(
        [listener](const VelHostErrorService::Report& report) { listener(report.message); });
}

QList<QStyle*> VelStandardHost::liveStyles() const {
    QList<QStyle*> styles;
    for (const QPointer<QStyle>& style : m_styles)
        if (style)
            styles.append(style.data());
    return styles;
}

void VelStandardHost::takeBackStyles() {
    const QList<QStyle*> styles = liveStyles();
    m_styles.clear();
    for (QStyle* style : styles) {
        if (qApp && QApplication::style() == style) {
            // The application deletes its old style when it gets a new one (if it owned it).
            const QPointer<QStyle> watch(style);
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
            if (!watch)
                continue;
        }
        delete style;
    }
}
