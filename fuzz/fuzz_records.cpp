// Any bytes as the three record files, then every operation, each checked against a model of the
// file: no good record is ever lost, moved or changed except as the operation says.
#include "core/records/ioerror.h"
#include "core/records/recordfiles.h"
#include "fuzzsupport.h"

#include <QList>

namespace {

template <class Record>
QList<QByteArray> recordsOf(const QByteArray &bytes)
{
    QList<QByteArray> records;
    for (qsizetype at = 0; at + Record::Size <= bytes.size(); at += Record::Size)
        records.append(bytes.mid(at, Record::Size));
    return records;
}

// The rest of the input as a stream of small numbers.
class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool more() const { return m_at < m_size; }
    int next() { return more() ? m_data[m_at++] : 0; }
    QByteArray take(int length)
    {
        const int n = int(std::min<size_t>(size_t(length), m_size - m_at));
        QByteArray bytes(reinterpret_cast<const char *>(m_data + m_at), n);
        m_at += size_t(n);
        return bytes;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

void checkWrongResults(const QString &path, const QList<QByteArray> &model)
{
    FUZZ_CHECK(CountWrongResults(path) == model.size());
    FUZZ_CHECK(recordsOf<WrongResultRecord>(fileBytes(path)) == model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input input(data, size);
    const QString retest = fuzzPath("chyba.nmk");
    const QString wrong = fuzzPath("chybavysl.nmk");
    const QString history = fuzzPath("hdv.ndv");
    // each file: a length byte (times 3) and as many bytes
    for (const QString &path : {retest, wrong, history})
        putFile(path, input.take(input.next() * 3));

    QList<QByteArray> models[2] = {recordsOf<WrongResultRecord>(fileBytes(retest)),
                                   recordsOf<WrongResultRecord>(fileBytes(wrong))};
    QList<QByteArray> evaluations = recordsOf<EvaluationRecord>(fileBytes(history));
    FUZZ_CHECK(CountEvaluations(history) == evaluations.size());
    {
        QList<QByteArray> read;
        for (const EvaluationRecord &r : ReadEvaluations(history))
            read.append(r.encode());
        // records read back as written, apart from padding and flag bytes, which are normalised
        FUZZ_CHECK(read.size() == evaluations.size());
        // (compared as bytes: a day count may be NaN, which equals nothing)
        for (qsizetype i = 0; i < read.size(); ++i)
            FUZZ_CHECK(read[i] == EvaluationRecord::decode(evaluations[i].constData()).encode());
    }

    for (int step = 0; step < 64 && input.more(); ++step) {
        const int which = input.next() % 2;
        const QString &path = which == 0 ? retest : wrong;
        QList<QByteArray> &model = models[which];
        const qint32 index = qint32(input.next()) - 8;
        switch (input.next() % 4) {
        case 0: {
            WrongResultRecord record = WrongResultRecord::decode(input.take(WrongResultRecord::Size)
                                                                     .leftJustified(WrongResultRecord::Size, '\0')
                                                                     .constData());
            AppendWrongResult(path, record);
            model.append(record.encode());
            break;
        }
        case 1: {
            qint32 at = index;
            WrongResultRecord record;
            record.FirstNumber = 12345;
            const WrongResultRecord untouched = record;
            ReadWrongResult(path, at, record);
            FUZZ_CHECK(at == std::clamp<qint32>(index, 1, std::max<qint32>(qint32(model.size()), 1)));
            if (model.isEmpty())
                FUZZ_CHECK(record == untouched);
            else
                FUZZ_CHECK(record == WrongResultRecord::decode(model[at - 1].constData()));
            break;
        }
        case 2:
            DeleteWrongResult(path, index);
            if (index >= 1 && index <= model.size()) {
                model.removeAt(index - 1);
                // the fragment behind the records goes with a delete
                FUZZ_CHECK(fileBytes(path) == model.join());
            }
            break;
        case 3: {
            EvaluationRecord record;
            record.Grade = index;
            const qint32 capacity = input.next() % 8 + 1;
            PrependEvaluation(history, record, capacity);
            evaluations.prepend(record.encode());
            while (evaluations.size() > capacity)
                evaluations.removeLast();
            FUZZ_CHECK(fileBytes(history) == evaluations.join());
            break;
        }
        }
        checkWrongResults(path, model);
    }
    return 0;
}
