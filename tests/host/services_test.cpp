// The reference host's services: error reports, the data store, the directory service and the table
// translators with their service.

#include "host/datastore.h"
#include "host/dirservice.h"
#include "host/errorservice.h"
#include "host/hostcontext.h"
#include "host/translatorservice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace {

std::u16string textOf(const PooledString& s) {
    return std::u16string(s.textOrEmpty(), size_t(s.length()));
}

PooledString latin1(const char* text) {
    return PooledString::fromLatin1(text);
}

// Holds one reference on a new service for the test's life.
template <class T> struct Held {
    T* object = new T();
    Held() { object->addRef(); }
    ~Held() { object->release(); }
    T* operator->() const { return object; }
};

template <class Iface>
void expectOneUnknownPart(IVelUnknown* object, const char* ifaceName, const char* className) {
    void* asIface = nullptr;
    void* asClass = nullptr;
    void* asUnknown = nullptr;
    ASSERT_TRUE(object->queryInterface(ifaceName, &asIface, 0));
    ASSERT_TRUE(object->queryInterface(className, &asClass, 0));
    ASSERT_TRUE(object->queryInterface("IVelUnknown", &asUnknown, 0));
    EXPECT_EQ(asUnknown, static_cast<void*>(object));
    void* throughIface = nullptr;
    ASSERT_TRUE(static_cast<Iface*>(asIface)->queryInterface("IVelUnknown", &throughIface, 0));
    EXPECT_EQ(throughIface, asUnknown);
    void* none = &none;
    EXPECT_FALSE(object->queryInterface("IGuiLook", &none, 0));
    EXPECT_EQ(none, nullptr);
    EXPECT_STREQ(object->className(), className);
}

TEST(StringsHostServices, EachAnswersItsNamesWithOneUnknownPart) {
    Held<VelHostErrorService> errors;
    Held<VelHostDataStore> store;
    Held<VelHostDirService> dirs;
    Held<VelHostTranslator> translator;
    Held<VelHostTranslatorService> translators;
    expectOneUnknownPart<IVelErrorService>(errors.object, "IVelErrorService", "VelHostErrorService");
    expectOneUnknownPart<IDataStore>(store.object, "IDataStore", "VelHostDataStore");
    expectOneUnknownPart<IVelDirService>(dirs.object, "IVelDirService", "VelHostDirService");
    expectOneUnknownPart<IVelTranslator>(translator.object, "IVelTranslator", "VelHostTranslator");
    expectOneUnknownPart<IVelTranslatorService>(translators.object, "IVelTranslatorService",
                                                "VelHostTranslatorService");
    void* out = nullptr;
    EXPECT_FALSE(translator->queryInterface("VelTrivialTranslator", &out, 0));
    EXPECT_FALSE(translator->query(0));
}

// ---- error service ----

