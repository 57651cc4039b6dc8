#pragma once
// The reference host's translators: VelHostTranslator translates by a table (texts without an entry stay
// as they are) and substitutes numbered argument markers like every translator; VelHostTranslatorService
// hands out the translator of each component, keyed by the component's identifier.

#include "runtime/iptr.h"
#include "runtime/services.h"
#include "translation/translator.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

#include <map>
#include <memory>

// Built on the trivial translator: every translate operation looks the text up and substitutes the
// argument markers the same way; only the look-up differs.
class VelHostTranslator : public VelTrivialTranslator {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostTranslator"; }

    // out becomes the table's translation of text, or text itself (each byte widened) when the table has
    // none; true when the table had one.
    bool lookup(const char* text, PooledString& out) override;

    // Adds or replaces the translation of the 8-bit source text.
    void add(const QByteArray& source, const QString& translation);
    // Reads a table file: one entry per line, the source text, a tab, then the translation (UTF-8);
    // "\n", "\t" and "\\" stand for a line feed, a tab and a backslash; empty lines, lines starting with
    // "#" and lines without a tab are skipped. Returns false when the file cannot be read or is not a
    // regular file of at most MaxTableBytes; *added (if given) receives the number of entries read.
    static constexpr qint64 MaxTableBytes = 16 * 1024 * 1024;
    bool load(const QString& path, int* added = nullptr);
    int entryCount() const;

private:
    mutable QMutex m_mutex;
    QHash<QByteArray, QString> m_table;
};

class VelHostTranslatorService : public virtual IVelTranslatorService {
public:
    VelHostTranslatorService() = default;
    ~VelHostTranslatorService() override;
    VelHostTranslatorService(const VelHostTranslatorService&) = delete;
    VelHostTranslatorService& operator=(const VelHostTranslatorService&) = delete;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostTranslatorService"; }

    // The component's translator, or null when it has none. Adds no reference.
    IVelTranslator* translatorFor(const VelID& component) override;

    // Gives the component a translator (the service holds one reference); null takes it away.
    void setTranslator(const VelID& component, IVelTranslator* translator);
    // The component's table translator, made (and given to the component) on first use. Replaces a
    // translator of another class that the component had.
    VelHostTranslator* tableTranslator(const VelID& component);
    // Loads a table file into the component's table translator (see VelHostTranslator::load).
    bool loadTable(const VelID& component, const QString& path, int* added = nullptr);

    // How often a translator was asked for.
    int requests() const;

private:
    static QByteArray keyOf(const VelID& component);

    mutable QMutex m_mutex;
    std::map<QByteArray, std::unique_ptr<IPtr<IVelTranslator>>> m_translators;
    int m_requests = 0;
};
