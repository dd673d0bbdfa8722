// The number syntaxes: the answer field's and the settings file's. Any text either parses to a
// 32-bit value that its decimal spelling gives back, or is refused; nothing else may happen.
#include "core/practice/answercheck.h"
#include "core/settings/inifile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        qint32 answer = 0;
        if (ParseAnswerNumber(text, answer)) {
            qint32 again = 1;
            FUZZ_CHECK(ParseAnswerNumber(QString::number(answer), again) && again == answer);
            FUZZ_CHECK(NumberOrZero(text) == answer);
        } else {
            FUZZ_CHECK(NumberOrZero(text) == 0);
        }
        qint32 setting = 0;
        if (parseIniInteger(text, setting)) {
            qint32 again = 1;
            FUZZ_CHECK(parseIniInteger(QString::number(setting), again) && again == setting);
        }
    }
    return 0;
}