TEST(StringsHostErrorService, CollectsReportsWithLevelAndContext) {
    Held<VelHostErrorService> errors;
    int32_t level = 3;
    PooledName context("StyleModule");
    EXPECT_EQ(errors->report(latin1("first"), &level, &context), 1);
    PooledName empty;
    int32_t one = 1;
    errors->report(PooledString::fromLatin1("caf\xe9"), &one, &empty);
    ASSERT_EQ(errors->reportCount(), 2);
    const QVector<VelHostErrorService::Report> reports = errors->reports();
    EXPECT_EQ(reports[0].message, QStringLiteral("first"));
    EXPECT_EQ(reports[0].level, 3);
    EXPECT_EQ(reports[0].context, QStringLiteral("StyleModule"));
    EXPECT_EQ(reports[1].message, QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_TRUE(reports[1].context.isEmpty());
    errors->clear();
    errors->report(PooledString(), nullptr, nullptr); // no level, no context
    ASSERT_EQ(errors->reportCount(), 1);
    EXPECT_EQ(errors->lastReport().level, 0);
}

TEST(StringsHostErrorService, TellsItsListenerAndEchoesToStderr) {
    Held<VelHostErrorService> errors;
    QStringList heard;
    errors->setListener([&](const VelHostErrorService::Report& r) { heard << r.message; });
    errors->setEchoToStderr(true);
    int32_t level = 1;
    PooledName context;
    testing::internal::CaptureStderr();
    errors->report(latin1("out of %1 memory"), &level, &context);
    const std::string echoed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(heard, QStringList{QStringLiteral("out of %1 memory")});
    EXPECT_EQ(echoed, "[level 1] out of %1 memory\n");

    errors->setEchoToStderr(false);
    errors->setListener(nullptr);
    testing::internal::CaptureStderr();
    errors->report(latin1("quiet"), &level, &context);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(heard.size(), 1);
}

// ---- data store ----

TEST(StringsHostDataStore, StoresStringsByKeyPath) {
    Held<VelHostDataStore> store;
    EXPECT_EQ(store->stringValue("Directories/Temp Directory", nullptr).text, nullptr);
    EXPECT_EQ(store->stringValue(nullptr, nullptr).text, nullptr);
    store->setString("Directories/Temp Directory", QStringLiteral("E:\\scratch"));
    store->setString("Directories/Other", QStringLiteral("F:"));
    EXPECT_EQ(textOf(store->stringValue("Directories/Temp Directory", nullptr)), u"E:\\scratch");
    EXPECT_EQ(textOf(store->stringValue("Directories/Other", nullptr)), u"F:");
    EXPECT_TRUE(store->stringValue("Directories/Other", nullptr).isOwned());
    EXPECT_EQ(store->stringValue("directories/other", nullptr).text, nullptr);
    store->setString(nullptr, QStringLiteral("ignored"));
}

TEST(StringsHostDataStore, AReferenceHandedOutFollowsItsKey) {
    Held<VelHostDataStore> store;
    store->setString("A", QStringLiteral("one"));
    const PooledString& a = store->stringValue("A", nullptr);
    for (int i = 0; i < 200; ++i)
        store->setString(QByteArray::number(i).constData(), QString::number(i));
    EXPECT_EQ(&store->stringValue("A", nullptr), &a);
    EXPECT_EQ(textOf(a), u"one");
    store->setString("A", QStringLiteral("two"));
    EXPECT_EQ(textOf(a), u"two");
    store->setString("A", QString());
    EXPECT_EQ(a.text, nullptr); // an empty value is stored as the empty string, never borrowed
    store->setString("A", QStringLiteral("three"));
    store->remove("A");
    EXPECT_EQ(a.text, nullptr);
    EXPECT_FALSE(store->contains("A"));
    store->remove(nullptr);
}

// ---- directory service ----

TEST(StringsHostDirService, TempIsTheSystemTemporaryDirectoryUntilSetOtherKeysAreSettable) {
    Held<VelHostDirService> dirs;
    EXPECT_EQ(dirs->directory("temp").toQString(), QDir::tempPath());
    EXPECT_EQ(dirs->directory("cache").text, nullptr);
    EXPECT_EQ(dirs->directory(nullptr).text, nullptr);
    dirs->setDirectory("cache", QStringLiteral("/var/cache/melvoro"));
    EXPECT_EQ(textOf(dirs->directory("cache")), u"/var/cache/melvoro");
    dirs->setDirectory("temp", QStringLiteral("C:\\Temp"));
    EXPECT_EQ(textOf(dirs->directory("temp")), u"C:\\Temp");
    dirs->setDirectory("temp", QString());
    EXPECT_EQ(dirs->directory("temp").text, nullptr);
}

// ---- table translator ----

TEST(StringsHostTranslator, TranslatesByTheTableAndKeepsOtherTexts) {
    Held<VelHostTranslator> translator;
    translator->add("Close", QString::fromUtf8("Schlie\xc3\x9f"
                                               "en"));
    EXPECT_EQ(textOf(translator->translate("Close")), u"Schlie\u00dfen");
    EXPECT_EQ(textOf(translator->translate("Open")), u"Open");
    EXPECT_EQ(translator->translate(nullptr).text, nullptr);
    PooledString out;
    EXPECT_TRUE(translator->lookup("Close", out));
    EXPECT_FALSE(translator->lookup("Caf\xe9", out));
    EXPECT_EQ(textOf(out), u"Caf\u00e9");
}

TEST(StringsHostTranslator, SubstitutesMarkersInTheTranslation) {
    Held<VelHostTranslator> translator;
    translator->add("%1 of %2", QStringLiteral("%2: %1"));
    EXPECT_EQ(textOf(translator->translate("%1 of %2", latin1("3"), latin1("5"))), u"5: 3");
    EXPECT_EQ(textOf(translator->translate("%1 of %2", latin1("3"))), u": 3");
    const PooledString args[] = {latin1("x"), latin1("y")};
    EXPECT_EQ(textOf(translator->translate("%1 of %2", 2, args)), u"y: x");
    EXPECT_EQ(textOf(translator->translate("%1 of %2", 0, args)), u"%2: %1");
    EXPECT_EQ(textOf(translator->translate("%1%1", latin1("ab"))), u"abab");
    EXPECT_EQ(textOf(translator->translate("%6%5%4%3%2%1", latin1("1"), latin1("2"), latin1("3"), latin1("4"),
                                           latin1("5"), latin1("6"))),
              u"654321");
}

TEST(StringsHostTranslator, LoadsATableFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("de.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# comment\tnot an entry\n"
               "\n"
               "no tab here\n"
               "Yes\tJa\r\n"
               "Two\\nlines\tZwei\\nZeilen\n"
               "Tab\\there\tTab\\there \\\\ \\q\n"
               "Caf\xc3\xa9 %1\t%1 im Caf\xc3\xa9\n");
    file.close();

    Held<VelHostTranslator> translator;
    int added = -1;
    ASSERT_TRUE(translator->load(path, &added));
    EXPECT_EQ(added, 4);
    EXPECT_EQ(translator->entryCount(), 4);
    EXPECT_EQ(textOf(translator->translate("Yes")), u"Ja");
    EXPECT_EQ(textOf(translator->translate("Two\nlines")), u"Zwei\nZeilen");
    EXPECT_EQ(textOf(translator->translate("Tab\there")), u"Tab\there \\ \\q");
    // Source texts match byte for byte: the file's UTF-8 bytes.
    EXPECT_EQ(textOf(translator->translate("Caf\xc3\xa9 %1", latin1("Tee"))), u"Tee im Caf\u00e9");
    EXPECT_EQ(textOf(translator->translate("# comment")), u"# comment");

    EXPECT_FALSE(translator->load(QStringLiteral("/nonexistent/melvoro/table.txt"), &added));
    EXPECT_EQ(added, 0);
    EXPECT_EQ(translator->entryCount(), 4);
}

// ---- translator service ----

VelID componentA() {
    const uint8_t tail[8] = {0xa0, 0xa1, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7};
    return VelID(0xaaaa0001u, 0x1111, 0x2222, tail);
}

VelID componentB() {
    // Differs from A in the last byte only.
    const uint8_t tail[8] = {0xa0, 0xa1, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa8};
    return VelID(0xaaaa0001u, 0x1111, 0x2222, tail);
}

TEST(StringsHostTranslatorService, HandsOutEachComponentsTranslator) {
    Held<VelHostTranslatorService> service;
    EXPECT_EQ(service->translatorFor(componentA()), nullptr);
    VelHostTranslator* a = service->tableTranslator(componentA());
    EXPECT_EQ(service->tableTranslator(componentA()), a);
    a->add("Hi", QStringLiteral("Moin"));
    EXPECT_EQ(service->translatorFor(componentA()), static_cast<IVelTranslator*>(a));
    EXPECT_EQ(service->translatorFor(componentB()), nullptr);
    EXPECT_EQ(a->refCount(), 1); // held by the service; handing it out adds none
    EXPECT_EQ(service->requests(), 3);
}

TEST(StringsHostTranslatorService, SettingAndTakingAwayTranslatorsKeepsCountsRight) {
    Held<VelHostTranslatorService> service;
    Held<VelHostTranslator> mine;
    service->setTranslator(componentA(), mine.object);
    EXPECT_EQ(mine->refCount(), 2);
    service->setTranslator(componentA(), mine.object); // the same one again
    EXPECT_EQ(mine->refCount(), 2);
    service->setTranslator(componentB(), mine.object);
    EXPECT_EQ(mine->refCount(), 3);
    service->setTranslator(componentA(), nullptr);
    EXPECT_EQ(service->translatorFor(componentA()), nullptr);
    EXPECT_EQ(mine->refCount(), 2);
    EXPECT_EQ(service->tableTranslator(componentB()), mine.object); // a table translator already
    service->setTranslator(componentB(), nullptr);
    EXPECT_EQ(mine->refCount(), 1);
}

TEST(StringsHostTranslatorService, ATableTranslatorReplacesATranslatorOfAnotherClass) {
    Held<VelHostTranslatorService> service;
    Held<VelTrivialTranslator> trivial;
    service->setTranslator(componentA(), trivial.object);
    EXPECT_EQ(trivial->refCount(), 2);
    VelHostTranslator* table = service->tableTranslator(componentA());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(service->translatorFor(componentA()), static_cast<IVelTranslator*>(table));
    EXPECT_EQ(trivial->refCount(), 1);
}

TEST(StringsHostTranslatorService, LoadsATableForAComponent) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Save\tSpeichern\n");
    file.close();
    Held<VelHostTranslatorService> service;
    int added = 0;
    ASSERT_TRUE(service->loadTable(componentB(), path, &added));
    EXPECT_EQ(added, 1);
    IVelTranslator* t = service->translatorFor(componentB());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(textOf(t->translate("Save")), u"Speichern");
}

TEST(StringsHostTranslatorService, ReleasesItsTranslatorsWhenItGoes) {
    auto* service = new VelHostTranslatorService();
    service->addRef();
    Held<VelHostTranslator> mine;
    service->setTranslator(componentA(), mine.object);
    EXPECT_EQ(mine->refCount(), 2);
    service->release();
    EXPECT_EQ(mine->refCount(), 1);
}

} // namespace
