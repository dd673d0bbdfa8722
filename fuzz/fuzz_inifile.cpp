// Any bytes as the text of numik.ini: every key reads without harm, and a write changes the one
// value it writes and no other value that the program reads. The file's accessors do exactly
// this on the bytes they read, so the text is fuzzed in memory.
#include "core/settings/inifile.h"
#include "fuzzsupport.h"

#include <QList>

namespace {

struct Key
{
    const char *section;
    const char *key;
};

// Every key the program reads, a few that differ only in case, and one it never writes.
constexpr Key Keys[] = {
    {"Plus", "C1OD"},     {"Plus", "C1DO"},       {"Minus", "VDO"},          {"Krat", "ORAN"},
    {"Del", "ORDO"},      {"Hodnoceni", "1"},     {"Hodnoceni", "autopo"},   {"Hodnoceni", "automaz"},
    {"CasLimit", "hodnota"}, {"Rezim", "startvyuka"}, {"Rezim", "typ"},      {"Rezim", "chybvysl"},
    {"Neznama", "pouzevysl"}, {"Operace", "Deleni"}, {"Zvuk", "anone"},      {"Heslo", "hodnota"},
    {"Okno", "velikost"}, {"okno", "LEFT"},       {"FHDH", "ChBVse"},        {"a", "b"},
};

QList<QString> readAll(const QByteArray &ini)
{
    QList<QString> values;
    for (const Key &k : Keys) {
        const std::optional<QString> value = IniTextValue(ini, QLatin1String(k.section), QLatin1String(k.key));
        values.append(value.value_or(QStringLiteral("<none>")));
        qint32 number = 0;
        if (value)
            parseIniInteger(*value, number);
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // Write the key chosen by the first byte; every other key reads as before.
    const QList<QString> before = readAll(bytes);
    const std::size_t chosen = size > 0 ? data[0] % std::size(Keys) : 0;
    const Key &k = Keys[chosen];
    const qint32 value = size > 1 ? qint32(data[size - 1]) - 100 : 42;
    const QByteArray written =
        IniTextWithEntry(bytes, {QLatin1String(k.section), QLatin1String(k.key), QString::number(value)});
    qint32 read = 7;
    const std::optional<QString> text = IniTextValue(written, QLatin1String(k.section), QLatin1String(k.key));
    FUZZ_CHECK(text && parseIniInteger(*text, read) && read == value);
    const QList<QString> after = readAll(written);
    for (std::size_t i = 0; i < std::size(Keys); ++i) {
        const bool sameKey = QByteArrayView(Keys[i].section).compare(k.section, Qt::CaseInsensitive) == 0
                             && QByteArrayView(Keys[i].key).compare(k.key, Qt::CaseInsensitive) == 0;
        if (!sameKey)
            FUZZ_CHECK(after[qsizetype(i)] == before[qsizetype(i)]);
    }
    // a leading byte-order mark survives the rewrite
    if (bytes.startsWith("\xEF\xBB\xBF"))
        FUZZ_CHECK(written.startsWith("\xEF\xBB\xBF"));
    return 0;
}
