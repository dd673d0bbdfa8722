#include "core/records/csvtext.h"

QByteArray CsvLine(const QStringList &fields)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line.append(';');
        QByteArray field = fields[i].toUtf8();
        if (field.contains(';') || field.contains('"') || field.contains('\r') || field.contains('\n'))
            field = '"' + field.replace("\"", "\"\"") + '"';
        line.append(field);
    }
    return line.append("\r\n");
}

QByteArray CsvDocument(const QStringList &header, const QList<QStringList> &rows)
{
    QByteArray document(CsvByteOrderMark);
    document.append(CsvLine(header));
    for (const QStringList &row : rows)
        document.append(CsvLine(row));
    return document;
}
