// Any bytes as historie.csv, and the row of an evaluation taken from the input's end: the reader
// takes them without harm, and the append keeps every row read before and adds the new one.
#include "core/records/historycsv.h"
#include "fuzzsupport.h"

#include <QList>

namespace {

QList<QStringList> fieldsOf(const QList<HistoryCsvRow> &rows)
{
    QList<QStringList> fields;
    for (const HistoryCsvRow &row : rows)
        fields.append(HistoryCsvFields(row));
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // the end of a huge file starts mid-row; nothing read there may differ from a whole row
    ParseHistoryCsv(bytes, true);

    EvaluationRecord record;
    if (bytes.size() >= EvaluationRecord::Size)
        record = EvaluationRecord::decode(bytes.constData() + bytes.size() - EvaluationRecord::Size);
    const QList<QStringList> before = fieldsOf(ParseHistoryCsv(bytes, false));
    const QByteArray appended =
        bytes + HistoryCsvAppendBytes(bytes.size(), bytes.isEmpty() ? '\n' : bytes.back(), record);
    const QList<QStringList> after = fieldsOf(ParseHistoryCsv(appended, false));

    // the new row reads back as written, unless its date is beyond what the file can hold
    const HistoryCsvRow row = HistoryCsvRowOf(record);
    const bool readable = row.date.isValid();
    FUZZ_CHECK(after.size() == before.size() + (readable ? 1 : 0));
    FUZZ_CHECK(after.first(before.size()) == before);
    if (readable)
        FUZZ_CHECK(after.back() == HistoryCsvFields(row));
    return 0;
}
